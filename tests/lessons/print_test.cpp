// "Print Chord" and the print preview window, printing to a PDF file in place of the printer.
#include "lessons/core/frmprintme.h"
#include "lessons/core/messages.h"
#include "lessons/dominant/frmdominant.h"
#include "lessons/majorminor/frmbasic.h"
#include "lessons/seventh/frm7thtype.h"
#include "runtime/printer.h"
#include "support/lessondriver.h"
#include "support/printedpage.h"

#include <QFile>
#include <QTemporaryDir>

using namespace lessondriver;
using lessons::kCantPrint;
using lessons::kNothingToPrint;

namespace {

class PrintTest : public UiTest {
protected:
    frmBasic& basic = rt::instance<frmBasic>();
    frmPrintMe& preview = rt::instance<frmPrintMe>();
    QTemporaryDir dir;
    void SetUp() override {
        UiTest::SetUp();
        basic.Show();
    }
    void TearDown() override {
        rt::setPrintToFile({});
        rt::simulateNoPrinter(false);
        UiTest::TearDown();
    }
    void show(lessons::LessonWindow& w, int type, int root, int form) {
        w.Show();
        lessondriver::show(w, type, root, form);
    }
    // "Print Chord", then "P r i n t" in the preview. Call it under ASSERT_NO_FATAL_FAILURE:
    // it stops when no preview opened.
    void printShownChord(const lessons::LessonWindow& lesson) {
        click(lesson, "cmdPrint");
        ASSERT_TRUE(preview.isLoaded()) << "no preview to print from";
        click(preview, "cmdPrintMe");
        settle();
    }
};

TEST_F(PrintTest, NothingToPrintBeforeAStrumAndAfterAClearing) {
    click(basic, "cmdPrint");
    EXPECT_EQ(prompts, QStringList({kNothingToPrint}));
    EXPECT_FALSE(preview.isLoaded());

    show(basic, 0, 0, 0);
    click(basic, "cmdPrint");
    ASSERT_TRUE(preview.isLoaded());
    pickForm(basic, 1);  // clears the diagram
    click(basic, "cmdPrint");
    EXPECT_EQ(prompts, QStringList({kNothingToPrint, kNothingToPrint}));
    EXPECT_EQ(preview.Label2.Caption(), "C Major");  // the open preview keeps its chord
}

TEST_F(PrintTest, PreviewReceivesTheVeryPictureTheFretLabelAndTheChordName) {
    show(basic, 1, 1, 3);  // C#/Db minor form 4
    click(basic, "cmdPrint");
    ASSERT_TRUE(preview.isLoaded());
    EXPECT_EQ(preview.Image1.Picture(), basic.imgChord.Picture());
    EXPECT_EQ(preview.Image1.Picture().resourceId(), 186);
    EXPECT_EQ(preview.Label1.Caption(), "11th Fret");
    EXPECT_EQ(preview.Label2.Caption(), "C#/Db minor");
    EXPECT_TRUE(preview.cmdPrintMe.Visible());
    EXPECT_EQ(focusName(preview), "cmdPrintMe");
    // Shown at its own size.
    EXPECT_EQ(preview.Image1.Width(), 241 * 15);
    EXPECT_EQ(preview.Image1.Height(), 312 * 15);
    // The lesson window is unchanged.
    EXPECT_EQ(shownDiagram(basic), 186);
}

TEST_F(PrintTest, ALaterPrintReplacesTheChordInTheOnePreview) {
    show(basic, 0, 6, 1);  // F#/Gb Major
    click(basic, "cmdPrint");
    const int longWidth = preview.Label2.Width();
    QWidget* window = preview.topLevelWidget();

    auto& seventh = rt::instance<frm7thType>();
    show(seventh, 3, 10, 0);  // A#/Bb minor7th(b5), form 1
    click(seventh, "cmdPrint");
    EXPECT_EQ(preview.topLevelWidget(), window);
    EXPECT_EQ(preview.Label2.Caption(), "A#/Bb minor7th(b5)");
    EXPECT_EQ(preview.Label1.Caption(), "1st Fret");

    show(basic, 0, 0, 3);  // C Major form 4: a shorter name
    click(basic, "cmdPrint");
    EXPECT_EQ(preview.Label2.Caption(), "C Major");
    EXPECT_LT(preview.Label2.Width(), longWidth);
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(PrintTest, FormOneAndFormFourGiveTheSameName) {
    show(basic, 0, 0, 0);
    click(basic, "cmdPrint");
    const QString form1 = preview.Label2.Caption();
    show(basic, 0, 0, 3);
    click(basic, "cmdPrint");
    EXPECT_EQ(preview.Label2.Caption(), form1);
}

// The name takes the set root's caption for each of the twelve roots, in a lesson whose
// one Strum button serves them all and in one with three root groups.
TEST_F(PrintTest, TheChordNameNamesEveryRoot) {
    const char* const kRootCaptions[12] = {"C", "C#/Db", "D", "D#/Eb", "E", "F", "F#/Gb", "G", "G#/Ab", "A", "A#/Bb", "B"};
    const struct {
        lessons::LessonWindow* lesson;
        int type;
        const char* typeText;
    } lessons[] = {{&basic, 0, "Major"}, {&rt::instance<frmDominant>(), 1, "Dominant 7th(b5)"}};
    for (const auto& l : lessons)
        for (int root = 0; root < 12; ++root) {
            SCOPED_TRACE(testing::Message() << l.lesson->Name() << " root " << root);
            show(*l.lesson, l.type, root, 0);
            click(*l.lesson, "cmdPrint");
            ASSERT_TRUE(preview.isLoaded());
            EXPECT_EQ(preview.Label2.Caption(), QString(kRootCaptions[root]) + " " + l.typeText);
        }
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(PrintTest, PrintPutsDiagramFretLabelAndNameOnOnePageAndCloses) {
    const QString pdf = dir.filePath("page.pdf");
    rt::setPrintToFile(pdf);
    show(basic, 0, 7, 1);  // G Major form 2: diagram 102 at the 3rd fret
    ASSERT_NO_FATAL_FAILURE(printShownChord(basic));
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_FALSE(preview.isLoaded());
    EXPECT_EQ(shownDiagram(basic), 102);  // the lesson still shows the chord
    ASSERT_TRUE(QFile::exists(pdf));

    ASSERT_NO_FATAL_FAILURE(printedpage::expectChordPage(pdf, dir.filePath("page"), {"G Major", "3rd Fret"}));
    ASSERT_NO_FATAL_FAILURE(printedpage::expectSharpDiagram(pdf, dir.filePath("page"), *basic.imgChord.Picture().image(), 102));

    // Opened again, the preview has its button back.
    click(basic, "cmdPrint");
    EXPECT_TRUE(preview.cmdPrintMe.Visible());
}

// A diagram with a mute mark, an open mark and all four finger numbers prints each of them.
TEST_F(PrintTest, TheMarksAndFingerNumbersPrintAsShown) {
    const QString pdf = dir.filePath("page.pdf");
    rt::setPrintToFile(pdf);
    auto& seventh = rt::instance<frm7thType>();
    show(seventh, 1, 0, 0);  // C minor7th form 1: diagram 161
    ASSERT_EQ(shownDiagram(seventh), 161);
    ASSERT_NO_FATAL_FAILURE(printShownChord(seventh));
    EXPECT_TRUE(prompts.isEmpty());
    ASSERT_NO_FATAL_FAILURE(printedpage::expectChordPage(pdf, dir.filePath("page"), {"C minor7th", "1st Fret"}));
    ASSERT_NO_FATAL_FAILURE(printedpage::expectSharpDiagram(pdf, dir.filePath("page"), *seventh.imgChord.Picture().image(), 161));
}

TEST_F(PrintTest, NoPrinterGivesOneMessageAndStillClosesThePreview) {
    rt::simulateNoPrinter(true);
    show(basic, 0, 0, 0);
    ASSERT_NO_FATAL_FAILURE(printShownChord(basic));
    EXPECT_EQ(prompts, QStringList({kCantPrint}));
    EXPECT_FALSE(preview.isLoaded());
    EXPECT_EQ(shownDiagram(basic), 101);
}

TEST_F(PrintTest, APrinterThatFailsGivesTheMessage) {
    rt::setPrintToFile(dir.filePath("no/such/folder/page.pdf"));
    show(basic, 0, 0, 0);
    ASSERT_NO_FATAL_FAILURE(printShownChord(basic));
    EXPECT_EQ(prompts, QStringList({kCantPrint}));
    EXPECT_FALSE(preview.isLoaded());
}

TEST_F(PrintTest, TheCloseBoxPrintsNothing) {
    const QString pdf = dir.filePath("page.pdf");
    rt::setPrintToFile(pdf);
    show(basic, 0, 0, 0);
    click(basic, "cmdPrint");
    ASSERT_TRUE(preview.isLoaded());
    preview.topLevelWidget()->close();
    settle();
    EXPECT_FALSE(preview.isLoaded());
    EXPECT_FALSE(QFile::exists(pdf));
    click(basic, "cmdPrint");
    EXPECT_TRUE(preview.isLoaded());
    EXPECT_TRUE(preview.cmdPrintMe.Visible());
}

}  // namespace

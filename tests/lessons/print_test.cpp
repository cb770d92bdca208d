// "Print Chord" and the print preview window, printing to a PDF file in place of the printer.
#include "lessons/core/frmprintme.h"
#include "lessons/core/messages.h"
#include "lessons/majorminor/frmbasic.h"
#include "lessons/seventh/frm7thtype.h"
#include "runtime/printer.h"
#include "support/lessondriver.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
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
        pickChordType(w, type);
        pickRoot(w, root);
        pickForm(w, form);
        strum(w);
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

TEST_F(PrintTest, PrintPutsDiagramFretLabelAndNameOnOnePageAndCloses) {
    const QString pdf = dir.filePath("page.pdf");
    rt::setPrintToFile(pdf);
    show(basic, 0, 7, 1);  // G Major form 2: diagram 102 at the 3rd fret
    click(basic, "cmdPrint");
    click(preview, "cmdPrintMe");
    settle();
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_FALSE(preview.isLoaded());
    EXPECT_EQ(shownDiagram(basic), 102);  // the lesson still shows the chord
    ASSERT_TRUE(QFile::exists(pdf));

    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(20000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\b")));

    // At 96 dpi the page shows the window's inside at its own size: find the diagram's grid
    // (rows of ink 186 pixels long), then the fret label right of it and the name below it.
    QProcess render;
    render.start("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, dir.filePath("page")});
    ASSERT_TRUE(render.waitForFinished(20000));
    const QImage page = QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(page.isNull());
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    QList<int> gridRows;
    int gridLeft = page.width(), gridRight = 0;
    for (int y = 0; y < page.height(); ++y) {
        int run = 0, best = 0, bestEnd = 0;
        for (int x = 0; x < page.width(); ++x) {
            run = dark(x, y) ? run + 1 : 0;
            if (run > best) best = run, bestEnd = x;
        }
        if (best >= 180 && best <= 192) {
            gridRows << y;
            gridLeft = qMin(gridLeft, bestEnd - best + 1);
            gridRight = qMax(gridRight, bestEnd);
        }
    }
    ASSERT_GE(gridRows.size(), 6 * 3);  // six fret lines, three or four rows each
    const int gridTop = gridRows.first(), gridBottom = gridRows.last();
    EXPECT_NEAR(gridBottom - gridTop, 280 - 26, 3);
    auto inkIn = [&](QRect r) {
        int n = 0;
        for (int y = qMax(0, r.top()); y <= qMin(page.height() - 1, r.bottom()); ++y)
            for (int x = qMax(0, r.left()); x <= qMin(page.width() - 1, r.right()); ++x) n += dark(x, y);
        return n;
    };
    // The fret label stands right of the first fret space; the chord name below the diagram.
    EXPECT_GT(inkIn(QRect(QPoint(gridRight + 20, gridTop - 10), QPoint(gridRight + 120, gridTop + 50))), 40);
    EXPECT_GT(inkIn(QRect(QPoint(gridLeft - 40, gridBottom + 40), QPoint(gridRight, gridBottom + 110))), 40);
    // Nothing where the hidden button stood, at the lower right.
    EXPECT_EQ(inkIn(QRect(QPoint(gridRight + 20, gridBottom + 90), QPoint(gridRight + 140, gridBottom + 150))), 0);

    // Opened again, the preview has its button back.
    click(basic, "cmdPrint");
    EXPECT_TRUE(preview.cmdPrintMe.Visible());
}

TEST_F(PrintTest, NoPrinterGivesOneMessageAndStillClosesThePreview) {
    rt::simulateNoPrinter(true);
    show(basic, 0, 0, 0);
    click(basic, "cmdPrint");
    click(preview, "cmdPrintMe");
    settle();
    EXPECT_EQ(prompts, QStringList({kCantPrint}));
    EXPECT_FALSE(preview.isLoaded());
    EXPECT_EQ(shownDiagram(basic), 101);
}

TEST_F(PrintTest, APrinterThatFailsGivesTheMessage) {
    rt::setPrintToFile(dir.filePath("no/such/folder/page.pdf"));
    show(basic, 0, 0, 0);
    click(basic, "cmdPrint");
    click(preview, "cmdPrintMe");
    settle();
    EXPECT_EQ(prompts, QStringList({kCantPrint}));
    EXPECT_FALSE(preview.isLoaded());
}

TEST_F(PrintTest, TheCloseBoxPrintsNothing) {
    const QString pdf = dir.filePath("page.pdf");
    rt::setPrintToFile(pdf);
    show(basic, 0, 0, 0);
    click(basic, "cmdPrint");
    preview.topLevelWidget()->close();
    settle();
    EXPECT_FALSE(preview.isLoaded());
    EXPECT_FALSE(QFile::exists(pdf));
    click(basic, "cmdPrint");
    EXPECT_TRUE(preview.isLoaded());
    EXPECT_TRUE(preview.cmdPrintMe.Visible());
}

}  // namespace

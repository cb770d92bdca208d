// The symmetrical-chords page: one diminished shape at four frets, loaded under a trap.
#include "diagrams/fingering.h"
#include "lessons/core/messages.h"
#include "lessons/dimaug/frmdimaug.h"
#include "lessons/dimaug/frmsymmetric.h"
#include "runtime/picture.h"
#include "support/uitest.h"

#include <QWidget>
#include <set>

namespace {

class SymmetricPageTest : public UiTest {
protected:
    frmSymmetric& page = rt::instance<frmSymmetric>();
    void SetUp() override {
        UiTest::SetUp();
        rt::instance<frmDimAug>().Show();
        click(rt::instance<frmDimAug>(), "cmdMoreDim");
    }
    void TearDown() override {
        rt::setMissingResourceForTests(0);
        UiTest::TearDown();
    }
};

TEST_F(SymmetricPageTest, ShowsDiagram235FourTimesBesideItsFixedFretLabels) {
    ASSERT_TRUE(page.isLoaded());
    EXPECT_EQ(page.Caption(), "Symmetrical Chords");
    QWidget* win = page.topLevelWidget();
    QWidget* client = win->findChild<QWidget*>("client");
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->size(), QSize(542, 545));  // 8130 x 8175 twips
    EXPECT_EQ(client->palette().color(QPalette::Window), QColor(192, 192, 255));
    EXPECT_TRUE(win->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(win->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(win->minimumSize(), win->maximumSize());
    EXPECT_EQ(win->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(win->windowIcon().availableSizes().contains(QSize(16, 16)));  // the music notes
    const struct {
        rt::Image* image;
        int left, top;
        rt::Label* label;
        const char* fret;
        int labelLeft, labelTop;
    } cells[] = {
        {&page.imgSymmetric1, 480, 1800, &page.Label2, "2nd Fret", 3000, 1920},
        {&page.imgSymmetric2, 4680, 1800, &page.Label3, "5th Fret", 7200, 1920},
        {&page.imgSymmetric3, 480, 5040, &page.Label4, "8th Fret", 3000, 5160},
        {&page.imgSymmetric4, 4680, 5040, &page.Label5, "11th Fret", 7200, 5160},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(c.fret);
        EXPECT_EQ(c.image->Picture().resourceId(), 235);
        EXPECT_TRUE(c.image->Stretch());
        EXPECT_EQ(c.image->Left(), c.left);
        EXPECT_EQ(c.image->Top(), c.top);
        EXPECT_EQ(c.image->Width(), 2295);
        EXPECT_EQ(c.image->Height(), 2895);
        EXPECT_EQ(c.image->widget()->width(), 153);
        EXPECT_EQ(c.image->widget()->height(), 193);
        EXPECT_EQ(c.label->Caption(), c.fret);
        EXPECT_EQ(c.label->Left(), c.labelLeft);
        EXPECT_EQ(c.label->Top(), c.labelTop);
    }
    // Each image asks for the picture anew.
    EXPECT_FALSE(page.imgSymmetric1.Picture() == page.imgSymmetric2.Picture());
    EXPECT_EQ(page.Label1.Caption(),
              "    Diminished and augmented chords are referred to as symmetrical chords. Symmetrical chords can be "
              "moved up the neck a specific number of frets and still keep the same quality. Diminished can be moved "
              "up the neck in increments of three frets and augmented in increments of four. In the examples below all "
              "chords are E Dim");
    EXPECT_TRUE(prompts.isEmpty());
}

TEST(SymmetricShape, EveryPositionSoundsAnEDiminishedChord) {
    constexpr int kOpen[6] = {4, 9, 14, 19, 23, 28};  // E2 A2 D3 G3 B3 E4, semitones above C2
    const std::set<int> eDim = {4, 7, 10, 1};         // E G Bb Db
    const diagrams::Fingering* f = diagrams::findFingering(235);
    ASSERT_NE(f, nullptr);
    for (int fret : {2, 5, 8, 11}) {
        std::set<int> sounded;
        for (int s = 0; s < diagrams::kStringCount; ++s) {
            const auto& st = f->strings[s];
            if (st.dot) sounded.insert((kOpen[s] + fret + st.dot->fretSpace - 1) % 12);
            else if (st.mark == diagrams::TopMark::Open) sounded.insert(kOpen[s] % 12);
        }
        EXPECT_EQ(sounded, eDim) << "fret " << fret;
    }
}

TEST_F(SymmetricPageTest, ClosingAndReopeningLoadsThePicturesAgain) {
    const rt::Picture first = page.imgSymmetric4.Picture();
    page.Unload(rt::vbFormControlMenu);
    settle();
    EXPECT_FALSE(page.isLoaded());
    click(rt::instance<frmDimAug>(), "cmdMoreDim");
    ASSERT_TRUE(page.isLoaded());
    EXPECT_EQ(page.imgSymmetric4.Picture().resourceId(), 235);
    EXPECT_FALSE(page.imgSymmetric4.Picture() == first);
}

TEST_F(SymmetricPageTest, AMissingDiagramIsTrappedOnceAndThePageStillOpens) {
    page.Unload();
    settle();
    rt::setMissingResourceForTests(235);
    click(rt::instance<frmDimAug>(), "cmdMoreDim");
    EXPECT_EQ(prompts, QStringList({lessons::kUnexpectedError}));
    ASSERT_TRUE(page.isLoaded());
    for (rt::Image* image : {&page.imgSymmetric1, &page.imgSymmetric2, &page.imgSymmetric3, &page.imgSymmetric4})
        EXPECT_TRUE(image->Picture().isEmpty());
}

TEST_F(SymmetricPageTest, ResizingMovesAndScalesNothing) {
    QWidget* top = page.topLevelWidget();
    top->resize(top->width() + 300, top->height() + 200);
    settle();
    EXPECT_EQ(page.imgSymmetric4.Left(), 4680);
    EXPECT_EQ(page.imgSymmetric4.Top(), 5040);
    EXPECT_EQ(page.imgSymmetric4.widget()->width(), 153);
    EXPECT_EQ(page.Label5.Left(), 7200);
}

}  // namespace

// The help page, the other-symbols page and the partial-chords page.
#include "app/frmhelp.h"
#include "app/frmmain.h"
#include "app/frmothersymbols.h"
#include "app/frmpartial.h"
#include "app/windows.h"
#include "lessons/core/messages.h"
#include "runtime/picture.h"
#include "support/uitest.h"

#include <QImage>
#include <QLabel>

using namespace rt;

namespace {

// The music-notes icon has a small image of its own; the program's icon does not.
bool hasNotesIcon(const QWidget* w) { return w->windowIcon().availableSizes().contains(QSize(16, 16)); }

QWidget* clientOf(const Form& f) { return f.topLevelWidget()->findChild<QWidget*>("client"); }

// The main window stays open, as it does whenever these pages can be opened.
class ReferencePagesTest : public UiTest {
protected:
    frmMain& main = instance<frmMain>();
    void SetUp() override {
        UiTest::SetUp();
        main.Show();
        settle();
    }
    void TearDown() override {
        setMissingResourceForTests(0);
        UiTest::TearDown();
    }
};

TEST_F(ReferencePagesTest, HelpPageShowsItsPictureAtItsOwnSizeRunningPastTheWindow) {
    openHelp();
    settle();
    auto& help = instance<frmHelp>();
    ASSERT_TRUE(help.isLoaded());
    EXPECT_EQ(help.Caption(), "Help");
    QWidget* win = help.topLevelWidget();
    EXPECT_EQ(clientOf(help)->size(), QSize(430, 546));
    EXPECT_EQ(win->minimumSize(), win->maximumSize());  // cannot be resized
    EXPECT_FALSE(win->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(win->windowFlags() & Qt::WindowMaximizeButtonHint);

    // 425 x 576 inside a two-pixel border: the box is taller than the client area.
    EXPECT_EQ(widget(help, "imgHelp")->geometry(), QRect(0, 0, 429, 580));
    EXPECT_FALSE(help.imgHelp.Stretch());
    ASSERT_EQ(help.imgHelp.Picture().width(), 425);
    ASSERT_EQ(help.imgHelp.Picture().height(), 576);
    // Unscaled inside the border; every row down to the last line of text is seen.
    const QImage shot = clientOf(help)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = help.imgHelp.Picture().image()->convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(shot.copy(2, 2, 425, 544) == picture.copy(0, 0, 425, 544));

    EXPECT_EQ(win->cursor().shape(), Qt::BitmapCursor);  // the guitar
    EXPECT_EQ(win->cursor().hotSpot(), QPoint(0, 0));
    EXPECT_TRUE(hasNotesIcon(win));
}

TEST_F(ReferencePagesTest, OtherSymbolsPageIsWhiteSizableAndHasNoControls) {
    openOtherSymbols();
    settle();
    auto& other = instance<frmOtherSymbols>();
    ASSERT_TRUE(other.isLoaded());
    EXPECT_EQ(other.Caption(), "Other chord symbols");
    EXPECT_EQ(clientOf(other)->size(), QSize(439, 465));
    EXPECT_EQ(clientOf(other)->palette().color(QPalette::Window), QColor(255, 255, 255));
    QWidget* win = other.topLevelWidget();
    EXPECT_TRUE(win->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(win->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(win->minimumSize(), win->maximumSize());
    EXPECT_TRUE(other.controls().empty());

    EXPECT_EQ(win->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(hasNotesIcon(win));

    // The picture at its own size in the corner, cut off by the window at first; enlarged,
    // the window shows all of it and white beyond, never a stretched or repeated copy.
    const QImage picture = LoadBuiltInPicture(":/pictures/othersymbols.png").image()->convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(458, 483));
    QImage shot = clientOf(other)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(shot.copy(0, 0, 439, 465) == picture.copy(0, 0, 439, 465));
    win->resize(700, 700);
    settle();
    shot = clientOf(other)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_GE(shot.width(), 600);
    ASSERT_GE(shot.height(), 600);
    EXPECT_TRUE(shot.copy(0, 0, 458, 483) == picture);
    QImage white(shot.width() - 458, shot.height(), QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_TRUE(shot.copy(458, 0, white.width(), white.height()) == white);
    white = QImage(458, shot.height() - 483, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_TRUE(shot.copy(0, 483, white.width(), white.height()) == white);
}

TEST_F(ReferencePagesTest, HelpPageOpensOnceFromButtonOrMenuAndClosesByItsCloseBox) {
    auto& help = instance<frmHelp>();
    click(main, "cmdHelp");
    settle();
    ASSERT_TRUE(help.isLoaded());
    QWidget* first = help.topLevelWidget();
    main.mnuReadDiagrams.trigger();
    click(main, "cmdHelp");
    EXPECT_EQ(help.topLevelWidget(), first);  // never a second help page
    EXPECT_EQ(Forms().size(), 2u);

    first->close();  // the close box
    settle();
    EXPECT_FALSE(help.isLoaded());
    EXPECT_TRUE(main.isLoaded());
    EXPECT_FALSE(App::ended());
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(ReferencePagesTest, OtherSymbolsPageOpensOnceAndClosesByItsCloseBox) {
    auto& other = instance<frmOtherSymbols>();
    openOtherSymbols();
    settle();
    ASSERT_TRUE(other.isLoaded());
    QWidget* first = other.topLevelWidget();
    openOtherSymbols();
    EXPECT_EQ(other.topLevelWidget(), first);
    EXPECT_EQ(Forms().size(), 2u);

    first->close();
    settle();
    EXPECT_FALSE(other.isLoaded());
    EXPECT_FALSE(App::ended());
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(ReferencePagesTest, ClosingTheMainWindowClosesThePages) {
    openHelp();
    openPartial();
    openOtherSymbols();
    settle();
    ASSERT_EQ(Forms().size(), 4u);
    main.topLevelWidget()->close();
    settle();
    EXPECT_TRUE(Forms().empty());
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(ReferencePagesTest, PartialPageShowsItsFourDiagramsWithFretLabels) {
    click(main, "cmdPartial");
    settle();
    auto& page = instance<frmPartial>();
    ASSERT_TRUE(page.isLoaded());
    EXPECT_TRUE(prompts.isEmpty());
    EXPECT_EQ(page.Caption(), "How to make partial chords");
    EXPECT_EQ(clientOf(page)->size(), QSize(542, 540));
    EXPECT_EQ(clientOf(page)->palette().color(QPalette::Window), QColor(192, 192, 255));
    EXPECT_EQ(page.topLevelWidget()->minimumSize(), page.topLevelWidget()->maximumSize());
    EXPECT_EQ(page.topLevelWidget()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(hasNotesIcon(page.topLevelWidget()));

    const struct {
        Image* image;
        int id;
        QRect box;
        Label* fret;
    } rows[] = {
        {&page.imgPartial1, 196, {32, 120, 153, 193}, &page.Label2},
        {&page.imgPartial2, 193, {304, 120, 153, 193}, &page.Label3},
        {&page.imgPartial3, 194, {32, 336, 153, 193}, &page.Label4},
        {&page.imgPartial4, 195, {304, 336, 153, 193}, &page.Label5},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.id);
        EXPECT_EQ(r.image->Picture().resourceId(), r.id);
        EXPECT_TRUE(r.image->Stretch());
        EXPECT_EQ(r.image->widget()->geometry(), r.box);
        EXPECT_EQ(r.fret->Caption(), "3rd Fret");
        // Right of its image, near its top.
        EXPECT_GT(r.fret->Left(), r.image->Left() + r.image->Width());
        EXPECT_EQ(r.fret->Top(), r.image->Top() + 120);
    }
    const QString text = page.Label1.Caption();
    EXPECT_EQ(text.size(), 231);
    EXPECT_TRUE(text.startsWith("   The easiest way"));
    EXPECT_TRUE(text.contains("partial chord  is to break"));
    EXPECT_TRUE(text.contains("from  G Maj Form 2."));
    EXPECT_TRUE(text.endsWith("single chord !"));
    EXPECT_TRUE(static_cast<QLabel*>(widget(page, "Label1"))->wordWrap());
}

TEST_F(ReferencePagesTest, PartialPageLoadsOnlyOnceWhileOpenAndAfreshWhenReopened) {
    openPartial();
    settle();
    auto& page = instance<frmPartial>();
    ASSERT_TRUE(page.isLoaded());
    const Picture first = page.imgPartial1.Picture();
    main.mnuMakePartialChords.trigger();
    EXPECT_TRUE(page.imgPartial1.Picture() == first);  // no second load

    page.topLevelWidget()->close();
    settle();
    ASSERT_FALSE(page.isLoaded());
    openPartial();
    settle();
    EXPECT_EQ(page.imgPartial1.Picture().resourceId(), 196);
    EXPECT_FALSE(page.imgPartial1.Picture() == first);  // loaded afresh
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(ReferencePagesTest, PartialPageTrapsAMissingDiagram) {
    setMissingResourceForTests(194);
    openPartial();
    settle();
    auto& page = instance<frmPartial>();
    ASSERT_TRUE(page.isLoaded());  // it opens all the same
    EXPECT_EQ(prompts, QStringList{lessons::kUnexpectedError});
    EXPECT_EQ(prompts.value(0), "An Unexpected Error has occurred, Please try reinstalling software");
    EXPECT_EQ(page.imgPartial1.Picture().resourceId(), 196);
    EXPECT_EQ(page.imgPartial2.Picture().resourceId(), 193);
    EXPECT_TRUE(page.imgPartial3.Picture().isEmpty());
    EXPECT_TRUE(page.imgPartial4.Picture().isEmpty());
    // Shown, and the program goes on.
    EXPECT_TRUE(page.topLevelWidget()->isVisible());
    EXPECT_FALSE(App::ended());
}

}  // namespace

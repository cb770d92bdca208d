// The main window, the About window and the instance model they share.
#include "app/frmabout.h"
#include "app/frmmain.h"
#include "runtime/app.h"
#include "runtime/errors.h"
#include "runtime/mmcontrol.h"
#include "support/uitest.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMainWindow>
#include <QTest>

using namespace rt;

namespace {

class MainWindowTest : public UiTest {
protected:
    frmMain& main = instance<frmMain>();
    void SetUp() override {
        endsWithLastWindow_ = true;
        UiTest::SetUp();
        main.Show();
        settle();
    }
};

QString buttonCaption(QWidget* w) {
    auto* l = w->findChild<QLabel*>("caption");
    return l ? l->text() : QString();
}

TEST_F(MainWindowTest, WindowHasItsDesignCaptionSizeAndColour) {
    EXPECT_EQ(main.Caption(), "Strumvane");
    QWidget* client = main.topLevelWidget()->findChild<QWidget*>("client");
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->size(), QSize(681, 517));
    EXPECT_EQ(client->palette().color(QPalette::Window), QColor(192, 192, 255));
    // Fixed border: the window cannot be resized by the user.
    EXPECT_EQ(main.topLevelWidget()->minimumSize(), main.topLevelWidget()->maximumSize());
    EXPECT_FALSE(main.topLevelWidget()->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(main.topLevelWidget()->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(MainWindowTest, ButtonsHaveTheirCaptionsTooltipsAndPlaces) {
    struct Row {
        const char* name;
        int left, top;
        const char* caption;
        const char* tip;
    };
    const Row rows[] = {
        {"cmdHelp", 2400, 1560, "Reading Chord Diagrams", "Choose to learn about chord diagrams"},
        {"cmdChordSymbols", 5280, 1560, "Chord Symbols", "Choose to learn about chord symbols"},
        {"cmdBasic", 2400, 2880, "Major / minor", "Choose this for basic chords"},
        {"cmd7thType", 5280, 2880, "7th Type Chords", "Choose this for 7th type chords"},
        {"cmdInversions", 720, 4080, "Inversions", "Choose this for chord inversions"},
        {"cmdAugDim", 3840, 4080, "Augmented -      Diminished", "Choose for augmented and diminished chords"},
        {"Command2", 6840, 4080, "Suspended - Add Chords", "Choose for Suspended and add chords"},
        {"cmdPartial", 2400, 6480, "Partial Chords", "Choose to learn how to make partial chords"},
        {"Command3", 5400, 5280, "Dominant  Chords", "Choose for Dominant type chords"},
        {"Command4", 2400, 5280, "Major  /  minor Extensions", "Choose for Major and minor extented chords"},
        {"Command1", 5400, 6480, "Common Chord Progressions", "Choose to hear chord progressions"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QWidget* w = widget(main, r.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(buttonCaption(w), r.caption);
        EXPECT_EQ(w->toolTip(), r.tip);
        EXPECT_EQ(w->geometry(), QRect(r.left / 15, r.top / 15, 169, 65));
        EXPECT_EQ(w->font().pointSizeF(), 13.5);
        EXPECT_TRUE(buttonCaption(w).isEmpty() || w->findChild<QLabel*>("caption")->font().italic());
    }
}

TEST_F(MainWindowTest, TabVisitsTheTenButtonsThenThePanelsThenProgressions) {
    EXPECT_EQ(focusName(main), "cmdHelp");
    const QStringList expected = {"cmdChordSymbols", "cmdBasic", "cmd7thType", "cmdInversions", "cmdAugDim",
                                  "Command2", "cmdPartial", "Command3", "Command4", "Picture1",
                                  "Picture2", "WebBrowser1", "WebBrowser2", "Command1", "cmdHelp"};
    for (const QString& name : expected) {
        key(main, Qt::Key_Tab);
        EXPECT_EQ(focusName(main), name);
    }
}

// The menu tree with captions, access keys and separators, depth-first.
QStringList menuTree(QMenu* menu, const QString& indent) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        out << indent + (a->isSeparator() ? QString("-") : a->text()) + " (" + a->objectName() + ")";
        if (a->menu()) out << menuTree(a->menu(), indent + "  ");
    }
    return out;
}

TEST_F(MainWindowTest, MenuBarHoldsTheWholeTree) {
    auto* bar = static_cast<QMainWindow*>(main.topLevelWidget())->menuBar();
    QStringList tree;
    for (QAction* a : bar->actions()) {
        tree << a->text() + " (" + a->objectName() + ")";
        if (a->menu()) tree << menuTree(a->menu(), "  ");
    }
    const QStringList expected = {
        "&File (mnuFile)", "  - (mnuDash1)", "  E&xit (mnuFileExit)",
        "&Chords (mnuChordS)",
        "  &Major (mnuMajor)", "    Basic (mnuBasic1)", "    7thType (mnu7thType1)", "    Major 6th (mnuMajor6th)",
        "    Extensions (mnuExtensions1)", "    Inversions (mnuInversions1)",
        "  m&inor (mnuMinor)", "    Basic (mnuBasic2)", "    7thType (mnu7thType2)", "    minor 6th (mnuMinor6th)",
        "    Extensions (mnuExtensions2)", "    Inversions (mnuInversions2)",
        "  - (mnuDash2)",
        "  D&ominant (mnuDominant)", "    7th (mnu7th)", "    Inversions (mnuInversions3)", "    Extended/Altered (mnuExtAlt)",
        "  - (mnuDash3)", "  &Diminished (mnuDiminished)", "  - (mnuDash4)", "  A&ugmented (mnuAugmented)",
        "  - (mnuDash5)", "  &Suspended (mnuSuspended)", "  - (mnuDash6)", "  &Add (mnuAdd)",
        "&Progressions (mnuProgressions)", "  P&lay chord progressions (mnuPlayProgressions)",
        "&Help (mnuHelp)", "  H&ow To (mnuHowTo)", "    Read Diagrams (mnuReadDiagrams)",
        "    Chord Symbols ? (mnuChordSymbols)", "    Make Partial Chords (mnuMakePartialChords)",
        "  - (mnuDash7)", "  &About (mnuAbout)",
    };
    EXPECT_EQ(tree, expected);
}

TEST_F(MainWindowTest, PanelsShowThePictureBesideTheProgramAndResizeSetsTheirHeight) {
    EXPECT_EQ(main.strPicPath, App::Path() + "/GuitarMan.gif");
    EXPECT_EQ(main.WebBrowser1.LocationURL(), main.strPicPath);
    EXPECT_EQ(main.WebBrowser2.LocationURL(), main.strPicPath);
    const int outer = static_cast<int>(main.Height());
    EXPECT_NEAR(main.WebBrowser1.Height(), outer, 15);
    EXPECT_NEAR(main.WebBrowser2.Height(), outer, 15);
    // The views reach past their boxes, which clip them.
    EXPECT_GT(main.WebBrowser1.Height(), main.Picture1.Height());
}

// The guitar over the main window: a 32 x 32 picture with its hotspot at the headstock's
// tip, top left, and the body's rim in yellow and reds at the lower right.
TEST_F(MainWindowTest, ShowsTheGuitarCursor) {
    const QCursor cursor = main.topLevelWidget()->cursor();
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << "the main window does not show the guitar cursor";
    EXPECT_EQ(cursor.hotSpot(), QPoint(0, 0));
    const QImage guitar = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(guitar.size(), QSize(32, 32));
    EXPECT_GT(qAlpha(guitar.pixel(0, 0)), 0) << "nothing at the hotspot";
    int yellow = 0, red = 0;
    for (int y = 16; y < 32; ++y)
        for (int x = 16; x < 32; ++x) {
            const QRgb p = guitar.pixel(x, y);
            if (qAlpha(p) < 255) continue;
            yellow += qRed(p) > 160 && qGreen(p) > 160 && qBlue(p) < 96;
            red += qRed(p) > 96 && qGreen(p) < 64 && qBlue(p) < 64;
        }
    EXPECT_GT(yellow, 0) << "no yellow rim on the guitar's body";
    EXPECT_GT(red, 0) << "no red rim on the guitar's body";
}

// Every button and menu item that opens a window opens its own, and only that one.
TEST_F(MainWindowTest, EveryOpeningHandlerOpensItsWindow) {
    configureMidi(MidiOutput::None);  // the progression player stays silent
    const struct {
        const char* control;  // a button's name, or a menu item's
        const char* window;
    } handlers[] = {
        {"cmdHelp", "frmHelp"},
        {"cmdChordSymbols", "frmSymbols"},
        {"cmdBasic", "frmBasic"},
        {"cmd7thType", "frm7thType"},
        {"cmdInversions", "frmInversions"},
        {"cmdAugDim", "frmDimAug"},
        {"Command2", "frmSusAdd"},
        {"cmdPartial", "frmPartial"},
        {"Command3", "frmDominant"},
        {"Command4", "frmMajMinExt"},
        {"Command1", "frmPro"},
        {"mnuBasic1", "frmBasic"},
        {"mnu7thType1", "frm7thType"},
        {"mnuMajor6th", "frmInversions"},
        {"mnuExtensions1", "frmMajMinExt"},
        {"mnuInversions1", "frmInversions"},
        {"mnuBasic2", "frmBasic"},
        {"mnu7thType2", "frm7thType"},
        {"mnuMinor6th", "frmInversions"},
        {"mnuExtensions2", "frmMajMinExt"},
        {"mnuInversions2", "frmInversions"},
        {"mnu7th", "frm7thType"},
        {"mnuInversions3", "frmInversions"},
        {"mnuExtAlt", "frmDominant"},
        {"mnuDiminished", "frmDimAug"},
        {"mnuAugmented", "frmDimAug"},
        {"mnuSuspended", "frmSusAdd"},
        {"mnuAdd", "frmSusAdd"},
        {"mnuPlayProgressions", "frmPro"},
        {"mnuReadDiagrams", "frmHelp"},
        {"mnuChordSymbols", "frmSymbols"},
        {"mnuMakePartialChords", "frmPartial"},
        {"mnuAbout", "frmAbout"},
    };
    for (const auto& h : handlers) {
        SCOPED_TRACE(h.control);
        Control* control = main.findControl(h.control);
        ASSERT_NE(control, nullptr);
        if (auto* item = dynamic_cast<Menu*>(control))
            item->trigger();
        else
            click(control->widget());
        settle();
        QStringList open;
        for (Form* f : Forms())
            if (f != &main) open << f->Name();
        EXPECT_EQ(open, QStringList{h.window}) << h.control << " opens the wrong window";
        for (Form* f : Forms())
            if (f != &main) f->Unload();
        settle();
    }
    EXPECT_TRUE(main.isLoaded());
    EXPECT_TRUE(prompts.isEmpty());
    configureMidi(MidiOutput::Offline);
}

TEST_F(MainWindowTest, AboutOpensOnceAndOkClosesOnlyIt) {
    main.mnuAbout.trigger();
    auto& about = instance<frmAbout>();
    ASSERT_TRUE(about.isLoaded());
    EXPECT_EQ(about.Caption(), "About Strumvane");
    EXPECT_EQ(about.Label1.Caption(), "Strumvane ");
    EXPECT_EQ(about.Label7.Caption(), "send comments and suggestions to:");
    EXPECT_EQ(focusName(about), "cmdOk");
    QWidget* before = about.topLevelWidget();
    main.mnuAbout.trigger();  // a second opening brings up the same window
    EXPECT_EQ(about.topLevelWidget(), before);
    EXPECT_EQ(Forms().size(), 2u);

    click(about, "cmdOk");
    settle();
    EXPECT_FALSE(about.isLoaded());
    EXPECT_TRUE(main.isLoaded());
    EXPECT_FALSE(App::ended());

    // Reopened, it is laid out afresh.
    main.mnuAbout.trigger();
    EXPECT_TRUE(about.isLoaded());
    EXPECT_NE(about.topLevelWidget(), nullptr);
    EXPECT_EQ(about.Label1.Caption(), "Strumvane ");
}

TEST_F(MainWindowTest, ClosingTheMainWindowUnloadsEveryWindowAndEndsTheProgram) {
    main.mnuAbout.trigger();
    ASSERT_EQ(Forms().size(), 2u);
    main.topLevelWidget()->close();  // the close box
    settle();
    EXPECT_TRUE(Forms().empty());
    EXPECT_TRUE(App::ended());
    EXPECT_FALSE(instance<frmAbout>().isLoaded());
}

TEST_F(MainWindowTest, FileExitClosesEverything) {
    main.mnuAbout.trigger();
    main.mnuFileExit.trigger();
    settle();
    EXPECT_TRUE(Forms().empty());
    EXPECT_TRUE(App::ended());
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(MainWindowTest, AMainWindowReloadKeepsInstanceVariablesAndBuildsControlsAfresh) {
    main.strPicPath = "changed";
    QWidget* oldButton = widget(main, "cmdHelp");
    main.Unload();
    settle();
    App::resetEnded();
    EXPECT_EQ(main.strPicPath, "changed");  // the instance keeps its variables while unloaded
    EXPECT_THROW(main.cmdHelp.Caption(), RuntimeError);
    main.Show();
    EXPECT_NE(widget(main, "cmdHelp"), oldButton);
    EXPECT_EQ(main.strPicPath, App::Path() + "/GuitarMan.gif");  // Form_Load ran again
}

}  // namespace

namespace {

TEST_F(MainWindowTest, AltKeysOpenTheMenusAndLettersChooseTheirItems) {
    auto* bar = static_cast<QMainWindow*>(main.topLevelWidget())->menuBar();
    main.topLevelWidget()->activateWindow();
    const struct {
        Qt::Key key;
        const char* menu;
    } menus[] = {{Qt::Key_F, "mnuFile"}, {Qt::Key_C, "mnuChordS"}, {Qt::Key_P, "mnuProgressions"}, {Qt::Key_H, "mnuHelp"}};
    for (const auto& m : menus) {
        QTest::keyClick(main.topLevelWidget(), m.key, Qt::AltModifier);
        settle();
        ASSERT_NE(bar->activeAction(), nullptr) << m.menu;
        EXPECT_EQ(bar->activeAction()->objectName(), m.menu);
        QMenu* open = bar->activeAction()->menu();
        ASSERT_NE(open, nullptr);
        open->close();
        settle();
    }
    // A letter in an open menu chooses its item: Help, then A for About.
    QTest::keyClick(main.topLevelWidget(), Qt::Key_H, Qt::AltModifier);
    settle();
    QTest::keyClick(bar->activeAction()->menu(), Qt::Key_A);
    settle();
    EXPECT_TRUE(instance<frmAbout>().isLoaded());
}

}  // namespace

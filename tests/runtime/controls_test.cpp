// The controls as the platform's were: an option's Click whenever it becomes set, names for
// screen readers, the default button's mark, a single-choice list that keeps its choice, and
// the looks that differ from Qt's own.
#include "runtime/app.h"
#include "runtime/form.h"
#include "runtime/widgets_p.h"
#include "support/uitest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace rt;

namespace {

constexpr Rgb kBoxBlue{128, 128, 255};

class frmControls : public Form {
public:
    frmControls() : Form("frmControls") {
        optPick.Click = [this](int i) { ++picks[i]; };
        lstThings.Click = [this] { ++listClicks; };
    }
    Frame fraPick{this, "fraPick"};
    ControlArray<OptionButton, 3> optPick{this, "optPick"};
    Label lblThings{this, "lblThings"};
    ListBox lstThings{this, "lstThings"};
    Label lblDrop{this, "lblDrop"};
    ComboBox cmbDrop{this, "cmbDrop"};
    CommandButton cmdOne{this, "cmdOne"};
    CommandButton cmdTwo{this, "cmdTwo"};
    CommandButton cmdBlank{this, "cmdBlank"};
    Menu mnuFile{this, "mnuFile"};
    Menu mnuDash{this, "mnuDash"};
    Menu mnuExit{this, "mnuExit"};
    int picks[3] = {};
    int listClicks = 0;

    void Form_Load() override {
        for (const char* t : {"Major", "minor", "7th"}) lstThings.AddItem(t);
        for (const char* t : {"ii - V - I", "I - IV - V"}) cmbDrop.AddItem(t);
    }

protected:
    WindowDesign Window() const override {
        WindowDesign w;
        w.caption = "controls";
        w.width = 9000;
        w.height = 6000;
        w.backColor = kLightBlue;
        return w;
    }
    Layout Design() override {
        return {
            frame(fraPick, 120, 120, 1800, 1800).caption("Pick").tip("Choose one").back(kLightBlue),
            option(optPick(0), 120, 300, 600, 375).caption("A").in(fraPick).back(kLightBlue).tab(0),
            option(optPick(1), 120, 780, 600, 375).caption("B").in(fraPick).back(kLightBlue).tab(1),
            option(optPick(2), 120, 1260, 600, 375).caption("C").in(fraPick).back(kLightBlue).tab(2),
            label(lblThings, 2400, 120, 1500, 255).caption("Things").back(kLightBlue).buddy(lstThings),
            list(lstThings, 2400, 480, 2000, 1500).tab(3),
            label(lblDrop, 5000, 120, 1500, 255).caption("Drop").buddy(cmbDrop),
            comboList(cmbDrop, 5000, 480, 2000, 360).back(kBoxBlue).tab(4),
            button(cmdOne, 120, 3000, 1800, 735).caption(" One ").back(kLightBlue).tab(5).isDefault(),
            button(cmdTwo, 2400, 3000, 1800, 735).caption("Two").back(kLightBlue).tab(6),
            button(cmdBlank, 4800, 3000, 1800, 735).back(kLightBlue).tab(7),
        };
    }
    MenuBar Menus() override { return {{&mnuFile, 0, "&File"}, {&mnuDash, 1, "-"}, {&mnuExit, 1, "E&xit"}}; }
};

class ControlsTest : public UiTest {
protected:
    frmControls& w = instance<frmControls>();
    void SetUp() override {
        UiTest::SetUp();
        w.Show();
        // The focus, and the keys, go to the active window only.
        QApplication::setActiveWindow(w.topLevelWidget());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.topLevelWidget()));
        for (int& n : w.picks) n = 0;
        w.listClicks = 0;
    }
    static QAccessibleInterface* accessible(const Control& c) { return QAccessible::queryAccessibleInterface(c.widget()); }
    static QListWidget* listWidget(const ListBox& l) { return static_cast<QListWidget*>(l.widget()); }
    // A control as it shows, at one logical pixel to an image pixel.
    static QImage shown(QWidget* widget) {
        const QPixmap shot = widget->grab();
        return shot.toImage().scaled(widget->size()).convertToFormat(QImage::Format_RGB32);
    }
    static QRgb rgb(Rgb c) { return qRgb(c.r, c.g, c.b); }
    QString picks() const { return QString("%1%2%3").arg(w.picks[0]).arg(w.picks[1]).arg(w.picks[2]); }
};

TEST_F(ControlsTest, AnOptionsClickRunsWheneverItBecomesSetAndNotWhenCleared) {
    click(w.optPick(0).widget());
    EXPECT_EQ(picks(), "100") << "mouse";
    key(w, Qt::Key_Down);
    EXPECT_TRUE(w.optPick(1).Value());
    EXPECT_EQ(picks(), "110") << "arrow key";
    QAccessibleInterface* c = accessible(w.optPick(2));
    ASSERT_TRUE(c && c->actionInterface());
    c->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(w.optPick(2).Value());
    EXPECT_EQ(picks(), "111") << "assistive technology";
    w.optPick(0).setValue(true);
    EXPECT_EQ(picks(), "211") << "code";
    // Clearing the others of its frame ran none of their Clicks.
    EXPECT_FALSE(w.optPick(2).Value());
}

TEST_F(ControlsTest, ScreenReadersHearEachControlByItsCaptionOrItsLabel) {
    EXPECT_EQ(accessible(w.cmdOne)->text(QAccessible::Name), "One");
    EXPECT_EQ(accessible(w.cmdTwo)->role(), QAccessible::Button);
    w.cmdTwo.setCaption(" Stop Progression");
    EXPECT_EQ(accessible(w.cmdTwo)->text(QAccessible::Name), "Stop Progression");

    QAccessibleInterface* frame = accessible(w.fraPick);
    EXPECT_EQ(frame->role(), QAccessible::Grouping);
    EXPECT_EQ(frame->text(QAccessible::Name), "Pick");
    EXPECT_EQ(accessible(w.optPick(1))->text(QAccessible::Name), "B");

    EXPECT_EQ(accessible(w.lstThings)->text(QAccessible::Name), "Things");
    QAccessibleInterface* drop = accessible(w.cmbDrop);
    EXPECT_EQ(drop->text(QAccessible::Name), "Drop");
    w.cmbDrop.setListIndex(1);
    EXPECT_EQ(drop->text(QAccessible::Name), "Drop") << "still named by its label once an entry is picked";
    EXPECT_EQ(drop->text(QAccessible::Value), "I - IV - V");
}

TEST_F(ControlsTest, TheDefaultButtonIsReportedAndCarriesTheDarkFrame) {
    const auto isDefault = [this](const CommandButton& b) { return accessible(b)->state().defaultButton; };
    w.lstThings.SetFocus();
    EXPECT_TRUE(isDefault(w.cmdOne));
    EXPECT_FALSE(isDefault(w.cmdTwo));
    EXPECT_TRUE(framed(w.cmdOne));
    EXPECT_FALSE(framed(w.cmdTwo));

    w.cmdTwo.setDefault(true);
    EXPECT_FALSE(isDefault(w.cmdOne));
    EXPECT_TRUE(isDefault(w.cmdTwo));
    EXPECT_FALSE(framed(w.cmdOne));
    EXPECT_TRUE(framed(w.cmdTwo));

    // A focused button is the one Enter presses: it takes the frame while it has the focus,
    // and the default state stays where it is.
    w.cmdOne.SetFocus();
    EXPECT_TRUE(framed(w.cmdOne));
    EXPECT_FALSE(framed(w.cmdTwo));
    EXPECT_TRUE(isDefault(w.cmdTwo));
    w.lstThings.SetFocus();
    EXPECT_FALSE(framed(w.cmdOne));
    EXPECT_TRUE(framed(w.cmdTwo));

    w.cmdTwo.setDefault(false);
    EXPECT_FALSE(isDefault(w.cmdTwo));
    EXPECT_FALSE(framed(w.cmdTwo));
    EXPECT_EQ(w.defaultButton(), nullptr);
}

TEST_F(ControlsTest, ASingleChoiceListKeepsItsChoiceOnceOneIsPicked) {
    QListWidget* list = listWidget(w.lstThings);
    QWidget* view = list->viewport();
    const QPoint below(8, view->height() - 4);
    ASSERT_FALSE(list->itemAt(below));
    // Before a pick there is nothing to keep.
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, below);
    EXPECT_EQ(w.lstThings.ListIndex(), -1);

    const QPoint minor = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, minor);
    ASSERT_EQ(w.lstThings.Text(), "minor");
    ASSERT_EQ(w.listClicks, 1);

    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, below);
    EXPECT_EQ(w.lstThings.Text(), "minor") << "click below the entries";
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, minor);
    EXPECT_EQ(w.lstThings.Text(), "minor") << "Ctrl+click on the chosen entry";
    QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(w.lstThings.Text(), "minor") << "Ctrl+Space";
    QAccessibleInterface* cell = accessible(w.lstThings)->tableInterface()->cellAt(1, 0);
    ASSERT_TRUE(cell && cell->actionInterface());
    cell->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(w.lstThings.Text(), "minor") << "assistive technology's toggle";
    EXPECT_EQ(w.listClicks, 1);

    // The choice still moves, and code may clear it.
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(w.lstThings.Text(), "7th");
    // An entry added to the selection replaces the chosen one.
    list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::Select);
    EXPECT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(w.lstThings.Text(), "Major");
    w.lstThings.setListIndex(-1);
    EXPECT_EQ(w.lstThings.ListIndex(), -1);
}

TEST_F(ControlsTest, AListWithoutAColourOfItsOwnKeepsTheSystemsListColours) {
    QListWidget* list = listWidget(w.lstThings);
    const QColor system = QApplication::palette(list).color(QPalette::Base);
    ASSERT_NE(system, QColor(rgb(kLightBlue)));
    EXPECT_EQ(list->palette().color(QPalette::Base), system);
    const QImage img = shown(list->viewport());
    EXPECT_EQ(QColor(img.pixel(img.width() / 2, img.height() - 4)), system);
}

TEST_F(ControlsTest, TheDropDownsOpenListHasTheBoxsColourAndTheFocusHighlightsItsText) {
    auto* box = static_cast<QComboBox*>(w.cmbDrop.widget());
    box->showPopup();
    QAbstractItemView* open = box->view();
    ASSERT_TRUE(open->isVisible());
    const QRect second = open->visualRect(open->model()->index(1, 0));
    const QImage list = shown(open->viewport());
    EXPECT_EQ(list.pixel(list.width() - 3, second.center().y()), rgb(kBoxBlue));
    box->hidePopup();

    // The text field right of the text, left of the arrow: the box's colour, then the highlight.
    w.cmbDrop.setListIndex(0);
    const QPoint field(box->width() * 3 / 5, box->height() / 2);
    w.lstThings.SetFocus();
    EXPECT_EQ(shown(box).pixel(field), rgb(kBoxBlue));
    w.cmbDrop.SetFocus();
    EXPECT_EQ(QColor(shown(box).pixel(field)), box->palette().color(QPalette::Highlight));
}

TEST_F(ControlsTest, AGraphicalButtonKeepsItsFlatFaceWithTheFocusAndGainsAFocusRectangle) {
    QWidget* b = w.cmdBlank.widget();
    const auto faceOnly = [](const QImage& img, const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (img.pixel(x, y) != rgb(kLightBlue)) return false;
        return true;
    };
    const QRect inside = b->rect().adjusted(6, 6, -7, -7);
    const QRect focusLine(5, 4, b->width() - 10, 1);
    w.lstThings.SetFocus();
    const QImage plain = shown(b);
    EXPECT_TRUE(faceOnly(plain, inside));
    EXPECT_TRUE(faceOnly(plain, focusLine));
    w.cmdBlank.SetFocus();
    const QImage focused = shown(b);
    EXPECT_TRUE(faceOnly(focused, inside));
    EXPECT_FALSE(faceOnly(focused, focusLine));
}

TEST_F(ControlsTest, ASeparatorShowsFirstInItsMenu) {
    auto* file = w.mnuFile.action()->menu<QMenu*>();
    ASSERT_NE(file, nullptr);
    QAction* dash = w.mnuDash.action();
    ASSERT_EQ(file->actions().value(0), dash);
    EXPECT_GT(file->actionGeometry(dash).height(), 0);
    EXPECT_LT(file->actionGeometry(dash).bottom(), file->actionGeometry(w.mnuExit.action()).top());
}

TEST_F(ControlsTest, AnOptionShowsNoTooltipOfItsFrame) {
    const auto hover = [](QWidget* widget) {
        const QPoint at(2, 2);
        QHelpEvent e(QEvent::ToolTip, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &e);
    };
    ASSERT_FALSE(QToolTip::isVisible());
    hover(w.optPick(0).widget());
    EXPECT_FALSE(QToolTip::isVisible());
    hover(w.fraPick.widget());
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Choose one");
    QToolTip::hideText();
}

// The generic Linux theme puts a glyph on dialog buttons; so does this style.
class GlyphsOnDialogButtons : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget, QStyleHintReturn* ret) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons) return 1;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

TEST_F(ControlsTest, AMessageBoxShowsNoGlyphAnywhere) {
    setMessageHandler({});
    QApplication::setStyle(new GlyphsOnDialogButtons(QStyleFactory::create("Fusion")));
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_TRUE(box->iconPixmap().isNull());
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->buttons()[0]->text().remove('&'), "OK");
        EXPECT_TRUE(box->buttons()[0]->icon().isNull());
        box->accept();
    });
    MsgBox("You must pick a form");
    QApplication::setStyle(platformStyle());
    EXPECT_TRUE(seen);
}

}  // namespace

// What the seven lesson windows share, checked in each of them from one table: their look,
// a Strum handler called for a root of another group, a diagram that fails to load, print
// and exit, and the main window opening them. Diagrams and fret labels come from each
// lesson's own table of keys.
#include "app/frmmain.h"
#include "lessons/core/frmprintme.h"
#include "lessons/core/messages.h"
#include "lessons/dimaug/frmdimaug.h"
#include "lessons/dominant/frmdominant.h"
#include "lessons/extensions/frmmajminext.h"
#include "lessons/inversions/frminversions.h"
#include "lessons/majorminor/frmbasic.h"
#include "lessons/seventh/frm7thtype.h"
#include "lessons/susadd/frmsusadd.h"
#include "runtime/picture.h"
#include "support/lessonkeys.h"
#include "support/lessontest.h"

#include <QListWidget>

#include <vector>

using namespace lessondriver;
using lessons::kNothingToPrint;
using lessons::kUnexpectedError;

namespace {

// A key of a lesson: list position, root index, form (or inversion) index.
struct Key {
    int type, root, form;
};

// A Strum handler called while the set root belongs to another group's button: it
// finds no row (or, in the inversions lesson, names its own roots).
struct ForeignRoot {
    void (*handler)();
    Key key;
    const char* prompt;    // null: no message, the picture visible and empty
    int referralType;      // then a referral type: its message still comes (-1: none)
    const char* referral;
};

struct Lesson {
    const char* name;
    lessons::LessonWindow& (*window)();
    QStringList chordTypes;             // the list as it opens, in its order
    const char* strumButtonsAtOpening;  // visible ones numbered in design order, "*" after the default
    // The main window's button and menu items that open it, and a chord shown before the
    // menu items bring it up again.
    rt::CommandButton frmMain::*button;
    std::vector<rt::Menu frmMain::*> menuItems;
    Key opened;
    // A diagram that fails to load with a chord shown, and one after a clearing pick.
    Key kept, cleared;
    // A chord printed, and its name.
    Key printed;
    const char* printedName;
    std::vector<ForeignRoot> foreignRoots;
};

template <class W>
lessons::LessonWindow& window() {
    return rt::instance<W>();
}

template <size_t N>
QStringList listOf(const char* const (&entries)[N]) {
    QStringList out;
    for (const char* e : entries) out << e;
    return out;
}

const Lesson kLessons[] = {
    {"Basic", window<frmBasic>, {"Major", "minor"}, "1*", &frmMain::cmdBasic, {&frmMain::mnuBasic1, &frmMain::mnuBasic2},
     {0, 0, 0}, {0, 7, 1}, {1, 2, 2}, {1, 1, 3}, "C#/Db minor", {}},
    {"Seventh", window<frm7thType>, {"Major7th", "minor7th", "7th", "minor7th(b5)"}, "1*", &frmMain::cmd7thType,
     {&frmMain::mnu7thType1, &frmMain::mnu7thType2, &frmMain::mnu7th},
     {0, 0, 0}, {3, 10, 0}, {0, 11, 2}, {3, 10, 0}, "A#/Bb minor7th(b5)", {}},
    {"Inversions", window<frmInversions>,
     {"Major", "minor", "Major7th", "minor7th", "Major6th", "minor6th", "7th", "minor7th(b5)"}, "1", &frmMain::cmdInversions,
     {&frmMain::mnuMajor6th, &frmMain::mnuInversions1, &frmMain::mnuMinor6th, &frmMain::mnuInversions2,
      &frmMain::mnuInversions3},
     {0, 6, 0}, {2, 1, 2}, {2, 1, 3}, {2, 3, 2}, "D#/Eb Major7th",
     {{[] { rt::instance<frmInversions>().cmdStrumMe3_Click(); }, {6, 7, 0}, "You must pick a ROOT NOTE", -1, nullptr},
      {[] { rt::instance<frmInversions>().cmdStrumMe4_Click(); }, {6, 5, 0}, "You must pick a ROOT NOTE from F#/Gb Through B",
       -1, nullptr}}},
    {"SusAdd", window<frmSusAdd>,
     {"Suspended 2nd", "Suspended 4th", "Add 9th", "Major 6th add 9th", "minor 6th add 9th", "Dominant 7th Suspended"}, "1*2",
     &frmMain::Command2, {&frmMain::mnuSuspended, &frmMain::mnuAdd},
     {0, 0, 0}, {3, 0, 1}, {3, 7, 1}, {2, 2, 0}, "D Add 9th",
     {{[] { rt::instance<frmSusAdd>().cmdStrumMe_Click(); }, {0, 7, 1}, nullptr, -1, nullptr},
      {[] { rt::instance<frmSusAdd>().cmdStrumMe2_Click(); }, {0, 2, 1}, nullptr, -1, nullptr}}},
    {"Extensions", window<frmMajMinExt>, {"Major9th", "minor9th", "minor#7th", "minor9th(#7)", "minor11th"}, "1*2",
     &frmMain::Command4, {&frmMain::mnuExtensions1, &frmMain::mnuExtensions2},
     {0, 0, 0}, {1, 2, 0}, {2, 4, 3}, {4, 10, 2}, "A#/Bb minor11th",
     {{[] { rt::instance<frmMajMinExt>().cmdStrumMe3_Click(); }, {0, 3, 1}, nullptr, -1, nullptr},
      {[] { rt::instance<frmMajMinExt>().cmdStrumMe2_Click(); }, {0, 9, 1}, nullptr, -1, nullptr}}},
    {"Dominant", window<frmDominant>, listOf(lessonkeys::dominant::kList), "1*23", &frmMain::Command3,
     {&frmMain::mnuExtAlt},
     {1, 0, 0}, {5, 8, 0}, {5, 8, 1}, {13, 10, 2}, "A#/Bb Dominant 13th(b9)(b5)",
     {{[] { rt::instance<frmDominant>().cmdStrumMe_Click(); }, {6, 4, 0}, nullptr, 9, "Please refer to Dominant 9th(b5) chords"},
      {[] { rt::instance<frmDominant>().cmdStrumMe2_Click(); }, {6, 0, 0}, nullptr, 9, "Please refer to Dominant 9th(b5) chords"},
      {[] { rt::instance<frmDominant>().cmdStrumMe2_Click(); }, {6, 8, 0}, nullptr, 9, "Please refer to Dominant 9th(b5) chords"},
      {[] { rt::instance<frmDominant>().cmdStrumMe3_Click(); }, {6, 7, 0}, nullptr, 9, "Please refer to Dominant 9th(b5) chords"}}},
    {"DimAug", window<frmDimAug>, listOf(lessonkeys::dimaug::kList), "1", &frmMain::cmdAugDim,
     {&frmMain::mnuDiminished, &frmMain::mnuAugmented},
     {0, 0, 0}, {2, 9, 1}, {0, 3, 3}, {1, 10, 1}, "A#/Bb Dominant 7th(#5)",
     {{[] { rt::instance<frmDimAug>().cmdStrumMe_Click(); }, {1, 6, 2}, nullptr, 5, lessonkeys::dimaug::kHalfDiminished},
      {[] { rt::instance<frmDimAug>().cmdStrumMe2_Click(); }, {1, 5, 2}, nullptr, 5, lessonkeys::dimaug::kHalfDiminished}}},
};

class EveryLesson : public LessonTest<lessons::LessonWindow>, public ::testing::WithParamInterface<const Lesson*> {
protected:
    EveryLesson() : LessonTest(GetParam()->window()) {}

    const Lesson& lesson = *GetParam();
    frmPrintMe& preview = rt::instance<frmPrintMe>();

    using LessonTest::show;
    void show(const Key& k) { show(k.type, k.root, k.form); }
    lessonkeys::Answer answer(const Key& k) const {
        const auto a = lessonkeys::answer(QString::fromLatin1(w.Name()), k.type, k.root, k.form);
        return a ? *a : lessonkeys::Answer{};
    }
    QStringList listShown() const {
        QStringList out;
        for (int i = 0; i < w.lstChordType.ListCount(); ++i) out << w.lstChordType.List(i);
        return out;
    }
    // What every opening shows: the lesson's list, once, with no entry chosen, no root and
    // no form set, no picture, an empty fret label, and the Strum buttons it opens with.
    void expectOpeningState() {
        EXPECT_EQ(listShown(), lesson.chordTypes);
        EXPECT_EQ(w.lstChordType.ListIndex(), -1) << "a chord type is chosen: " << w.lstChordType.Text().toStdString();
        EXPECT_EQ(w.lstChordType.Text(), QString());
        if (auto* list = qobject_cast<QListWidget*>(widget(w, "lstChordType"))) {
            EXPECT_TRUE(list->selectedItems().isEmpty()) << "the list shows an entry chosen";
        }
        EXPECT_EQ(w.pickedRoot(), -1);
        EXPECT_EQ(w.pickedForm(), -1);
        EXPECT_FALSE(w.imgChord.Visible());
        EXPECT_TRUE(w.imgChord.Picture().isEmpty());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        EXPECT_TRUE(w.lblFretNumber.Visible());
        EXPECT_EQ(visibleStrumButtons(w), lesson.strumButtonsAtOpening);
    }

    // Shows the chord and checks it against the lesson's table.
    void expectShown(const Key& k) {
        show(k);
        const lessonkeys::Answer want = answer(k);
        ASSERT_NE(want.id, 0) << "no diagram in the table for this key";
        ASSERT_EQ(shownDiagram(w), want.id);
        ASSERT_EQ(w.lblFretNumber.Caption(), want.fret);
    }
};

std::string nameOf(const ::testing::TestParamInfo<const Lesson*>& info) { return info.param->name; }

std::vector<const Lesson*> all() {
    std::vector<const Lesson*> out;
    for (const Lesson& l : kLessons) out.push_back(&l);
    return out;
}

TEST_P(EveryLesson, OpensWithItsListAndNothingChosen) { expectOpeningState(); }

// The guitar cursor, no close box (so no system menu and no close button), and a border
// the user cannot drag.
TEST_P(EveryLesson, HasTheGuitarCursorNoCloseBoxAndAFixedBorder) {
    QWidget* win = w.topLevelWidget();
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(win->cursor().hotSpot(), QPoint(0, 0));  // the tip of the headstock
    EXPECT_EQ(win->cursor().pixmap().size(), QSize(32, 32));
    const Qt::WindowFlags flags = win->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(win->minimumSize(), win->maximumSize());
    // A close request from the desktop does nothing: only the exit button closes it.
    win->close();
    settle();
    EXPECT_TRUE(w.isLoaded());
    EXPECT_TRUE(win->isVisible());
}

// The chord type list shows whole rows only: the most that its layout's height holds, no
// row cut at its bottom.
TEST_P(EveryLesson, TheChordTypeListShowsWholeRowsOnly) {
    auto* list = qobject_cast<QListWidget*>(widget(w, "lstChordType"));
    ASSERT_NE(list, nullptr);
    const int row = list->visualItemRect(list->item(0)).height();
    const int inside = list->viewport()->height();
    ASSERT_GT(row, 0);
    EXPECT_EQ(inside % row, 0) << inside << " pixels inside for rows of " << row;
    const int designed = rt::twipsToPixels(w.design().lstChordType.height);
    EXPECT_LE(list->height(), designed);
    EXPECT_GT(list->height() + row, designed) << "a further row fits";
    EXPECT_EQ(list->width(), rt::twipsToPixels(w.design().lstChordType.width));
}

TEST_P(EveryLesson, AMissingDiagramIsTrappedAndKeepsWhatWasChanged) {
    // With a chord shown, its diagram failing: the earlier picture and fret label stay.
    ASSERT_NO_FATAL_FAILURE(expectShown(lesson.kept));
    const lessonkeys::Answer kept = answer(lesson.kept);
    rt::setMissingResourceForTests(kept.id);
    strum(w);
    EXPECT_EQ(prompts, QStringList({kUnexpectedError}));
    EXPECT_TRUE(w.imgChord.Visible());
    EXPECT_EQ(w.imgChord.Picture().resourceId(), kept.id);
    EXPECT_EQ(w.lblFretNumber.Caption(), kept.fret);

    // After a clearing pick the picture is made visible before the failing load: empty.
    const lessonkeys::Answer cleared = answer(lesson.cleared);
    ASSERT_NE(cleared.id, 0);
    rt::setMissingResourceForTests(cleared.id);
    show(lesson.cleared);
    EXPECT_EQ(prompts, QStringList({kUnexpectedError, kUnexpectedError}));
    EXPECT_TRUE(w.imgChord.Visible());
    EXPECT_TRUE(w.imgChord.Picture().isEmpty());
    EXPECT_EQ(w.lblFretNumber.Caption(), "");
}

TEST_P(EveryLesson, PrintsTheShownChordAndExitStartsAfresh) {
    // Nothing to print before a Strum, and after a root or a chord type pick cleared it.
    click(w, "cmdPrint");
    ASSERT_NO_FATAL_FAILURE(expectShown(lesson.printed));
    pickRoot(w, (lesson.printed.root + 1) % 12);
    click(w, "cmdPrint");
    ASSERT_NO_FATAL_FAILURE(expectShown(lesson.printed));
    pickChordType(w, lesson.printed.type == 0 ? 1 : 0);
    click(w, "cmdPrint");
    EXPECT_EQ(prompts, QStringList({kNothingToPrint, kNothingToPrint, kNothingToPrint}));
    EXPECT_FALSE(preview.isLoaded());

    prompts.clear();
    ASSERT_NO_FATAL_FAILURE(expectShown(lesson.printed));
    const lessonkeys::Answer want = answer(lesson.printed);
    click(w, "cmdPrint");
    ASSERT_TRUE(preview.isLoaded());
    EXPECT_EQ(preview.Image1.Picture().resourceId(), want.id);
    EXPECT_EQ(preview.Label1.Caption(), want.fret);
    EXPECT_EQ(preview.Label2.Caption(), lesson.printedName);
    EXPECT_EQ(shownDiagram(w), want.id);  // the lesson window is unchanged
    EXPECT_EQ(w.lblFretNumber.Caption(), want.fret);
    click(w, "cmdPrint");  // again: the one preview, the same chord
    EXPECT_EQ(rt::Forms().size(), 2u);
    EXPECT_EQ(preview.Label2.Caption(), lesson.printedName);
    EXPECT_TRUE(prompts.isEmpty());

    // The exit button closes only the lesson; opened again it starts afresh.
    click(w, "cmdExit");
    settle();
    EXPECT_FALSE(w.isLoaded());
    EXPECT_TRUE(preview.isLoaded());
    w.Show();
    expectOpeningState();
}

TEST_P(EveryLesson, TheMainWindowOpensItFromItsButtonAndMenuItems) {
    w.Unload();
    frmMain& main = rt::instance<frmMain>();
    main.Show();
    click((main.*lesson.button).widget());
    ASSERT_TRUE(w.isLoaded());
    expectOpeningState();
    ASSERT_NO_FATAL_FAILURE(expectShown(lesson.opened));
    const lessonkeys::Answer opened = answer(lesson.opened);
    // Already open: each item brings it up without reloading it.
    for (rt::Menu frmMain::*item : lesson.menuItems) {
        SCOPED_TRACE((main.*item).Name().toStdString());
        (main.*item).trigger();
        EXPECT_EQ(shownDiagram(w), opened.id);
        EXPECT_EQ(w.lblFretNumber.Caption(), opened.fret);
        EXPECT_EQ(listShown(), lesson.chordTypes);
    }
    // Closed: each item opens it afresh.
    for (rt::Menu frmMain::*item : lesson.menuItems) {
        SCOPED_TRACE((main.*item).Name().toStdString());
        w.Unload();
        (main.*item).trigger();
        ASSERT_TRUE(w.isLoaded());
        expectOpeningState();
    }
    EXPECT_TRUE(prompts.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Lessons, EveryLesson, ::testing::ValuesIn(all()), nameOf);

// The lessons with several root groups, each button holding the rows of its own roots only.
class LessonWithRootGroups : public EveryLesson {};

// Not reachable through the window, whose switch shows only the group's own button.
TEST_P(LessonWithRootGroups, AStrumHandlerFindsNoRowForAnotherGroupsRoot) {
    for (const ForeignRoot& f : lesson.foreignRoots) {
        SCOPED_TRACE(testing::Message() << "type " << f.key.type << " root " << f.key.root << " form " << f.key.form);
        // A chord shown first, then a clearing pick to the key.
        show({f.key.type, f.key.root, (f.key.form + 1) % 4});
        ASSERT_NE(shownDiagram(w), 0);
        pickForm(w, f.key.form);
        f.handler();
        if (f.prompt) {
            EXPECT_EQ(prompts, QStringList({f.prompt}));
            EXPECT_FALSE(w.imgChord.Visible());
        } else {
            EXPECT_TRUE(prompts.isEmpty());
            EXPECT_TRUE(w.imgChord.Visible());
        }
        EXPECT_TRUE(w.imgChord.Picture().isEmpty());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        prompts.clear();
        if (f.referralType >= 0) {
            // A referral type still gets its message.
            pickChordType(w, f.referralType);
            f.handler();
            EXPECT_EQ(prompts, QStringList({f.referral}));
            EXPECT_FALSE(w.imgChord.Visible());
            prompts.clear();
        }
    }
}

std::vector<const Lesson*> withRootGroups() {
    std::vector<const Lesson*> out;
    for (const Lesson& l : kLessons)
        if (!l.foreignRoots.empty()) out.push_back(&l);
    return out;
}

INSTANTIATE_TEST_SUITE_P(Lessons, LessonWithRootGroups, ::testing::ValuesIn(withRootGroups()), nameOf);

}  // namespace

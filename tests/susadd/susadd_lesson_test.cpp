// The suspended and added-note lesson: its 288 keys, the two root groups with their stacked
// Strum buttons, the choice checks, and what its diagrams sound.
#include "lessons/core/messages.h"
#include "lessons/susadd/frmsusadd.h"
#include "lessons/susadd/susaddtable.h"
#include "support/lessonkeys.h"
#include "support/lessontest.h"
#include "support/soundingnotes.h"

#include <set>

using namespace lessondriver;
using lessons::kPickForm;
using lessons::kPickRoot;
using lessons::kSelectChordType;

namespace {

using SusAddLessonTest = LessonTest<frmSusAdd>;

using lessonkeys::susadd::kTypes;

TEST_F(SusAddLessonTest, OpensWithItsListBothStrumButtonsAndNothingChosen) {
    EXPECT_EQ(w.Caption(), "Suspended - Add Chords");
    ASSERT_EQ(w.lstChordType.ListCount(), 6);
    for (int t = 0; t < 6; ++t) EXPECT_EQ(w.lstChordType.List(t), kTypes[t]);
    EXPECT_EQ(w.lstChordType.Text(), "");
    EXPECT_EQ(w.pickedRoot(), -1);
    EXPECT_EQ(w.pickedForm(), -1);
    EXPECT_FALSE(w.imgChord.Visible());
    EXPECT_EQ(w.lblFretNumber.Caption(), "");
    EXPECT_TRUE(w.lblFretNumber.Visible());

    EXPECT_EQ(w.cmdStrumMe.Caption(), "Strum Me");
    EXPECT_EQ(w.cmdStrumMe2.Caption(), "Strum Me ");
    EXPECT_EQ(w.cmdStrumMe.ToolTipText(), "Click to display Chord");
    EXPECT_EQ(w.cmdStrumMe2.ToolTipText(), "");
    EXPECT_TRUE(w.cmdStrumMe.Visible());
    EXPECT_TRUE(w.cmdStrumMe2.Visible());
    EXPECT_TRUE(w.cmdStrumMe.Default());
    EXPECT_FALSE(w.cmdStrumMe2.Default());
    for (const rt::CommandButton* b : {&w.cmdStrumMe, &w.cmdStrumMe2}) {
        EXPECT_EQ(b->Left(), 3840);
        EXPECT_EQ(b->Top(), 6960);
        EXPECT_EQ(b->Width(), 1935);
        EXPECT_EQ(b->Height(), 735);
    }
    EXPECT_EQ(w.cmdExit.Caption(), "Exit to Main");
    EXPECT_EQ(w.fraRootNote.Left(), 120);
    EXPECT_EQ(w.lstChordType.Width(), 2655);
    EXPECT_EQ(w.imgChord.Left(), 3240);
    // The exit button comes first in the tab order.
    EXPECT_EQ(focusName(w), "cmdExit");
}

TEST_F(SusAddLessonTest, EveryKeyShowsItsDiagramAndFretLabel) {
    for (int type = 0; type < 6; ++type)
        for (int root = 0; root < 12; ++root)
            for (int form = 0; form < 4; ++form) {
                SCOPED_TRACE(testing::Message() << kTypes[type] << " root " << root << " form " << form);
                show(type, root, form);
                const lessonkeys::Answer want = lessonkeys::susadd::answer(type, root, form);
                EXPECT_EQ(shownDiagram(w), want.id);
                EXPECT_EQ(w.lblFretNumber.Caption(), want.fret);
                EXPECT_TRUE(w.lblFretNumber.Visible());
                // Only the button of the root's group is there to press.
                EXPECT_EQ(w.cmdStrumMe.Visible(), root < 6);
                EXPECT_EQ(w.cmdStrumMe2.Visible(), root >= 6);
            }
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(SusAddLessonTest, WorkedValues) {
    const WorkedValue cases[] = {
        {0, 0, 0, 317, "1st Fret"},  {0, 6, 0, 324, "1st Fret"},  {0, 0, 1, 312, "7th Fret"},
        {0, 11, 1, 312, "6th Fret"}, {0, 2, 3, 314, "12th Fret"}, {0, 3, 3, 314, "1st Fret"},
        {1, 4, 3, 290, "12th Fret"}, {2, 9, 2, 328, "12th Fret"}, {4, 0, 1, 309, "1st Fret"},
        {4, 11, 1, 309, "12th Fret"}, {5, 0, 3, 303, "1st Fret"}, {5, 11, 3, 303, "12th Fret"},
        {5, 0, 0, 276, "8th Fret"},  {5, 5, 0, 276, "1st Fret"},  {3, 0, 0, 304, "5th Fret"},
        {3, 8, 0, 304, "1st Fret"},  {1, 5, 0, 296, "3rd Fret"},  {1, 6, 0, 296, "4th Fret"},
        {1, 10, 0, 300, "1st Fret"}, {1, 11, 0, 300, "2nd Fret"}, {2, 1, 0, 335, "1st Fret"},
        {2, 3, 0, 335, "3rd Fret"},  {2, 5, 0, 335, "5th Fret"},  {0, 9, 0, 315, "1st Fret"},
        {2, 6, 0, 339, "1st Fret"},
    };
    expectWorkedValues(cases);
    // Pressed again with the same choices: the same chord, nothing else.
    strum(w);
    EXPECT_EQ(shownDiagram(w), 339);
    EXPECT_EQ(w.lblFretNumber.Caption(), "1st Fret");
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(SusAddLessonTest, ChoiceChecksComeInOrderWhicheverStackedButtonIsPressed) {
    // Before a root is picked both buttons are there; each stops at the same checks.
    for (rt::CommandButton* b : {&w.cmdStrumMe, &w.cmdStrumMe2}) click(b->widget());
    pickChordType(w, 2);
    pickForm(w, 1);
    for (rt::CommandButton* b : {&w.cmdStrumMe, &w.cmdStrumMe2}) click(b->widget());
    EXPECT_EQ(prompts, QStringList({kSelectChordType, kSelectChordType, kPickRoot, kPickRoot}));
    EXPECT_FALSE(w.imgChord.Visible());

    reopen();
    prompts.clear();
    pickChordType(w, 0);
    pickRoot(w, 8);
    strum(w);  // no form
    reopen();
    pickRoot(w, 3);
    pickForm(w, 2);
    strum(w);  // no chord type
    EXPECT_EQ(prompts, QStringList({kPickForm, kSelectChordType}));
    EXPECT_FALSE(w.imgChord.Visible());
}

TEST_F(SusAddLessonTest, RootGroupSwitchShowsOneButtonAndEnterPressesIt) {
    pickChordType(w, 1);
    pickForm(w, 2);
    struct Step {
        int root;
        bool first;
        int id;
        const char* fret;
    };
    // "E", then "G", then "C" again; then a second root of the shown group.
    const Step steps[] = {{4, true, 289, "7th Fret"}, {7, false, 289, "10th Fret"}, {0, true, 289, "3rd Fret"}, {2, true, 289, "5th Fret"}};
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "root " << s.root);
        show(1, s.root - 1 < 0 ? 11 : s.root - 1, 2);  // a chord shown before the pick
        pickRoot(w, s.root);
        EXPECT_FALSE(w.imgChord.Visible());
        EXPECT_TRUE(w.imgChord.Picture().isEmpty());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        EXPECT_EQ(w.cmdStrumMe.Visible(), s.first);
        EXPECT_EQ(w.cmdStrumMe.Default(), s.first);
        EXPECT_EQ(w.cmdStrumMe2.Visible(), !s.first);
        EXPECT_EQ(w.cmdStrumMe2.Default(), !s.first);
        pressEnterInList(w);
        EXPECT_EQ(shownDiagram(w), s.id);
        EXPECT_EQ(w.lblFretNumber.Caption(), s.fret);
    }
    EXPECT_TRUE(prompts.isEmpty());
}

TEST(SusAddTable, KeysAreExactTexts) {
    for (const char* t : {"suspended 2nd", "Suspended 2nd ", " Add 9th", "Dominant 7th sus", "add 9th"})
        EXPECT_FALSE(lessons::lookUp(lessons::kSusAddTable, t, 0, 0)) << t;
}

TEST(SusAddTable, EveryCellSoundsItsChord) {
    const std::set<int> kChord[6] = {{0, 2, 7}, {0, 5, 7}, {0, 2, 4, 7}, {0, 2, 4, 7, 9}, {0, 2, 3, 7, 9}, {0, 5, 7, 10}};
    for (int type = 0; type < 6; ++type)
        for (int form = 0; form < 4; ++form)
            for (int root = 0; root < 12; ++root) {
                SCOPED_TRACE(testing::Message() << kTypes[type] << " root " << root << " form " << form);
                const auto hit = lessons::lookUp(lessons::kSusAddTable, kTypes[type], root, form);
                ASSERT_TRUE(hit);
                const auto sounded = soundingnotes::notes(hit->diagramId, hit->fret);
                const std::set<int> tones = soundingnotes::intervals(sounded, root);
                std::set<int> want = kChord[type];
                // The voicings that leave out the fifth.
                if ((type == 3 && form == 2) || (type == 4 && (form == 1 || form == 2))) want.erase(7);
                EXPECT_EQ(tones, want);
                const bool movable = !(type < 3 && form == 0);
                if (movable || hit->fret != 1) {
                    EXPECT_FALSE(soundingnotes::anyOpen(sounded));
                }
            }
}

}  // namespace

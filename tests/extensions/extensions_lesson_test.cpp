// The major and minor extensions lesson: its 240 keys, the two root groups with their
// stacked Strum buttons, the choice checks, and what its diagrams sound.
#include "lessons/core/messages.h"
#include "lessons/extensions/extensionstable.h"
#include "lessons/extensions/frmmajminext.h"
#include "support/lessonkeys.h"
#include "support/lessontest.h"
#include "support/soundingnotes.h"

#include <map>
#include <set>

using namespace lessondriver;
using lessons::kPickForm;
using lessons::kPickRoot;
using lessons::kSelectChordType;

namespace {

using ExtensionsLessonTest = LessonTest<frmMajMinExt>;

using lessonkeys::extensions::kTypes;

TEST_F(ExtensionsLessonTest, OpensWithItsListBothStrumButtonsAndNothingChosen) {
    EXPECT_EQ(w.Caption(), "Major-Minor Extensions");
    ASSERT_EQ(w.lstChordType.ListCount(), 5);
    for (int t = 0; t < 5; ++t) EXPECT_EQ(w.lstChordType.List(t), kTypes[t]);
    EXPECT_EQ(w.lstChordType.Text(), "");
    EXPECT_EQ(w.pickedRoot(), -1);
    EXPECT_EQ(w.pickedForm(), -1);
    EXPECT_FALSE(w.imgChord.Visible());
    EXPECT_EQ(w.lblFretNumber.Caption(), "");

    EXPECT_EQ(w.cmdStrumMe2.Caption(), "Strum Me");
    EXPECT_EQ(w.cmdStrumMe3.Caption(), "Strum Me");
    EXPECT_EQ(w.cmdStrumMe2.ToolTipText(), "Click to display Chord");
    EXPECT_EQ(w.cmdStrumMe3.ToolTipText(), "");
    EXPECT_TRUE(w.cmdStrumMe2.Visible());
    EXPECT_TRUE(w.cmdStrumMe3.Visible());
    EXPECT_TRUE(w.cmdStrumMe2.Default());
    EXPECT_FALSE(w.cmdStrumMe3.Default());
    for (const rt::CommandButton* b : {&w.cmdStrumMe2, &w.cmdStrumMe3}) {
        EXPECT_EQ(b->Left(), 3840);
        EXPECT_EQ(b->Top(), 6960);
        EXPECT_EQ(b->Width(), 2295);
        EXPECT_EQ(b->Height(), 735);
    }
    EXPECT_EQ(w.cmdExit.Caption(), " Exit to Main");
    EXPECT_EQ(w.fraRootNote.Top(), 120);
    EXPECT_EQ(w.Label2.Width(), 1575);
    EXPECT_EQ(w.imgChord.Top(), 2520);
    EXPECT_EQ(focusName(w), "optRoot_0");
}

TEST_F(ExtensionsLessonTest, EveryKeyShowsItsDiagramAndFretLabel) {
    for (int type = 0; type < 5; ++type)
        for (int root = 0; root < 12; ++root)
            for (int form = 0; form < 4; ++form) {
                SCOPED_TRACE(testing::Message() << kTypes[type] << " root " << root << " form " << form);
                show(type, root, form);
                const lessonkeys::Answer want = lessonkeys::extensions::answer(type, root, form);
                EXPECT_EQ(shownDiagram(w), want.id);
                EXPECT_EQ(w.lblFretNumber.Caption(), want.fret);
                EXPECT_TRUE(w.lblFretNumber.Visible());
                EXPECT_EQ(w.cmdStrumMe2.Visible(), root < 6);
                EXPECT_EQ(w.cmdStrumMe3.Visible(), root >= 6);
            }
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(ExtensionsLessonTest, WorkedValues) {
    const WorkedValue cases[] = {
        {0, 0, 0, 237, "7th Fret"},  {0, 5, 0, 237, "12th Fret"}, {0, 6, 0, 237, "1st Fret"},
        {0, 11, 0, 237, "6th Fret"}, {1, 0, 1, 242, "1st Fret"},  {1, 11, 1, 242, "12th Fret"},
        {4, 0, 3, 256, "1st Fret"},  {4, 11, 3, 256, "12th Fret"}, {1, 2, 0, 241, "10th Fret"},
        {1, 2, 2, 243, "10th Fret"}, {3, 0, 2, 251, "3rd Fret"},  {4, 0, 1, 254, "3rd Fret"},
        {2, 0, 2, 247, "10th Fret"}, {2, 2, 2, 247, "12th Fret"}, {2, 3, 2, 247, "1st Fret"},
        {2, 11, 2, 247, "9th Fret"},
    };
    expectWorkedValues(cases);
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(ExtensionsLessonTest, ChoiceChecksComeInOrderWhicheverStackedButtonIsPressed) {
    for (rt::CommandButton* b : {&w.cmdStrumMe2, &w.cmdStrumMe3}) click(b->widget());
    pickChordType(w, 4);
    pickForm(w, 3);
    for (rt::CommandButton* b : {&w.cmdStrumMe2, &w.cmdStrumMe3}) click(b->widget());
    // Enter presses the default button before any root is picked.
    pressEnterInList(w);
    EXPECT_EQ(prompts, QStringList({kSelectChordType, kSelectChordType, kPickRoot, kPickRoot, kPickRoot}));
    EXPECT_FALSE(w.imgChord.Visible());

    reopen();
    prompts.clear();
    pickChordType(w, 0);
    pickRoot(w, 10);
    strum(w);  // no form
    reopen();
    pickRoot(w, 1);
    pickForm(w, 0);
    strum(w);  // no chord type
    EXPECT_EQ(prompts, QStringList({kPickForm, kSelectChordType}));
    EXPECT_FALSE(w.imgChord.Visible());
}

TEST_F(ExtensionsLessonTest, RootGroupSwitchShowsOneButtonAndEnterPressesIt) {
    struct Step {
        int root;
        bool first;
        const char* fret;  // "minor9th" form 4, base fret 6
    };
    const Step steps[] = {{7, false, "1st Fret"}, {5, true, "11th Fret"}, {9, false, "3rd Fret"}, {11, false, "5th Fret"}, {0, true, "6th Fret"}};
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "root " << s.root);
        show(1, (s.root + 3) % 12, 3);  // a chord shown before the pick
        ASSERT_EQ(shownDiagram(w), 244);
        pickRoot(w, s.root);
        EXPECT_FALSE(w.imgChord.Visible());
        EXPECT_TRUE(w.imgChord.Picture().isEmpty());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        EXPECT_TRUE(w.lblFretNumber.Visible());
        EXPECT_EQ(w.cmdStrumMe2.Visible(), s.first);
        EXPECT_EQ(w.cmdStrumMe2.Default(), s.first);
        EXPECT_EQ(w.cmdStrumMe3.Visible(), !s.first);
        EXPECT_EQ(w.cmdStrumMe3.Default(), !s.first);
        pressEnterInList(w);
        EXPECT_EQ(shownDiagram(w), 244);
        EXPECT_EQ(w.lblFretNumber.Caption(), s.fret);
    }
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(ExtensionsLessonTest, PicksClearTheDiagramAndKeepTheChoices) {
    for (int pick = 0; pick < 2; ++pick) {
        show(3, 8, 1);  // G#/Ab minor9th(#7) form 2
        ASSERT_EQ(shownDiagram(w), 250);
        ASSERT_EQ(w.lblFretNumber.Caption(), "9th Fret");
        if (pick == 0) pickForm(w, 2);
        if (pick == 1) pickChordType(w, 2);
        EXPECT_FALSE(w.imgChord.Visible());
        EXPECT_TRUE(w.imgChord.Picture().isEmpty());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        EXPECT_TRUE(w.lblFretNumber.Visible());
        EXPECT_EQ(w.pickedRoot(), 8);
        EXPECT_TRUE(w.cmdStrumMe3.Visible());
    }
    click(w, "cmdPrint");
    EXPECT_EQ(prompts, QStringList({lessons::kNothingToPrint}));
}

TEST(ExtensionsTable, KeysAreExactTexts) {
    for (const char* t : {"major9th", "Minor9th", "minor9th ", " minor11th", "minor 11th", "Dominant 11th"})
        EXPECT_FALSE(lessons::lookUp(lessons::kExtensionsTable, t, 0, 0)) << t;
}

TEST(ExtensionsTable, EveryRowSoundsItsChordWithTheStatedVoicings) {
    const std::set<int> kChord[5] = {{0, 4, 7, 11, 2}, {0, 3, 7, 10, 2}, {0, 3, 7, 11}, {0, 3, 7, 11, 2}, {0, 3, 7, 10, 2, 5}};
    // Tones each diagram leaves out, and its lowest tone when that is not the root.
    const std::set<int> kNoRoot = {251, 252}, kNoFifth = {238, 242, 243, 244, 250, 256}, kNoThird = {239};
    const std::map<int, int> kLowest = {{240, 2}, {248, 7}, {255, 7}, {251, 3}, {252, 3}};
    for (int type = 0; type < 5; ++type)
        for (int form = 0; form < 4; ++form)
            for (int root = 0; root < 12; ++root) {
                SCOPED_TRACE(testing::Message() << kTypes[type] << " root " << root << " form " << form);
                const auto hit = lessons::lookUp(lessons::kExtensionsTable, kTypes[type], root, form);
                ASSERT_TRUE(hit);
                const int id = hit->diagramId;
                const auto sounded = soundingnotes::notes(id, hit->fret);
                ASSERT_FALSE(sounded.empty());
                const std::set<int> tones = soundingnotes::intervals(sounded, root);
                std::set<int> want = kChord[type];
                if (kNoRoot.count(id)) want.erase(0);
                if (kNoFifth.count(id)) want.erase(7);
                if (kNoThird.count(id)) want.erase(3), want.erase(4);
                if (type == 4) want.erase(2);  // no minor11th diagram holds the ninth
                EXPECT_EQ(tones, want);
                EXPECT_EQ(soundingnotes::lowestInterval(sounded, root), kLowest.count(id) ? kLowest.at(id) : 0);
                EXPECT_FALSE(soundingnotes::anyOpen(sounded));
            }
}

}  // namespace

// The dominant chords lesson: its 432 keys, the six referral messages, the three root
// groups and the notes its diagrams sound.
#include "diagrams/fingering.h"
#include "lessons/core/messages.h"
#include "lessons/dominant/frmdominant.h"
#include "support/lessonkeys.h"
#include "support/lessontest.h"
#include "support/soundingnotes.h"

#include <map>
#include <set>
#include <vector>

using namespace lessondriver;
using lessons::kNothingToPrint;
using lessons::kPickForm;
using lessons::kPickRoot;
using lessons::kSelectChordType;

namespace {

class DominantLessonTest : public LessonTest<frmDominant> {
protected:
    // Which Strum buttons are visible, and which one is the default: "1", "2", "3" per button.
    QString buttons() const { return visibleStrumButtons(w); }
};

using lessonkeys::dominant::kList;
using lessonkeys::dominant::kReferrals;
using lessonkeys::dominant::kRows;
using lessonkeys::dominant::Referral;
using lessonkeys::dominant::Row;

TEST_F(DominantLessonTest, OpensWithItsFifteenTypesAndThreeStrumButtonsAtOneSpot) {
    EXPECT_EQ(w.Caption(), "Dominant Chords");
    ASSERT_EQ(w.lstChordType.ListCount(), 15);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(w.lstChordType.List(i), kList[i]);
    EXPECT_EQ(w.lstChordType.Text(), "");
    EXPECT_EQ(w.pickedRoot(), -1);
    EXPECT_EQ(w.pickedForm(), -1);
    EXPECT_FALSE(w.imgChord.Visible());
    EXPECT_EQ(w.lblFretNumber.Caption(), "");
    EXPECT_EQ(buttons(), "1*23");
    for (const rt::CommandButton* b : {&w.cmdStrumMe, &w.cmdStrumMe2, &w.cmdStrumMe3}) {
        EXPECT_EQ(b->Caption(), "Strum Me");
        EXPECT_EQ(b->Left(), 3840);
        EXPECT_EQ(b->Top(), 7080);
        EXPECT_EQ(b->Width(), 2175);
        EXPECT_EQ(b->Height(), 735);
    }
    EXPECT_EQ(w.cmdStrumMe.ToolTipText(), "Click to display Chord");
    EXPECT_EQ(w.cmdStrumMe2.ToolTipText(), "");
    EXPECT_EQ(w.cmdStrumMe3.ToolTipText(), "");
    EXPECT_EQ(w.cmdExit.Caption(), " Exit to Main");
    EXPECT_EQ(w.cmdExit.Left(), 8520);
    EXPECT_EQ(w.cmdPrint.Top(), 6120);
    EXPECT_EQ(w.Label2.Width(), 1575);
    EXPECT_EQ(w.fraRootNote.Top(), 240);
    EXPECT_EQ(focusName(w), "cmdStrumMe2");  // tab index 0
}

TEST_F(DominantLessonTest, EveryKeyShowsItsDiagramAndFretLabel) {
    for (const Row& row : kRows)
        for (int root = 0; root < 12; ++root)
            for (int form = 0; form < 4; ++form) {
                SCOPED_TRACE(testing::Message() << kList[row.listIndex] << " root " << root << " form " << form);
                show(row.listIndex, root, form);
                const lessonkeys::Answer want = lessonkeys::dominant::answer(row.listIndex, root, form);
                EXPECT_EQ(shownDiagram(w), want.id);
                EXPECT_EQ(w.lblFretNumber.Caption(), want.fret);
                EXPECT_TRUE(w.lblFretNumber.Visible());
            }
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(DominantLessonTest, WorkedValues) {
    const WorkedValue cases[] = {
        {1, 0, 0, 257, "7th Fret"},  {1, 1, 0, 257, "8th Fret"},  {1, 3, 0, 257, "10th Fret"},
        {1, 4, 0, 257, "11th Fret"}, {1, 5, 0, 257, "12th Fret"}, {1, 6, 0, 257, "1st Fret"},
        {1, 7, 0, 257, "2nd Fret"},  {1, 11, 0, 257, "6th Fret"}, {13, 0, 0, 285, "1st Fret"},
        {13, 11, 0, 285, "12th Fret"}, {3, 0, 3, 235, "11th Fret"}, {3, 1, 3, 235, "12th Fret"},
        {3, 2, 3, 235, "1st Fret"},  {3, 11, 3, 235, "10th Fret"}, {5, 4, 0, 264, "12th Fret"},
        {13, 4, 1, 264, "6th Fret"}, {5, 0, 0, 264, "8th Fret"},  {13, 0, 1, 264, "2nd Fret"},
        {11, 7, 0, 277, "3rd Fret"}, {11, 7, 2, 279, "3rd Fret"}, {11, 7, 3, 280, "3rd Fret"},
        {10, 0, 0, 276, "8th Fret"}, {10, 0, 1, 253, "3rd Fret"}, {7, 4, 1, 273, "7th Fret"},
        {7, 8, 3, 275, "12th Fret"}, {7, 9, 3, 275, "1st Fret"},  {11, 10, 1, 278, "12th Fret"},
        {11, 11, 1, 278, "1st Fret"}, {10, 11, 1, 253, "2nd Fret"}, {10, 11, 2, 254, "9th Fret"},
        {10, 11, 3, 255, "4th Fret"},
    };
    expectWorkedValues(cases);
}

TEST_F(DominantLessonTest, ChoiceChecksComeBeforeTheReferralMessages) {
    strum(w);  // nothing chosen
    pickChordType(w, 0);
    strum(w);  // a referral type, no root
    pickRoot(w, 9);
    strum(w);  // no form
    pickChordType(w, 14);
    strum(w);
    EXPECT_EQ(prompts, QStringList({kSelectChordType, kPickRoot, kPickForm, kPickForm}));
    EXPECT_FALSE(w.imgChord.Visible());
}

TEST_F(DominantLessonTest, ReferralTypesAnswerWithTheirMessageInEveryGroupAndForm) {
    for (const Referral& r : kReferrals)
        for (int root : {0, 3, 4, 7, 8, 11}) {
            SCOPED_TRACE(testing::Message() << kList[r.listIndex] << " root " << root);
            show(1, root, root % 4);  // a diagram first, which the list pick then clears
            ASSERT_TRUE(w.imgChord.Visible());
            pickChordType(w, r.listIndex);
            strum(w);
            EXPECT_EQ(prompts, QStringList({r.prompt}));
            EXPECT_FALSE(w.imgChord.Visible());
            EXPECT_TRUE(w.imgChord.Picture().isEmpty());
            EXPECT_EQ(w.lblFretNumber.Caption(), "");
            prompts.clear();
        }
    click(w, "cmdPrint");
    EXPECT_EQ(prompts, QStringList({kNothingToPrint}));
    // The referred chord type itself shows a diagram.
    prompts.clear();
    show(7, 0, 0);
    EXPECT_EQ(shownDiagram(w), 272);
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(DominantLessonTest, RootGroupSwitchShowsOnlyTheChosenRootsButton) {
    // Root picked, then the visible buttons and the default one ("*").
    struct Step {
        int root;
        const char* buttons;
    };
    const Step steps[] = {
        {5, "2*"}, {8, "3*"}, {0, "1*"}, {3, "1*"}, {4, "2*"}, {7, "2*"}, {11, "3*"}, {9, "3*"}, {2, "1*"},
    };
    pickChordType(w, 1);
    pickForm(w, 0);
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "root " << s.root);
        if (w.pickedRoot() >= 0) {
            strum(w);
            ASSERT_TRUE(w.imgChord.Visible());
        }
        pickRoot(w, s.root);
        EXPECT_EQ(buttons(), s.buttons);
        EXPECT_FALSE(w.imgChord.Visible());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        // A chord type or form pick never moves the buttons.
        pickForm(w, 2);
        pickChordType(w, 4);
        EXPECT_EQ(buttons(), s.buttons);
        pickChordType(w, 1);
        pickForm(w, 0);
    }
}

TEST_F(DominantLessonTest, EnterRunsTheStrumHandlerOfTheChosenRootsGroup) {
    pickChordType(w, 1);
    pickForm(w, 1);
    for (int root : {5, 9, 1}) {
        pickRoot(w, root);
        pressEnterInList(w);
        EXPECT_EQ(shownDiagram(w), 258);
        EXPECT_EQ(w.lblFretNumber.Caption(), fretCaption(fretAtRoot(3, root)));
    }
    EXPECT_TRUE(prompts.isEmpty());
}

// Intervals are semitones above the root, 0 to 11.
TEST(DominantDiagrams, EveryRowSoundsOnlyItsChordsTonesAsTheTextDescribes) {
    enum { R = 0, b9 = 1, n9 = 2, s9 = 3, M3 = 4, n11 = 5, b5 = 6, P5 = 7, n13 = 9, m7 = 10 };
    const std::set<int> kTones[9] = {
        {R, M3, b5, m7}, {R, M3, P5, m7, b9}, {R, M3, P5, m7, s9}, {R, M3, P5, m7, n9}, {R, M3, b5, m7, n9},
        {R, M3, P5, m7, n9, n11}, {R, M3, P5, m7, n9, n13}, {R, M3, P5, m7, b9, n13}, {R, M3, b5, m7, b9, n13},
    };
    // (diagram id, table row) of the cells the text singles out.
    using Cell = std::pair<int, int>;
    const std::set<Cell> rootless = {{235, 1}, {275, 4}, {280, 6}, {283, 7}, {284, 7},
                                     {285, 8}, {264, 8}, {286, 8}, {287, 8}};
    const std::map<Cell, int> lowestOther = {
        {{235, 1}, b9}, {{283, 7}, b9}, {{286, 8}, b9}, {{287, 8}, b9}, {{275, 4}, b5}, {{285, 8}, b5},
        {{264, 8}, b5}, {{280, 6}, m7}, {{284, 7}, m7}, {{260, 0}, m7}, {{279, 6}, m7}, {{267, 2}, M3},
        {{271, 3}, n9}, {{255, 5}, n9}, {{253, 5}, P5}, {{254, 5}, P5},
    };
    const std::set<int> noThird = {273, 274, 276, 253, 254, 255};
    const std::set<int> noFifth = {262, 263, 265, 266, 270, 277, 278, 279, 280, 281, 282, 283, 284};
    const std::set<int> noNinth = {276, 277, 279};

    for (int t = 0; t < 9; ++t)
        for (int form = 0; form < 4; ++form) {
            const int id = kRows[t].cell[form][0];
            const Cell cell{id, t};
            SCOPED_TRACE(testing::Message() << "diagram " << id << " as " << kList[kRows[t].listIndex]);
            const diagrams::Fingering* f = diagrams::findFingering(id);
            ASSERT_NE(f, nullptr);
            for (const auto& st : f->strings) EXPECT_NE(st.mark, diagrams::TopMark::Open);  // moves unchanged
            for (int root = 0; root < 12; ++root) {
                const auto sounded = soundingnotes::notes(id, fretAtRoot(kRows[t].cell[form][1], root));
                const std::set<int> intervals = soundingnotes::intervals(sounded, root);
                for (int i : intervals) EXPECT_TRUE(kTones[t].count(i)) << "interval " << i << " root " << root;
                EXPECT_EQ(intervals.count(R) == 0, rootless.count(cell) == 1);
                const auto other = lowestOther.find(cell);
                EXPECT_EQ(soundingnotes::lowestInterval(sounded, root), other == lowestOther.end() ? R : other->second)
                    << "root " << root;
                EXPECT_EQ(intervals.count(M3) == 0, noThird.count(id) == 1);
                if (t != 0 && t != 4 && t != 8) {
                    EXPECT_EQ(intervals.count(P5) == 0, noFifth.count(id) == 1);
                }
                if (t >= 3 && t <= 6) {
                    EXPECT_EQ(intervals.count(n9) == 0, noNinth.count(id) == 1);
                }
            }
        }
    // As C chords, 276 sounds root, fifth, minor seventh and eleventh only; 264 at "8th Fret"
    // the whole seventh chord with sharp ninth.
    const int C = 0;
    EXPECT_EQ(soundingnotes::intervals(soundingnotes::notes(276, 8), C), (std::set<int>{R, P5, m7, n11}));
    EXPECT_EQ(soundingnotes::intervals(soundingnotes::notes(264, 8), C), (std::set<int>{R, M3, P5, m7, s9}));
}

}  // namespace

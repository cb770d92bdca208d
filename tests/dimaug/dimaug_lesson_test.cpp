// The diminished and augmented lesson: its 240 keys, the "Half Diminished" referral, the
// two root groups and the notes its diagrams sound.
#include "lessons/core/frmprintme.h"
#include "lessons/core/messages.h"
#include "lessons/dimaug/frmdimaug.h"
#include "lessons/dimaug/frmsymmetric.h"
#include "support/lessonkeys.h"
#include "support/lessontest.h"
#include "support/soundingnotes.h"

#include <set>

using namespace lessondriver;
using lessons::kNothingToPrint;
using lessons::kPickForm;
using lessons::kPickRoot;
using lessons::kSelectChordType;

namespace {

const QString kHalfDiminished = lessonkeys::dimaug::kHalfDiminished;

class DimAugLessonTest : public LessonTest<frmDimAug> {
protected:
    // The visible Strum buttons, "*" after the default one.
    QString buttons() const { return visibleStrumButtons(w); }
};

using lessonkeys::dimaug::kCells;
using lessonkeys::dimaug::kList;

TEST_F(DimAugLessonTest, OpensWithItsSixTypesAndNoDefaultButton) {
    EXPECT_EQ(w.Caption(), "Augmented and Diminished chords");
    ASSERT_EQ(w.lstChordType.ListCount(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(w.lstChordType.List(i), kList[i]);
    EXPECT_EQ(w.lstChordType.Text(), "");
    EXPECT_EQ(w.pickedRoot(), -1);
    EXPECT_EQ(w.pickedForm(), -1);
    EXPECT_FALSE(w.imgChord.Visible());
    EXPECT_EQ(buttons(), "1");
    EXPECT_EQ(w.defaultButton(), nullptr);
    for (const rt::CommandButton* b : {&w.cmdStrumMe, &w.cmdStrumMe2}) {
        EXPECT_EQ(b->Caption(), "Strum Me");
        EXPECT_EQ(b->Left(), 3600);
        EXPECT_EQ(b->Top(), 7080);
        EXPECT_EQ(b->Width(), 2895);
    }
    EXPECT_EQ(w.cmdStrumMe.ToolTipText(), "Click to display Chord");
    EXPECT_EQ(w.cmdStrumMe2.ToolTipText(), "");
    EXPECT_EQ(w.cmdMoreDim.Caption(), "More on Dim and Aug chords");
    EXPECT_EQ(w.cmdMoreDim.ToolTipText(), "Choose to see how some of these chords can be moved around the neck");
    EXPECT_EQ(w.cmdMoreDim.Left(), 7680);
    EXPECT_EQ(w.cmdMoreDim.Top(), 4200);
    EXPECT_EQ(w.cmdMoreDim.Width(), 1575);
    EXPECT_EQ(w.cmdMoreDim.Height(), 855);
    EXPECT_EQ(w.cmdExit.Caption(), "Exit to Main");
    EXPECT_EQ(w.cmdExit.Left(), 8640);
    EXPECT_EQ(w.cmdPrint.Left(), 8640);
    EXPECT_EQ(w.Label2.Width(), 1335);
    EXPECT_EQ(focusName(w), "cmdExit");  // tab index 0

    // With no default button, Enter in the list presses nothing.
    pickChordType(w, 0);
    pressEnterInList(w);
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(DimAugLessonTest, EveryKeyShowsItsDiagramAndFretLabel) {
    for (int type = 0; type < 5; ++type)
        for (int root = 0; root < 12; ++root)
            for (int form = 0; form < 4; ++form) {
                SCOPED_TRACE(testing::Message() << kList[type] << " root " << root << " form " << form);
                show(type, root, form);
                const lessonkeys::Answer want = lessonkeys::dimaug::answer(type, root, form);
                EXPECT_EQ(shownDiagram(w), want.id);
                EXPECT_EQ(w.lblFretNumber.Caption(), want.fret);
                EXPECT_TRUE(w.lblFretNumber.Visible());
            }
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(DimAugLessonTest, WorkedValues) {
    const WorkedValue cases[] = {
        {0, 0, 0, 217, "8th Fret"},  {0, 1, 0, 217, "9th Fret"},  {0, 4, 0, 217, "12th Fret"}, {0, 5, 0, 217, "1st Fret"},
        {0, 11, 0, 217, "7th Fret"}, {4, 0, 2, 235, "10th Fret"}, {4, 2, 2, 235, "12th Fret"}, {4, 3, 2, 235, "1st Fret"},
        {4, 11, 2, 235, "9th Fret"}, {0, 0, 1, 218, "1st Fret"},  {0, 11, 1, 218, "12th Fret"}, {0, 9, 2, 219, "12th Fret"},
        {0, 10, 2, 219, "1st Fret"}, {1, 5, 2, 223, "3rd Fret"},  {3, 5, 3, 232, "11th Fret"}, {3, 6, 3, 232, "12th Fret"},
        {3, 7, 3, 232, "1st Fret"},  {4, 0, 0, 233, "7th Fret"},  {4, 5, 0, 233, "12th Fret"}, {4, 6, 0, 233, "1st Fret"},
    };
    expectWorkedValues(cases);
}

TEST_F(DimAugLessonTest, ChoiceChecksThenTheHalfDiminishedReferral) {
    strum(w);  // nothing chosen
    pickChordType(w, 5);
    strum(w);  // no root
    pickRoot(w, 2);
    strum(w);  // no form
    EXPECT_EQ(prompts, QStringList({kSelectChordType, kPickRoot, kPickForm}));
    prompts.clear();
    for (int root : {0, 5, 6, 11})
        for (int form = 0; form < 4; ++form) {
            SCOPED_TRACE(testing::Message() << "root " << root << " form " << form);
            show(4, root, form);  // a diagram first; the list pick clears it
            ASSERT_TRUE(w.imgChord.Visible());
            pickChordType(w, 5);
            strum(w);
            EXPECT_EQ(prompts, QStringList({kHalfDiminished}));
            EXPECT_FALSE(w.imgChord.Visible());
            EXPECT_EQ(w.lblFretNumber.Caption(), "");
            prompts.clear();
        }
    click(w, "cmdPrint");
    EXPECT_EQ(prompts, QStringList({kNothingToPrint}));
    EXPECT_FALSE(rt::instance<frmPrintMe>().isLoaded());
}

TEST_F(DimAugLessonTest, RootGroupSwitchShowsOnlyTheChosenRootsButton) {
    struct Step {
        int root;
        const char* buttons;
    };
    const Step steps[] = {{5, "1*"}, {6, "2*"}, {0, "1*"}, {11, "2*"}, {8, "2*"}, {3, "1*"}};
    pickChordType(w, 0);
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
        EXPECT_TRUE(w.imgChord.Picture().isEmpty());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        pickForm(w, 3);
        pickChordType(w, 2);
        EXPECT_EQ(buttons(), s.buttons);
        pickChordType(w, 0);
        pickForm(w, 0);
    }
    // Enter now presses the chosen root's button.
    pressEnterInList(w);
    EXPECT_EQ(shownDiagram(w), 217);
    EXPECT_EQ(w.lblFretNumber.Caption(), "11th Fret");
}

TEST_F(DimAugLessonTest, MoreOnDimAndAugOpensOnePageThatOutlivesTheLesson) {
    auto& page = rt::instance<frmSymmetric>();
    click(w, "cmdMoreDim");
    ASSERT_TRUE(page.isLoaded());
    const rt::Picture first = page.imgSymmetric1.Picture();
    EXPECT_EQ(first.resourceId(), 235);
    click(w, "cmdMoreDim");  // brought up again, not reloaded
    EXPECT_TRUE(page.imgSymmetric1.Picture() == first);
    EXPECT_EQ(rt::Forms().size(), 2u);

    show(4, 4, 2);
    click(w, "cmdPrint");
    click(w, "cmdExit");
    settle();
    EXPECT_FALSE(w.isLoaded());
    EXPECT_TRUE(page.isLoaded());
    EXPECT_TRUE(rt::instance<frmPrintMe>().isLoaded());

    // Opened afresh after the exit: six entries again, nothing chosen.
    w.Show();
    EXPECT_EQ(w.lstChordType.ListCount(), 6);
    EXPECT_EQ(w.pickedRoot(), -1);
    EXPECT_EQ(buttons(), "1");
    EXPECT_EQ(w.defaultButton(), nullptr);
}

// The intervals as semitones above the root.
TEST(DimAugDiagrams, EveryRowSoundsOnlyItsChordsTones) {
    enum { R = 0, b9 = 1, n9 = 2, m3 = 3, M3 = 4, b5 = 6, s5 = 8, d7 = 9, m7 = 10 };
    const std::set<int> kTones[5] = {
        {R, M3, s5}, {R, M3, s5, m7}, {R, M3, s5, m7, n9}, {R, M3, s5, m7, b9}, {R, m3, b5, d7},
    };
    for (int type = 0; type < 5; ++type)
        for (int form = 0; form < 4; ++form)
            for (int root = 0; root < 12; ++root) {
                const int id = kCells[type][form][0];
                const std::set<int> sounded =
                    soundingnotes::intervals(soundingnotes::notes(id, fretAtRoot(kCells[type][form][1], root)), root);
                SCOPED_TRACE(testing::Message() << "diagram " << id << " root " << root);
                EXPECT_FALSE(sounded.empty());
                for (int i : sounded) EXPECT_TRUE(kTones[type].count(i)) << "interval " << i;
            }
}

}  // namespace

// The major/minor lesson through its real widgets: the 96 keys, the choice checks, diagram
// clearing and the default button.
#include "lessons/core/messages.h"
#include "lessons/majorminor/frmbasic.h"
#include "runtime/errors.h"
#include "support/lessonkeys.h"
#include "support/lessontest.h"

using namespace lessondriver;
using lessons::kPickForm;
using lessons::kPickRoot;
using lessons::kSelectChordType;

namespace {

using BasicLessonTest = LessonTest<frmBasic>;

TEST_F(BasicLessonTest, OpensWithItsListAndNothingChosen) {
    EXPECT_EQ(w.Caption(), "Basic Chords - Strumvane");
    ASSERT_EQ(w.lstChordType.ListCount(), 2);
    EXPECT_EQ(w.lstChordType.List(0), "Major");
    EXPECT_EQ(w.lstChordType.List(1), "minor");
    EXPECT_EQ(w.lstChordType.Text(), "");
    EXPECT_EQ(w.pickedRoot(), -1);
    EXPECT_EQ(w.pickedForm(), -1);
    EXPECT_FALSE(w.imgChord.Visible());
    EXPECT_TRUE(w.imgChord.Picture().isEmpty());
    EXPECT_EQ(w.lblFretNumber.Caption(), "");
    EXPECT_TRUE(w.cmdStrumMe.Visible());
    EXPECT_TRUE(w.cmdStrumMe.Default());
    EXPECT_EQ(focusName(w), "optRoot_0");
}

TEST_F(BasicLessonTest, EveryKeyShowsItsDiagramAndFretLabel) {
    for (int type = 0; type < 2; ++type)
        for (int root = 0; root < 12; ++root)
            for (int form = 0; form < 4; ++form) {
                SCOPED_TRACE(testing::Message() << "type " << type << " root " << root << " form " << form);
                show(type, root, form);
                const lessonkeys::Answer want = lessonkeys::basic::answer(type, root, form);
                EXPECT_EQ(shownDiagram(w), want.id);
                EXPECT_EQ(w.lblFretNumber.Caption(), want.fret);
                EXPECT_TRUE(w.lblFretNumber.Visible());
            }
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(BasicLessonTest, ChoiceChecksComeInOrderAndStopAtTheFirstMissing) {
    strum(w);
    pickRoot(w, 0);
    pickForm(w, 0);
    strum(w);  // root and form, no chord type
    EXPECT_EQ(prompts, QStringList({kSelectChordType, kSelectChordType}));
    EXPECT_FALSE(w.imgChord.Visible());

    reopen();
    prompts.clear();
    pickChordType(w, 0);
    strum(w);
    pickForm(w, 1);
    strum(w);  // chord type and form, no root
    pickRoot(w, 3);
    reopen();
    pickChordType(w, 1);
    pickRoot(w, 3);
    strum(w);  // chord type and root, no form
    EXPECT_EQ(prompts, QStringList({kPickRoot, kPickRoot, kPickForm}));
    EXPECT_FALSE(w.imgChord.Visible());
}

TEST_F(BasicLessonTest, EveryPickClearsTheDiagramAndKeepsTheOtherChoices) {
    for (int pick = 0; pick < 3; ++pick) {
        show(0, 7, 3);  // G Major form 4
        ASSERT_EQ(shownDiagram(w), 185);
        ASSERT_EQ(w.lblFretNumber.Caption(), "5th Fret");
        if (pick == 0) pickRoot(w, 2);
        if (pick == 1) pickForm(w, 1);
        if (pick == 2) pickChordType(w, 1);
        EXPECT_FALSE(w.imgChord.Visible());
        EXPECT_TRUE(w.imgChord.Picture().isEmpty());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        EXPECT_TRUE(w.lblFretNumber.Visible());  // never hidden, only emptied
        EXPECT_TRUE(w.cmdStrumMe.Visible());
        EXPECT_NE(w.pickedRoot(), -1);
        EXPECT_NE(w.pickedForm(), -1);
        EXPECT_NE(w.lstChordType.Text(), "");
    }
}

TEST_F(BasicLessonTest, EnterPressesStrumMeUnlessAnotherButtonHasTheFocus) {
    pickChordType(w, 1);
    pickRoot(w, 9);
    pickForm(w, 2);
    pressEnterInList(w);
    EXPECT_EQ(shownDiagram(w), 106);
    EXPECT_EQ(w.lblFretNumber.Caption(), "12th Fret");

    // With the focus on "Print Chord", Enter presses that button instead.
    pickForm(w, 0);
    w.cmdPrint.widget()->setFocus();
    key(w, Qt::Key_Return);
    EXPECT_EQ(prompts, QStringList({lessons::kNothingToPrint}));
    EXPECT_FALSE(w.imgChord.Visible());
}

TEST_F(BasicLessonTest, ReopeningKeepsStateAndExitStartsAfresh) {
    show(1, 5, 1);  // F minor form 2
    ASSERT_EQ(shownDiagram(w), 105);
    w.Show();  // opened again from the main window
    EXPECT_EQ(shownDiagram(w), 105);
    EXPECT_EQ(w.lstChordType.ListCount(), 2);

    click(w, "cmdExit");
    settle();
    EXPECT_FALSE(w.isLoaded());
    w.Show();
    EXPECT_EQ(w.lstChordType.ListCount(), 2);  // refilled once, not doubled
    EXPECT_EQ(w.pickedRoot(), -1);
    EXPECT_FALSE(w.imgChord.Visible());
    EXPECT_EQ(w.lblFretNumber.Caption(), "");
}

TEST_F(BasicLessonTest, ARepeatedStrumShowsTheSameChordAgain) {
    show(0, 0, 0);
    strum(w);
    EXPECT_EQ(shownDiagram(w), 101);
    EXPECT_EQ(w.lblFretNumber.Caption(), "1st Fret");
    EXPECT_TRUE(prompts.isEmpty());
}

}  // namespace

// The seventh chords lesson: its 192 keys and its own layout values.
#include "lessons/seventh/frm7thtype.h"
#include "support/lessonkeys.h"
#include "support/lessontest.h"

using namespace lessondriver;

namespace {

using SeventhLessonTest = LessonTest<frm7thType>;

using lessonkeys::seventh::kRows;

TEST_F(SeventhLessonTest, EveryKeyShowsItsDiagramAndFretLabel) {
    ASSERT_EQ(w.lstChordType.ListCount(), 4);
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(w.lstChordType.List(t), kRows[t].type);
        for (int root = 0; root < 12; ++root)
            for (int form = 0; form < 4; ++form) {
                SCOPED_TRACE(testing::Message() << kRows[t].type << " root " << root << " form " << form);
                show(t, root, form);
                const lessonkeys::Answer want = lessonkeys::seventh::answer(t, root, form);
                EXPECT_EQ(shownDiagram(w), want.id);
                EXPECT_EQ(w.lblFretNumber.Caption(), want.fret);
            }
    }
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(SeventhLessonTest, WorkedValues) {
    const WorkedValue cases[] = {
        {0, 0, 0, 110, "1st Fret"},  {0, 11, 0, 156, "1st Fret"}, {3, 0, 0, 173, "1st Fret"},
        {2, 4, 1, 108, "12th Fret"}, {2, 5, 1, 108, "1st Fret"},  {3, 5, 1, 159, "12th Fret"},
        {3, 6, 1, 159, "1st Fret"},  {0, 9, 2, 112, "12th Fret"}, {0, 10, 2, 112, "1st Fret"},
        {0, 11, 2, 112, "2nd Fret"}, {1, 2, 3, 189, "12th Fret"}, {1, 3, 3, 189, "1st Fret"},
        {2, 10, 0, 151, "1st Fret"},
    };
    expectWorkedValues(cases);
}

TEST_F(SeventhLessonTest, ItsOwnButtonsAndLayout) {
    EXPECT_EQ(w.Caption(), "7th Type Chords - Strumvane");
    EXPECT_EQ(w.cmdStrumMe2.Caption(), "Strum Me");
    EXPECT_TRUE(w.cmdStrumMe2.Default());
    EXPECT_EQ(w.cmdExit.Caption(), " Exit to Main");
    EXPECT_EQ(w.cmdStrumMe2.Left(), 3840);
    EXPECT_EQ(w.cmdStrumMe2.Width(), 2295);
    EXPECT_EQ(w.fraRootNote.Top(), 360);
    EXPECT_EQ(focusName(w), "optRoot_0");
    // Enter anywhere but on a button runs the Strum handler.
    pickChordType(w, 0);
    pressEnterInList(w);
    EXPECT_EQ(prompts, QStringList({"You must pick a root note"}));
}

}  // namespace

// The seventh chords lesson: its 192 keys and its own layout values.
#include "lessons/seventh/frm7thtype.h"
#include "support/lessontest.h"

using namespace lessondriver;

namespace {

using SeventhLessonTest = LessonTest<frm7thType>;

// The lesson's table as printed: form 1 per root, then (diagram, base fret) of forms 2 to 4.
struct Row {
    const char* type;
    int form1[12];
    int movable[3][2];
};
const Row kRows[] = {
    {"Major7th", {110, 116, 120, 124, 128, 132, 136, 140, 144, 148, 152, 156}, {{111, 8}, {112, 3}, {188, 10}}},
    {"minor7th", {161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171, 172}, {{157, 8}, {158, 3}, {189, 10}}},
    {"7th", {107, 115, 119, 123, 127, 131, 135, 139, 143, 147, 151, 155}, {{108, 8}, {109, 3}, {187, 10}}},
    {"minor7th(b5)", {173, 174, 175, 176, 177, 178, 179, 180, 181, 182, 183, 184}, {{159, 7}, {160, 3}, {190, 10}}},
};

TEST_F(SeventhLessonTest, EveryKeyShowsItsDiagramAndFretLabel) {
    ASSERT_EQ(w.lstChordType.ListCount(), 4);
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(w.lstChordType.List(t), kRows[t].type);
        for (int root = 0; root < 12; ++root)
            for (int form = 0; form < 4; ++form) {
                SCOPED_TRACE(testing::Message() << kRows[t].type << " root " << root << " form " << form);
                show(t, root, form);
                const int id = form == 0 ? kRows[t].form1[root] : kRows[t].movable[form - 1][0];
                const int fret = form == 0 ? 1 : fretAtRoot(kRows[t].movable[form - 1][1], root);
                EXPECT_EQ(shownDiagram(w), id);
                EXPECT_EQ(w.lblFretNumber.Caption(), fretCaption(fret));
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

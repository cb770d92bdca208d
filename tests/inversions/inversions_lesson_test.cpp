// The inversions lesson through its real widgets: its 360 keys, its own checks in their
// order, the two root groups and its layout.
#include "lessons/core/messages.h"
#include "lessons/inversions/frminversions.h"
#include "support/lessonkeys.h"
#include "support/lessontest.h"

#include <QSignalBlocker>

using namespace lessondriver;
using lessons::kNothingToPrint;
using lessons::kSelectChordType;
using lessons::kUnexpectedError;

namespace {

const QString kPickInversion = "You must pick an Inversion";
const QString kPickRootFirstGroup = "You must pick a ROOT NOTE";
const QString kPickRootSecondGroup = "You must pick a ROOT NOTE from F#/Gb Through B";
const QString kNoThirdMajor = lessonkeys::inversions::kNoThirdMajor;
const QString kNoThirdMinor = lessonkeys::inversions::kNoThirdMinor;

enum Type { Major, Minor, Major7th, Minor7th, Major6th, Minor6th, Dom7th, HalfDim };
enum Root { C, Db, D, Eb, E, F, Gb, G, Ab, A, Bb, B };

// The inversion is picked as the form.
using InversionsLessonTest = LessonTest<frmInversions>;

// Sets an option with its Click held back: a state the user cannot reach, since every
// pick clears the diagram.
void setWithoutClick(rt::OptionButton& option) {
    const QSignalBlocker quiet(option.widget());
    option.setValue(true);
}

using lessonkeys::inversions::kRows;

TEST_F(InversionsLessonTest, EveryKeyShowsItsDiagramAndFretLabel) {
    ASSERT_EQ(w.lstChordType.ListCount(), 8);
    int shown = 0;
    for (int t = 0; t < 8; ++t) {
        EXPECT_EQ(w.lstChordType.List(t), kRows[t].type);
        for (int root = 0; root < 12; ++root)
            for (int inv = 0; inv < 4; ++inv) {
                if (!kRows[t].entry[inv][0]) continue;  // the third-inversion message, tested below
                SCOPED_TRACE(testing::Message() << kRows[t].type << " root " << root << " inversion " << inv);
                show(t, root, inv);
                const lessonkeys::Answer want = lessonkeys::inversions::answer(t, root, inv);
                EXPECT_EQ(shownDiagram(w), want.id);
                EXPECT_EQ(w.lblFretNumber.Caption(), want.fret);
                EXPECT_TRUE(w.lblFretNumber.Visible());
                ++shown;
            }
    }
    EXPECT_EQ(shown, 360);
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(InversionsLessonTest, WorkedValues) {
    const WorkedValue cases[] = {
        {Major, C, 0, 197, "8th Fret"},      {Major, E, 0, 197, "12th Fret"},     {Major, F, 0, 197, "1st Fret"},
        {Major, B, 0, 197, "7th Fret"},      {Major, Gb, 0, 197, "2nd Fret"},     {Major, D, 1, 198, "12th Fret"},
        {Major, Eb, 1, 198, "1st Fret"},     {Major, B, 2, 199, "12th Fret"},     {Minor, B, 2, 201, "2nd Fret"},
        {Major7th, C, 3, 204, "5th Fret"},   {Major7th, B, 3, 204, "4th Fret"},   {Dom7th, Gb, 3, 216, "11th Fret"},
        {Minor7th, Gb, 3, 208, "10th Fret"}, {Major6th, C, 0, 206, "7th Fret"},   {Minor7th, A, 1, 206, "7th Fret"},
        {Minor6th, C, 0, 209, "7th Fret"},   {HalfDim, A, 1, 209, "7th Fret"},    {Minor7th, C, 0, 205, "8th Fret"},
    };
    expectWorkedValues(cases);
    // Pressed again with the same choices: the same chord again, nothing else.
    strum(w);
    EXPECT_EQ(shownDiagram(w), 205);
    EXPECT_EQ(w.lblFretNumber.Caption(), "8th Fret");
    EXPECT_TRUE(prompts.isEmpty());
}

// Chord type, then inversion, then root, then the triads' missing third inversion.
TEST_F(InversionsLessonTest, ChecksComeInTheirOwnOrder) {
    strum(w);  // nothing chosen
    pickForm(w, 2);
    pickRoot(w, C);
    strum(w);  // inversion and root, no chord type
    EXPECT_EQ(prompts, QStringList({kSelectChordType, kSelectChordType}));

    reopen();
    prompts.clear();
    pickChordType(w, Major7th);
    strum(w);  // no inversion, no root: the inversion comes first
    pickRoot(w, G);
    strum(w);  // root of the second group, no inversion
    EXPECT_EQ(prompts, QStringList({kPickInversion, kPickInversion}));

    reopen();
    prompts.clear();
    pickChordType(w, Major);
    pickForm(w, 3);
    strum(w);  // "Major" at the third inversion, no root yet: the root message first
    EXPECT_EQ(prompts, QStringList({kPickRootFirstGroup}));
    EXPECT_FALSE(w.imgChord.Visible());

    prompts.clear();
    const struct {
        int type, root;
        QString message;
    } triads[] = {{Major, C, kNoThirdMajor}, {Minor, C, kNoThirdMinor}, {Major, B, kNoThirdMajor}, {Minor, Ab, kNoThirdMinor}};
    for (const auto& c : triads) {
        show(c.type, c.root, 3);
        EXPECT_EQ(prompts, QStringList({c.message}));
        EXPECT_FALSE(w.imgChord.Visible());
        EXPECT_TRUE(w.imgChord.Picture().isEmpty());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        prompts.clear();
    }
    // Every four-note chord type has its third inversion.
    for (int t = Major7th; t <= HalfDim; ++t) {
        show(t, C, 3);
        EXPECT_NE(shownDiagram(w), 0) << kRows[t].type;
    }
    EXPECT_TRUE(prompts.isEmpty());
}

// A check that fails, or a diagram that fails to load, leaves the chord shown before it.
TEST_F(InversionsLessonTest, AFailedCheckOrLoadChangesNothing) {
    show(Major, D, 2);
    ASSERT_EQ(shownDiagram(w), 199);
    setWithoutClick(w.optInversion(3));  // so nothing is cleared
    strum(w);
    EXPECT_EQ(prompts, QStringList({kNoThirdMajor}));
    EXPECT_EQ(shownDiagram(w), 199);
    EXPECT_EQ(w.lblFretNumber.Caption(), "3rd Fret");

    prompts.clear();
    show(Major7th, Db, 2);
    ASSERT_EQ(shownDiagram(w), 203);
    rt::setMissingResourceForTests(204);
    setWithoutClick(w.optInversion(3));
    strum(w);
    EXPECT_EQ(prompts, QStringList({kUnexpectedError}));
    EXPECT_EQ(shownDiagram(w), 203);
    EXPECT_EQ(w.lblFretNumber.Caption(), "2nd Fret");
}

// Each Strum handler names its own six roots when none is picked, and serves them; a root
// of the other group gets the same message (every_lesson_test.cpp).
TEST_F(InversionsLessonTest, EachTwinServesOnlyItsOwnRoots) {
    pickChordType(w, Dom7th);
    pickForm(w, 0);
    w.cmdStrumMe4_Click();  // no root at all
    pickRoot(w, F);
    w.cmdStrumMe3_Click();
    EXPECT_EQ(prompts, QStringList({kPickRootSecondGroup}));
    prompts.clear();
    EXPECT_EQ(shownDiagram(w), 213);
    EXPECT_EQ(w.lblFretNumber.Caption(), "1st Fret");
    pickRoot(w, G);
    w.cmdStrumMe4_Click();
    EXPECT_EQ(shownDiagram(w), 213);
    EXPECT_EQ(w.lblFretNumber.Caption(), "3rd Fret");
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(InversionsLessonTest, RootGroupSwitch) {
    // At the start only the first group's button shows, and nothing is the default.
    EXPECT_TRUE(w.cmdStrumMe3.Visible());
    EXPECT_FALSE(w.cmdStrumMe4.Visible());
    EXPECT_FALSE(w.cmdStrumMe3.Default());
    EXPECT_FALSE(w.cmdStrumMe4.Default());
    EXPECT_EQ(w.defaultButton(), nullptr);

    // From one root to the next, with a chord shown before each pick.
    const int roots[] = {C, F, Gb, B, F, D, G, E};
    for (size_t i = 1; i < std::size(roots); ++i) {
        show(Major, roots[i - 1], 0);
        ASSERT_EQ(shownDiagram(w), 197);
        pickRoot(w, roots[i]);
        SCOPED_TRACE(testing::Message() << "root " << roots[i - 1] << " then " << roots[i]);
        const bool first = roots[i] <= F;
        EXPECT_EQ(w.cmdStrumMe3.Visible(), first);
        EXPECT_EQ(w.cmdStrumMe4.Visible(), !first);
        EXPECT_EQ(w.defaultButton(), first ? &w.cmdStrumMe3 : &w.cmdStrumMe4);
        EXPECT_FALSE(w.imgChord.Visible());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
    }
    // Picking an inversion or a chord type clears the diagram and leaves the buttons.
    for (int pick = 0; pick < 2; ++pick) {
        show(Minor6th, A, 2);
        ASSERT_EQ(shownDiagram(w), 211);
        ASSERT_EQ(w.lblFretNumber.Caption(), "10th Fret");
        if (pick == 0) pickForm(w, 1);
        if (pick == 1) pickChordType(w, Major);
        EXPECT_FALSE(w.imgChord.Visible());
        EXPECT_TRUE(w.imgChord.Picture().isEmpty());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        EXPECT_TRUE(w.lblFretNumber.Visible());  // emptied, never hidden
        EXPECT_FALSE(w.cmdStrumMe3.Visible());
        EXPECT_TRUE(w.cmdStrumMe4.Default());
    }
    // Enter presses the default button of the group in force.
    pickChordType(w, Minor);
    pickForm(w, 0);
    pressEnterInList(w);
    EXPECT_EQ(shownDiagram(w), 105);
    EXPECT_EQ(w.lblFretNumber.Caption(), "5th Fret");
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(InversionsLessonTest, OpensInItsStartStateEachTime) {
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(testing::Message() << "opening " << opening);
        EXPECT_EQ(w.Caption(), "Chord Inversions");
        ASSERT_EQ(w.lstChordType.ListCount(), 8);
        EXPECT_EQ(w.lstChordType.Text(), "");
        EXPECT_EQ(w.pickedRoot(), -1);
        EXPECT_EQ(w.pickedInversion(), -1);
        EXPECT_FALSE(w.imgChord.Visible());
        EXPECT_EQ(w.lblFretNumber.Caption(), "");
        EXPECT_TRUE(w.cmdStrumMe3.Visible());
        EXPECT_FALSE(w.cmdStrumMe4.Visible());
        EXPECT_EQ(w.defaultButton(), nullptr);
        EXPECT_EQ(focusName(w), "cmdExit");
        // Tab order: frames, labels and the hidden Strum button are passed over.
        QStringList stops;
        for (int i = 0; i < 7; ++i) {
            key(w, Qt::Key_Tab);
            stops << focusName(w);
        }
        EXPECT_EQ(stops, QStringList({"optInversion_3", "optInversion_2", "optInversion_1", "optInversion_0", "lstChordType",
                                      "cmdStrumMe3", "optRoot_0"}));
        w.cmdExit.SetFocus();

        show(Minor7th, Bb, 1);
        ASSERT_EQ(shownDiagram(w), 206);
        w.Show();  // opened again while open: everything stays
        EXPECT_EQ(shownDiagram(w), 206);
        EXPECT_TRUE(w.cmdStrumMe4.Default());
        click(w, "cmdExit");
        settle();
        EXPECT_FALSE(w.isLoaded());
        w.Show();
    }
}

TEST_F(InversionsLessonTest, ItsOwnLayout) {
    struct Box {
        const rt::Control* control;
        int left, top, width, height;
    };
    const Box boxes[] = {
        {&w.cmdPrint, 8640, 6120, 1215, 735},     {&w.fraRootNote, 240, 360, 2295, 7095},
        {&w.cmdStrumMe3, 3960, 6840, 1935, 735},  {&w.cmdStrumMe4, 3960, 6840, 1935, 735},
        {&w.lstChordType, 5520, 720, 2535, 1020}, {&w.fraForm, 2880, 240, 2055, 2055},
        {&w.cmdExit, 8640, 7080, 1215, 735},      {&w.imgChord, 3360, 2520, 3255, 3975},
        {&w.Label2, 5280, 360, 1575, 255},        {&w.optRoot(C), 240, 360, 735, 375},
        {&w.optRoot(Db), 240, 927, 1215, 375},    {&w.optRoot(Eb), 240, 2061, 1095, 375},
        {&w.optRoot(Gb), 240, 3762, 855, 375},    {&w.optRoot(A), 240, 5463, 615, 375},
        {&w.optRoot(Bb), 240, 6030, 975, 375},    {&w.optRoot(B), 240, 6600, 615, 375},
        {&w.optInversion(0), 240, 240, 1335, 255}, {&w.optInversion(1), 240, 600, 1335, 375},
        {&w.optInversion(2), 240, 1080, 1335, 375}, {&w.optInversion(3), 240, 1560, 1335, 375},
    };
    // Controls stand on whole pixels of 15 twips: 927 shows as 930.
    const auto px = [](int twips) { return (twips + 7) / 15 * 15; };
    for (const Box& b : boxes) {
        SCOPED_TRACE(b.control->Name().toStdString());
        EXPECT_EQ(b.control->Left(), px(b.left));
        EXPECT_EQ(b.control->Top(), px(b.top));
        EXPECT_EQ(b.control->Width(), px(b.width));
        // The list shrinks to whole rows (the every-lesson test checks how many).
        if (b.control == &w.lstChordType)
            EXPECT_LE(b.control->Height(), px(b.height));
        else
            EXPECT_EQ(b.control->Height(), px(b.height));
    }
    EXPECT_EQ(w.lblFretNumber.Left(), 6840);
    EXPECT_EQ(w.lblFretNumber.Top(), 3000);

    EXPECT_EQ(w.fraForm.Caption(), "Inversion");
    EXPECT_EQ(w.fraForm.ToolTipText(), "Choose an Inversion");
    const char* const captions[4] = {"Root Position", "1st. Inversion", "2nd. Inversion", "3rd. Inversion"};
    const char* const tips[4] = {"Choose for the root in the bass", "Choose for the 3rd in the bass",
                                 "Choose for the 5th in the bass", "Choose for the 7th or 6th in the bass"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w.optInversion(i).Caption(), captions[i]);
        EXPECT_EQ(w.optInversion(i).ToolTipText(), tips[i]);
        EXPECT_EQ(w.optInversion(i).Name(), QString("optInversion_%1").arg(i));
    }
    EXPECT_EQ(w.optRoot(Gb).Caption(), "F#/Gb");
    EXPECT_EQ(w.cmdStrumMe3.Caption(), "Strum Me");
    EXPECT_EQ(w.cmdStrumMe4.Caption(), "Strum Me");
    EXPECT_EQ(w.cmdStrumMe3.ToolTipText(), "Click to display Chords with Root notes C Through F");
    EXPECT_EQ(w.cmdStrumMe4.ToolTipText(), "Click to display chords with root notes F#/Gb Through B");
    EXPECT_EQ(w.cmdExit.Caption(), " Exit to Main");
    EXPECT_EQ(w.cmdExit.ToolTipText(), "Exit to Strumvane Welcome window");
    EXPECT_EQ(w.cmdPrint.Caption(), "Print Chord");
    EXPECT_EQ(w.Label2.Caption(), "Chord Types");
}

}  // namespace

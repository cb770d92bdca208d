#include "lessons/inversions/frminversions.h"

#include "lessons/core/messages.h"
#include "lessons/inversions/inversionstable.h"
#include "runtime/app.h"

using namespace lessons;

namespace {

constexpr int kThirdInversion = 3;
const QString kPickInversion = QStringLiteral("You must pick an Inversion");
const QString kNoThirdInversion = QStringLiteral("There is no 3rd. Inversion for a ");

}  // namespace

frmInversions::frmInversions() : LessonWindow("frmInversions", "optInversion") {
    optInversion.Click = [this](int i) { optInversion_Click(i); };
    cmdStrumMe3.Click = [this] { cmdStrumMe3_Click(); };
    cmdStrumMe4.Click = [this] { cmdStrumMe4_Click(); };

    LessonDesign d;
    d.window = {.caption = "Chord Inversions", .left = 810, .top = 315, .width = 10275, .height = 8085};
    //                     left   top  width height tab
    d.fraRootNote     = {  240,  360, 2295, 7095,   8};
    d.fraForm         = { 2880,  240, 2055, 2055,   1};
    d.label2          = { 5280,  360, 1575,  255,   9};
    d.lstChordType    = { 5520,  720, 2535, 1020,   6};
    d.imgChord        = { 3360, 2520, 3255, 3975,  -1};
    d.lblFretNumber   = { 6840, 3000,  315,  405,  10};
    d.strumButton     = { 3960, 6840, 1935,  735,  -1};  // both Strum buttons, one on the other
    d.cmdPrint        = { 8640, 6120, 1215,  735,  24};
    d.cmdExit         = { 8640, 7080, 1215,  735,   0};
    // The roots stand 567 twips apart here (the last step 570).
    d.rootOptions = {{
        {240,  360,  735, 375, 12},  // C
        {240,  927, 1215, 375, 13},  // C#/Db
        {240, 1494,  735, 375, 14},  // D
        {240, 2061, 1095, 375, 15},  // D#/Eb
        {240, 2628,  735, 375, 16},  // E
        {240, 3195,  735, 375, 17},  // F
        {240, 3762,  855, 375, 18},  // F#/Gb
        {240, 4329,  615, 375, 19},  // G
        {240, 4896,  855, 375, 20},  // G#/Ab
        {240, 5463,  615, 375, 21},  // A
        {240, 6030,  975, 375, 22},  // A#/Bb
        {240, 6600,  615, 375, 23},  // B
    }};
    // Tab order runs from the third inversion up to root position.
    d.formOptions = {{
        {240,  240, 1335, 255, 5},
        {240,  600, 1335, 375, 4},
        {240, 1080, 1335, 375, 3},
        {240, 1560, 1335, 375, 2},
    }};
    d.formFrameCaption = "Inversion";
    d.formFrameTip = "Choose an Inversion";
    d.formCaptions = {"Root Position", "1st. Inversion", "2nd. Inversion", "3rd. Inversion"};
    d.formTips = {"Choose for the root in the bass", "Choose for the 3rd in the bass", "Choose for the 5th in the bass",
                  "Choose for the 7th or 6th in the bass"};
    d.exitCaption = " Exit to Main";
    // Until a root is picked the window has no default button.
    d.strumButtons = {
        {.button = &cmdStrumMe3, .tip = "Click to display Chords with Root notes C Through F", .tab = 7},
        {.button = &cmdStrumMe4, .tip = "Click to display chords with root notes F#/Gb Through B", .visible = false, .tab = 11},
    };
    d.rootGroups = {{&cmdStrumMe3, 0, 5, "You must pick a ROOT NOTE"},
                    {&cmdStrumMe4, 6, 11, "You must pick a ROOT NOTE from F#/Gb Through B"}};
    d.chordTypes = {"Major", "minor", "Major7th", "minor7th", "Major6th", "minor6th", "7th", "minor7th(b5)"};
    d.table = kInversionsTable;
    setDesign(std::move(d));
}

void frmInversions::optInversion_Click(int) { clearDiagram(); }

void frmInversions::cmdStrumMe3_Click() { Strum(cmdStrumMe3); }
void frmInversions::cmdStrumMe4_Click() { Strum(cmdStrumMe4); }

// The inversion comes before the root, and a root of the other group counts as none.
bool frmInversions::choiceChecks(const RootGroup& group) {
    if (lstChordType.Text().isEmpty()) {
        rt::MsgBox(kSelectChordType);
        return false;
    }
    if (pickedInversion() < 0) {
        rt::MsgBox(kPickInversion);
        return false;
    }
    const int root = pickedRoot();
    if (root < group.firstRoot || root > group.lastRoot) {
        rt::MsgBox(QString::fromUtf8(group.rootMessage));
        return false;
    }
    return true;
}

// Triads have three notes, so no third inversion.
bool frmInversions::lessonChecks() {
    const QString type = lstChordType.Text();
    const bool third = optInversion(kThirdInversion).Value();
    if (type == QLatin1String("Major") && third) {
        rt::MsgBox(kNoThirdInversion + QStringLiteral("Major chord"));
        return false;
    }
    if (type == QLatin1String("minor") && third) {
        rt::MsgBox(kNoThirdInversion + QStringLiteral("minor chord"));
        return false;
    }
    return LessonWindow::lessonChecks();
}

#include "lessons/dimaug/frmdimaug.h"

#include "lessons/dimaug/dimaugtable.h"
#include "lessons/dimaug/frmsymmetric.h"

using namespace lessons;

frmDimAug::frmDimAug() : LessonWindow("frmDimAug") {
    cmdStrumMe.Click = [this] { cmdStrumMe_Click(); };
    cmdStrumMe2.Click = [this] { cmdStrumMe2_Click(); };
    cmdMoreDim.Click = [this] { cmdMoreDim_Click(); };

    LessonDesign d;
    d.window = {.caption = "Augmented and Diminished chords", .left = 810, .top = 300, .width = 10245, .height = 8100};
    // Where this window differs from the major/minor lesson's layout, and its tab order.
    //                     left   top  width height tab
    d.fraRootNote     = {  240,  240, 2175, 7095,   1};
    d.fraForm         = { 2880,  240, 2055, 2055,  17};
    d.label2          = { 5280,  360, 1335,  255,  22};
    d.lstChordType    = { 5520,  720, 2535, 1020,  16};
    d.imgChord        = { 3360, 2640, 3255, 3975,  -1};
    d.lblFretNumber   = { 7080, 3000,  315,  405,  23};
    d.strumButton     = { 3600, 7080, 2895,  735,  15};
    d.cmdPrint        = { 8640, 6120, 1215,  735,  25};
    d.cmdExit         = { 8640, 7080, 1215,  735,   0};
    d.rootOptions = standardRootOptions(3);
    d.formOptions = standardFormOptions(18);
    // Neither is the default button until a root is picked.
    d.strumButtons = {
        {.button = &cmdStrumMe, .tab = 15},
        {.button = &cmdStrumMe2, .tip = nullptr, .visible = false, .tab = 2},
    };
    d.rootGroups = {{&cmdStrumMe, 0, 5}, {&cmdStrumMe2, 6, 11}};
    d.chordTypes = {"Augmented", "Dominant 7th(#5)", "Dominant 9th(#5)", "Dominant 7th(b9)(#5)", "Diminished", "Half Diminished"};
    d.table = kDimAugTable;
    setDesign(std::move(d));
}

void frmDimAug::extraControls(rt::Layout& rows) {
    rows.push_back(rt::button(cmdMoreDim, 7680, 4200, 1575, 855)
                       .caption("More on Dim and Aug chords")
                       .font({"MS Serif", 9.75, true, true})
                       .tip("Choose to see how some of these chords can be moved around the neck")
                       .back(rt::kLightBlue)
                       .tab(24));
}

void frmDimAug::cmdStrumMe_Click() { Strum(cmdStrumMe); }
void frmDimAug::cmdStrumMe2_Click() { Strum(cmdStrumMe2); }
void frmDimAug::cmdMoreDim_Click() { rt::instance<frmSymmetric>().Show(); }

#include "lessons/dominant/frmdominant.h"

#include "lessons/dominant/dominanttable.h"

using namespace lessons;

frmDominant::frmDominant() : LessonWindow("frmDominant") {
    cmdStrumMe.Click = [this] { cmdStrumMe_Click(); };
    cmdStrumMe2.Click = [this] { cmdStrumMe2_Click(); };
    cmdStrumMe3.Click = [this] { cmdStrumMe3_Click(); };

    LessonDesign d;
    d.window = {.caption = "Dominant Chords", .left = 810, .top = 300, .width = 10275, .height = 8100};
    // Where this window differs from the major/minor lesson's layout, and its tab order.
    //                     left   top  width height tab
    d.fraRootNote     = {  240,  240, 2175, 7095,   1};
    d.fraForm         = { 2880,  240, 2055, 2055,  16};
    d.label2          = { 5280,  360, 1575,  255,  23};
    d.lstChordType    = { 5520,  720, 2535, 1020,  15};
    d.imgChord        = { 3360, 2640, 3255, 3975,  -1};
    d.lblFretNumber   = { 7080, 3000,  315,  405,  22};
    d.strumButton     = { 3840, 7080, 2175,  735,  14};
    d.cmdPrint        = { 8520, 6120, 1215,  735,  25};
    d.cmdExit         = { 8520, 7080, 1215,  735,  21};
    d.rootOptions = standardRootOptions(2);
    d.formOptions = standardFormOptions(17);
    d.exitCaption = " Exit to Main";
    // All three lie on one spot and show until the first root is picked.
    d.strumButtons = {
        {.button = &cmdStrumMe, .isDefault = true, .tab = 14},
        {.button = &cmdStrumMe2, .tip = nullptr, .tab = 0},
        {.button = &cmdStrumMe3, .tip = nullptr, .tab = 24},
    };
    d.rootGroups = {{&cmdStrumMe, 0, 3}, {&cmdStrumMe2, 4, 7}, {&cmdStrumMe3, 8, 11}};
    d.chordTypes = {
        "Dominant 7th",      "Dominant 7th(b5)",  "Dominant 7th(#5)",      "Dominant 7th(b9)", "Dominant 7th(b9)(#5)",
        "Dominant 7th(#9)",  "Dominant 9th",      "Dominant 9th(b5)",      "Dominant 9th(#5)", "Dominant 9th(#11)",
        "Dominant 11th",     "Dominant 13th",     "Dominant 13th(b9)",     "Dominant 13th(b9)(b5)", "Dominant 7th sus",
    };
    d.table = kDominantTable;
    setDesign(std::move(d));
}

void frmDominant::cmdStrumMe_Click() { Strum(cmdStrumMe); }
void frmDominant::cmdStrumMe2_Click() { Strum(cmdStrumMe2); }
void frmDominant::cmdStrumMe3_Click() { Strum(cmdStrumMe3); }

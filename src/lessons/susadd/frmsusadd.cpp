#include "lessons/susadd/frmsusadd.h"

#include "lessons/susadd/susaddtable.h"

using namespace lessons;

frmSusAdd::frmSusAdd() : LessonWindow("frmSusAdd") {
    cmdStrumMe.Click = [this] { cmdStrumMe_Click(); };
    cmdStrumMe2.Click = [this] { cmdStrumMe2_Click(); };

    LessonDesign d;
    d.window = {.caption = "Suspended - Add Chords", .left = 810, .top = 315, .width = 10290, .height = 8115};
    // Where this window differs from the major/minor lesson's layout, and its tab order
    // (the exit button first, so it has the focus when the window opens).
    //                     left   top  width height tab
    d.fraRootNote     = {  120,  240, 2175, 7095,   1};
    d.fraForm         = { 2760,  240, 2055, 2055,  16};
    d.label2          = { 5160,  360, 1335,  255,  21};
    d.lstChordType    = { 5400,  720, 2655, 1020,  15};
    d.imgChord        = { 3240, 2640, 3255, 3975,  -1};
    d.lblFretNumber   = { 6960, 3000,  315,  405,  22};
    d.strumButton     = { 3840, 6960, 1935,  735,  14};
    d.cmdPrint        = { 8640, 6120, 1215,  735,  24};
    d.cmdExit         = { 8640, 7080, 1215,  735,   0};
    d.rootOptions = standardRootOptions(2);
    d.formOptions = standardFormOptions(17);
    d.exitCaption = "Exit to Main";
    // The second button's caption carries a trailing blank, and it has no tooltip.
    d.strumButtons = {{.button = &cmdStrumMe, .isDefault = true, .tab = 14},
                      {.button = &cmdStrumMe2, .caption = "Strum Me ", .tip = nullptr, .tab = 23}};
    d.rootGroups = {{&cmdStrumMe, 0, 5}, {&cmdStrumMe2, 6, 11}};
    d.chordTypes = {"Suspended 2nd", "Suspended 4th", "Add 9th", "Major 6th add 9th", "minor 6th add 9th",
                    "Dominant 7th Suspended"};
    d.table = kSusAddTable;
    setDesign(std::move(d));
}

void frmSusAdd::cmdStrumMe_Click() { Strum(cmdStrumMe); }
void frmSusAdd::cmdStrumMe2_Click() { Strum(cmdStrumMe2); }

#include "lessons/seventh/frm7thtype.h"

#include "lessons/seventh/seventhtable.h"

using namespace lessons;

frm7thType::frm7thType() : LessonWindow("frm7thType") {
    cmdStrumMe2.Click = [this] { cmdStrumMe2_Click(); };

    LessonDesign d;
    d.window = {.caption = "7th Type Chords - Strumvane", .left = 810, .top = 300, .width = 10275, .height = 8130};
    // Where this window differs from the major/minor lesson's layout, and its tab order.
    //                     left   top  width height tab
    d.fraRootNote     = {  240,  360, 2175, 7095,   0};
    d.fraForm         = { 2880,  360, 2055, 2055,  21};
    d.label2          = { 5280,  480, 1575,  255,  22};
    d.lstChordType    = { 5520,  840, 2535, 1020,  17};
    d.imgChord        = { 3360, 2760, 3255, 3975,  -1};
    d.lblFretNumber   = { 7080, 3120,  315,  405,  20};
    d.strumButton     = { 3840, 7200, 2295,  735,  18};
    d.cmdPrint        = { 8640, 6120, 1215,  735,  23};
    d.cmdExit         = { 8640, 7080, 1215,  735,  19};
    d.rootOptions = standardRootOptions(1);
    d.formOptions = standardFormOptions(13);
    d.exitCaption = " Exit to Main";
    d.strumButtons = {{.button = &cmdStrumMe2, .isDefault = true, .tab = 18}};
    d.rootGroups = {{&cmdStrumMe2, 0, 11}};
    d.chordTypes = {"Major7th", "minor7th", "7th", "minor7th(b5)"};
    d.table = kSeventhTable;
    setDesign(std::move(d));
}

void frm7thType::cmdStrumMe2_Click() { Strum(cmdStrumMe2); }

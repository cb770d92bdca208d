#include "lessons/extensions/frmmajminext.h"

#include "lessons/extensions/extensionstable.h"

using namespace lessons;

frmMajMinExt::frmMajMinExt() : LessonWindow("frmMajMinExt") {
    cmdStrumMe2.Click = [this] { cmdStrumMe2_Click(); };
    cmdStrumMe3.Click = [this] { cmdStrumMe3_Click(); };

    LessonDesign d;
    d.window = {.caption = "Major-Minor Extensions", .left = 810, .top = 315, .width = 10275, .height = 8100};
    // Where this window differs from the major/minor lesson's layout, and its tab order.
    //                     left   top  width height tab
    d.fraRootNote     = {  240,  120, 2175, 7095,  21};
    d.fraForm         = { 2880,  120, 2055, 2055,  18};
    d.label2          = { 5280,  240, 1575,  255,  22};
    d.lstChordType    = { 5520,  600, 2535, 1020,  16};
    d.imgChord        = { 3360, 2520, 3255, 3975,  -1};
    d.lblFretNumber   = { 7080, 2880,  315,  405,  23};
    d.strumButton     = { 3840, 6960, 2295,  735,  20};
    d.cmdPrint        = { 8640, 6120, 1215,  735,  24};
    d.cmdExit         = { 8640, 7080, 1215,  735,  19};
    d.rootOptions = standardRootOptions(0);
    d.formOptions = standardFormOptions(12);
    d.exitCaption = " Exit to Main";
    d.strumButtons = {{.button = &cmdStrumMe2, .isDefault = true, .tab = 20},
                      {.button = &cmdStrumMe3, .tip = nullptr, .tab = 17}};
    d.rootGroups = {{&cmdStrumMe2, 0, 5}, {&cmdStrumMe3, 6, 11}};
    d.chordTypes = {"Major9th", "minor9th", "minor#7th", "minor9th(#7)", "minor11th"};
    d.table = kExtensionsTable;
    setDesign(std::move(d));
}

void frmMajMinExt::cmdStrumMe2_Click() { Strum(cmdStrumMe2); }
void frmMajMinExt::cmdStrumMe3_Click() { Strum(cmdStrumMe3); }

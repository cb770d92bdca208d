#include "app/frmmain.h"

#include "app/windows.h"
#include "runtime/app.h"

using namespace rt;

namespace {
constexpr Font kButtonFont{"MS Serif", 13.5, false, true};

// The eleven buttons share one size and look.
ControlRow mainButton(CommandButton& b, int left, int top) {
    return button(b, left, top, 2535, 975).back(kLightBlue).font(kButtonFont);
}
}  // namespace

frmMain::frmMain() : Form("frmMain") {
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    cmdChordSymbols.Click = [this] { cmdChordSymbols_Click(); };
    cmdBasic.Click = [this] { cmdBasic_Click(); };
    cmd7thType.Click = [this] { cmd7thType_Click(); };
    cmdInversions.Click = [this] { cmdInversions_Click(); };
    cmdAugDim.Click = [this] { cmdAugDim_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    cmdPartial.Click = [this] { cmdPartial_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    mnuFileExit.Click = [this] { mnuFileExit_Click(); };
    mnuBasic1.Click = [this] { mnuBasic1_Click(); };
    mnu7thType1.Click = [this] { mnu7thType1_Click(); };
    mnuMajor6th.Click = [this] { mnuMajor6th_Click(); };
    mnuExtensions1.Click = [this] { mnuExtensions1_Click(); };
    mnuInversions1.Click = [this] { mnuInversions1_Click(); };
    mnuBasic2.Click = [this] { mnuBasic2_Click(); };
    mnu7thType2.Click = [this] { mnu7thType2_Click(); };
    mnuMinor6th.Click = [this] { mnuMinor6th_Click(); };
    mnuExtensions2.Click = [this] { mnuExtensions2_Click(); };
    mnuInversions2.Click = [this] { mnuInversions2_Click(); };
    mnu7th.Click = [this] { mnu7th_Click(); };
    mnuInversions3.Click = [this] { mnuInversions3_Click(); };
    mnuExtAlt.Click = [this] { mnuExtAlt_Click(); };
    mnuDiminished.Click = [this] { mnuDiminished_Click(); };
    mnuAugmented.Click = [this] { mnuAugmented_Click(); };
    mnuSuspended.Click = [this] { mnuSuspended_Click(); };
    mnuAdd.Click = [this] { mnuAdd_Click(); };
    mnuPlayProgressions.Click = [this] { mnuPlayProgressions_Click(); };
    mnuReadDiagrams.Click = [this] { mnuReadDiagrams_Click(); };
    mnuChordSymbols.Click = [this] { mnuChordSymbols_Click(); };
    mnuMakePartialChords.Click = [this] { mnuMakePartialChords_Click(); };
    mnuAbout.Click = [this] { mnuAbout_Click(); };
}

WindowDesign frmMain::Window() const {
    return {
        .caption = "Strumvane",
        .left = 840,
        .top = 600,
        .width = 10215,
        .height = 7755,
        .border = Border::FixedSingle,
        .backColor = kLightBlue,
        .pointer = Pointer::Guitar,
        .icon = Icon::ChordGrid,
    };
}

Layout frmMain::Design() {
    // Drawn on the window's own surface, behind every other control.
    Layout rows = {
        image(Image1, 1560, 360, 7140, 990).picture(":/pictures/banner.png"),
        line(Line1, 0, 0, 10200, 0, 4).fore(kBlue),
        // The panels' frames lie behind their picture boxes.
        frame(Frame1, 120, 1560, 2055, 1695).back(kBlue),
        frame(Frame2, 8040, 1560, 2055, 1695).back(kBlue),
    };
    const Layout controls = {
        //                                   left   top
        mainButton(Command1,                 5400, 6480).caption("Common Chord Progressions").tip("Choose to hear chord progressions").tab(15),
        mainButton(cmdChordSymbols,          5280, 1560).caption("Chord Symbols").tip("Choose to learn about chord symbols").tab(2),
        mainButton(Command4,                 2400, 5280).caption("Major  /  minor Extensions").tip("Choose for Major and minor extented chords").tab(10),
        mainButton(Command3,                 5400, 5280).caption("Dominant  Chords").tip("Choose for Dominant type chords").tab(9),
        mainButton(Command2,                 6840, 4080).caption("Suspended - Add Chords").tip("Choose for Suspended and add chords").tab(7),
        mainButton(cmdAugDim,                3840, 4080).caption("Augmented -      Diminished").tip("Choose for augmented and diminished chords").tab(6),
        mainButton(cmdInversions,             720, 4080).caption("Inversions").tip("Choose this for chord inversions").tab(5),
        mainButton(cmdPartial,               2400, 6480).caption("Partial Chords").tip("Choose to learn how to make partial chords").tab(8),
        //                                   left   top  width height
        pictureBox(Picture2,                 8160, 1680, 1815, 1455).tab(12).spoken("Right picture panel"),
        browser(WebBrowser2,                 -120, -360, 2415, 1815).in(Picture2).tab(14).spoken("Guitar player"),
        pictureBox(Picture1,                  240, 1680, 1815, 1455).tab(11).spoken("Left picture panel"),
        browser(WebBrowser1,                 -120, -360, 2175, 1935).in(Picture1).tab(13).spoken("Guitar player"),
        mainButton(cmdHelp,                  2400, 1560).caption("Reading Chord Diagrams").tip("Choose to learn about chord diagrams").tab(1),
        mainButton(cmd7thType,               5280, 2880).caption("7th Type Chords").tip("Choose this for 7th type chords").tab(4),
        mainButton(cmdBasic,                 2400, 2880).caption("Major / minor").tip("Choose this for basic chords").tab(3),
    };
    rows.insert(rows.end(), controls.begin(), controls.end());
    return rows;
}

MenuBar frmMain::Menus() {
    return {
        {&mnuFile, 0, "&File"},
        {&mnuDash1, 1, "-"},
        {&mnuFileExit, 1, "E&xit"},
        {&mnuChordS, 0, "&Chords"},
        {&mnuMajor, 1, "&Major"},
        {&mnuBasic1, 2, "Basic"},
        {&mnu7thType1, 2, "7thType"},
        {&mnuMajor6th, 2, "Major 6th"},
        {&mnuExtensions1, 2, "Extensions"},
        {&mnuInversions1, 2, "Inversions"},
        {&mnuMinor, 1, "m&inor"},
        {&mnuBasic2, 2, "Basic"},
        {&mnu7thType2, 2, "7thType"},
        {&mnuMinor6th, 2, "minor 6th"},
        {&mnuExtensions2, 2, "Extensions"},
        {&mnuInversions2, 2, "Inversions"},
        {&mnuDash2, 1, "-"},
        {&mnuDominant, 1, "D&ominant"},
        {&mnu7th, 2, "7th"},
        {&mnuInversions3, 2, "Inversions"},
        {&mnuExtAlt, 2, "Extended/Altered"},
        {&mnuDash3, 1, "-"},
        {&mnuDiminished, 1, "&Diminished"},
        {&mnuDash4, 1, "-"},
        {&mnuAugmented, 1, "A&ugmented"},
        {&mnuDash5, 1, "-"},
        {&mnuSuspended, 1, "&Suspended"},
        {&mnuDash6, 1, "-"},
        {&mnuAdd, 1, "&Add"},
        {&mnuProgressions, 0, "&Progressions"},
        {&mnuPlayProgressions, 1, "P&lay chord progressions"},
        {&mnuHelp, 0, "&Help"},
        {&mnuHowTo, 1, "H&ow To"},
        {&mnuReadDiagrams, 2, "Read Diagrams"},
        {&mnuChordSymbols, 2, "Chord Symbols ?"},
        {&mnuMakePartialChords, 2, "Make Partial Chords"},
        {&mnuDash7, 1, "-"},
        {&mnuAbout, 1, "&About"},
    };
}

void frmMain::Form_Load() {
    strPicPath = App::Path() + "/GuitarMan.gif";
    WebBrowser1.Navigate(strPicPath);
    WebBrowser2.Navigate(strPicPath);
}

void frmMain::Form_Resize() {
    // Each view becomes as tall as the whole window, so its lower edge and scroll bar
    // always lie outside the box that clips it.
    WebBrowser1.setHeight(static_cast<int>(Height()));
    WebBrowser2.setHeight(static_cast<int>(Height()));
}

void frmMain::Form_QueryUnload(int& Cancel, int UnloadMode) {
    (void)Cancel;
    (void)UnloadMode;
    // Close-all: every loaded window goes; the request for this window itself does nothing.
    for (Form* f : Forms()) f->Unload();
}

void frmMain::mnuFileExit_Click() { Unload(); }

void frmMain::cmdHelp_Click() { openHelp(); }
void frmMain::cmdChordSymbols_Click() { openSymbols(); }
void frmMain::cmdBasic_Click() { openBasic(); }
void frmMain::cmd7thType_Click() { open7thType(); }
void frmMain::cmdInversions_Click() { openInversions(); }
void frmMain::cmdAugDim_Click() { openDimAug(); }
void frmMain::Command2_Click() { openSusAdd(); }
void frmMain::cmdPartial_Click() { openPartial(); }
void frmMain::Command3_Click() { openDominant(); }
void frmMain::Command4_Click() { openMajMinExt(); }
void frmMain::Command1_Click() { openPro(); }
void frmMain::mnuBasic1_Click() { openBasic(); }
void frmMain::mnu7thType1_Click() { open7thType(); }
void frmMain::mnuMajor6th_Click() { openInversions(); }
void frmMain::mnuExtensions1_Click() { openMajMinExt(); }
void frmMain::mnuInversions1_Click() { openInversions(); }
void frmMain::mnuBasic2_Click() { openBasic(); }
void frmMain::mnu7thType2_Click() { open7thType(); }
void frmMain::mnuMinor6th_Click() { openInversions(); }
void frmMain::mnuExtensions2_Click() { openMajMinExt(); }
void frmMain::mnuInversions2_Click() { openInversions(); }
void frmMain::mnu7th_Click() { open7thType(); }
void frmMain::mnuInversions3_Click() { openInversions(); }
void frmMain::mnuExtAlt_Click() { openDominant(); }
void frmMain::mnuDiminished_Click() { openDimAug(); }
void frmMain::mnuAugmented_Click() { openDimAug(); }
void frmMain::mnuSuspended_Click() { openSusAdd(); }
void frmMain::mnuAdd_Click() { openSusAdd(); }
void frmMain::mnuPlayProgressions_Click() { openPro(); }
void frmMain::mnuReadDiagrams_Click() { openHelp(); }
void frmMain::mnuChordSymbols_Click() { openSymbols(); }
void frmMain::mnuMakePartialChords_Click() { openPartial(); }
void frmMain::mnuAbout_Click() { openAbout(); }

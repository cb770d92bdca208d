#pragma once
// The main window: the welcome banner, two picture panels, eleven buttons and the menu
// bar from which every other window opens. Closing it closes every window.

#include "runtime/form.h"

class frmMain : public rt::Form {
public:
    frmMain();

    rt::CommandButton Command1{this, "Command1"};
    rt::CommandButton cmdChordSymbols{this, "cmdChordSymbols"};
    rt::CommandButton Command4{this, "Command4"};
    rt::CommandButton Command3{this, "Command3"};
    rt::CommandButton Command2{this, "Command2"};
    rt::CommandButton cmdAugDim{this, "cmdAugDim"};
    rt::CommandButton cmdInversions{this, "cmdInversions"};
    rt::CommandButton cmdPartial{this, "cmdPartial"};
    rt::PictureBox Picture2{this, "Picture2"};
    rt::WebBrowser WebBrowser2{this, "WebBrowser2"};
    rt::PictureBox Picture1{this, "Picture1"};
    rt::WebBrowser WebBrowser1{this, "WebBrowser1"};
    rt::CommandButton cmdHelp{this, "cmdHelp"};
    rt::CommandButton cmd7thType{this, "cmd7thType"};
    rt::CommandButton cmdBasic{this, "cmdBasic"};
    rt::Frame Frame1{this, "Frame1"};
    rt::Frame Frame2{this, "Frame2"};
    rt::Image Image1{this, "Image1"};
    rt::Line Line1{this, "Line1"};

    rt::Menu mnuFile{this, "mnuFile"};
    rt::Menu mnuDash1{this, "mnuDash1"};
    rt::Menu mnuFileExit{this, "mnuFileExit"};
    rt::Menu mnuChordS{this, "mnuChordS"};
    rt::Menu mnuMajor{this, "mnuMajor"};
    rt::Menu mnuBasic1{this, "mnuBasic1"};
    rt::Menu mnu7thType1{this, "mnu7thType1"};
    rt::Menu mnuMajor6th{this, "mnuMajor6th"};
    rt::Menu mnuExtensions1{this, "mnuExtensions1"};
    rt::Menu mnuInversions1{this, "mnuInversions1"};
    rt::Menu mnuMinor{this, "mnuMinor"};
    rt::Menu mnuBasic2{this, "mnuBasic2"};
    rt::Menu mnu7thType2{this, "mnu7thType2"};
    rt::Menu mnuMinor6th{this, "mnuMinor6th"};
    rt::Menu mnuExtensions2{this, "mnuExtensions2"};
    rt::Menu mnuInversions2{this, "mnuInversions2"};
    rt::Menu mnuDash2{this, "mnuDash2"};
    rt::Menu mnuDominant{this, "mnuDominant"};
    rt::Menu mnu7th{this, "mnu7th"};
    rt::Menu mnuInversions3{this, "mnuInversions3"};
    rt::Menu mnuExtAlt{this, "mnuExtAlt"};
    rt::Menu mnuDash3{this, "mnuDash3"};
    rt::Menu mnuDiminished{this, "mnuDiminished"};
    rt::Menu mnuDash4{this, "mnuDash4"};
    rt::Menu mnuAugmented{this, "mnuAugmented"};
    rt::Menu mnuDash5{this, "mnuDash5"};
    rt::Menu mnuSuspended{this, "mnuSuspended"};
    rt::Menu mnuDash6{this, "mnuDash6"};
    rt::Menu mnuAdd{this, "mnuAdd"};
    rt::Menu mnuProgressions{this, "mnuProgressions"};
    rt::Menu mnuPlayProgressions{this, "mnuPlayProgressions"};
    rt::Menu mnuHelp{this, "mnuHelp"};
    rt::Menu mnuHowTo{this, "mnuHowTo"};
    rt::Menu mnuReadDiagrams{this, "mnuReadDiagrams"};
    rt::Menu mnuChordSymbols{this, "mnuChordSymbols"};
    rt::Menu mnuMakePartialChords{this, "mnuMakePartialChords"};
    rt::Menu mnuDash7{this, "mnuDash7"};
    rt::Menu mnuAbout{this, "mnuAbout"};

    // The location of the picture both panels show; kept by the instance across loads.
    QString strPicPath;

    void Form_Load() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void mnuFileExit_Click();

    void cmdHelp_Click();
    void cmdChordSymbols_Click();
    void cmdBasic_Click();
    void cmd7thType_Click();
    void cmdInversions_Click();
    void cmdAugDim_Click();
    void Command2_Click();
    void cmdPartial_Click();
    void Command3_Click();
    void Command4_Click();
    void Command1_Click();
    void mnuBasic1_Click();
    void mnu7thType1_Click();
    void mnuMajor6th_Click();
    void mnuExtensions1_Click();
    void mnuInversions1_Click();
    void mnuBasic2_Click();
    void mnu7thType2_Click();
    void mnuMinor6th_Click();
    void mnuExtensions2_Click();
    void mnuInversions2_Click();
    void mnu7th_Click();
    void mnuInversions3_Click();
    void mnuExtAlt_Click();
    void mnuDiminished_Click();
    void mnuAugmented_Click();
    void mnuSuspended_Click();
    void mnuAdd_Click();
    void mnuPlayProgressions_Click();
    void mnuReadDiagrams_Click();
    void mnuChordSymbols_Click();
    void mnuMakePartialChords_Click();
    void mnuAbout_Click();

protected:
    rt::WindowDesign Window() const override;
    rt::Layout Design() override;
    rt::MenuBar Menus() override;
};

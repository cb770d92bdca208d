#pragma once
// The progression player: plays the file of a chosen progression and key, shows its chord
// names, and starts it again each time it ends until stopped.

#include "runtime/form.h"
#include "runtime/mmcontrol.h"

class frmPro : public rt::Form {
public:
    frmPro();

    rt::Label Label1{this, "Label1"};
    rt::ComboBox cmbProgression{this, "cmbProgression"};
    rt::Label lblChords{this, "lblChords"};
    rt::CommandButton cmdPlayChord{this, "cmdPlayChord"};
    rt::Frame Frame1{this, "Frame1"};
    rt::ControlArray<rt::OptionButton, 12> optKey{this, "optKey"};
    rt::MMControl MMControl1{this, "MMControl1"};

    // True from a start until the next stop; kept by the instance across an unload.
    bool PlayLoop = false;

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void cmdPlayChord_Click();
    void MMControl1_LoopCheck();
    void MMControl1_OutputLost();

protected:
    rt::WindowDesign Window() const override;
    rt::Layout Design() override;

private:
    void stopBranch();
};

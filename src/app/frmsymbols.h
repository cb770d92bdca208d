#pragma once
// The chord symbols page: pick or type a chord type and see the symbols written for it
// on the root C; a second button opens the other-symbols page.

#include "runtime/form.h"

class frmSymbols : public rt::Form {
public:
    frmSymbols();

    rt::Label Label2{this, "Label2"};
    rt::ComboBox cmbChordType{this, "cmbChordType"};
    rt::Label Label1{this, "Label1"};
    rt::Label lblSymbol{this, "lblSymbol"};
    rt::CommandButton Command1{this, "Command1"};
    rt::CommandButton cmdOthersymbols{this, "cmdOthersymbols"};

    void Form_Load() override;
    void Command1_Click();
    void cmdOthersymbols_Click();

protected:
    rt::WindowDesign Window() const override;
    rt::Layout Design() override;
};

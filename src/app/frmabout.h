#pragma once
// The About window: the product's name, and an OK button that closes it.

#include "runtime/form.h"

class frmAbout : public rt::Form {
public:
    frmAbout();

    rt::CommandButton cmdOk{this, "cmdOk"};
    rt::Label Label1{this, "Label1"};
    rt::PictureBox Picture1{this, "Picture1"};
    rt::Label Label7{this, "Label7"};

    void cmdOk_Click();

protected:
    rt::WindowDesign Window() const override;
    rt::Layout Design() override;
};

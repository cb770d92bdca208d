#pragma once
// The help page: one picture that explains how to read a chord diagram.

#include "runtime/form.h"

class frmHelp : public rt::Form {
public:
    frmHelp();

    rt::Image imgHelp{this, "imgHelp"};

protected:
    rt::WindowDesign Window() const override;
    rt::Layout Design() override;
};

#pragma once
// The print preview window: the chord diagram at its own size, its fret label and the
// chord's name; "P r i n t" prints the window on the default printer and closes it.

#include "runtime/form.h"

class frmPrintMe : public rt::Form {
public:
    frmPrintMe();

    rt::CommandButton cmdPrintMe{this, "cmdPrintMe"};
    rt::Image Image1{this, "Image1"};
    rt::Label Label1{this, "Label1"};
    rt::Label Label2{this, "Label2"};

    void cmdPrintMe_Click();

protected:
    rt::WindowDesign Window() const override;
    rt::Layout Design() override;
};

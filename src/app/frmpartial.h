#pragma once
// The partial-chords page: a full chord and three partial chords taken from it.

#include "runtime/form.h"

class frmPartial : public rt::Form {
public:
    frmPartial();

    rt::Label Label1{this, "Label1"};
    rt::Image imgPartial1{this, "imgPartial1"};
    rt::Label Label2{this, "Label2"};
    rt::Image imgPartial2{this, "imgPartial2"};
    rt::Label Label3{this, "Label3"};
    rt::Image imgPartial3{this, "imgPartial3"};
    rt::Label Label4{this, "Label4"};
    rt::Image imgPartial4{this, "imgPartial4"};
    rt::Label Label5{this, "Label5"};

    void Form_Load() override;

protected:
    rt::WindowDesign Window() const override;
    rt::Layout Design() override;
};

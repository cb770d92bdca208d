#pragma once
// The symmetrical-chords page: one diminished shape shown at four frets, each an E
// diminished chord.

#include "runtime/form.h"

class frmSymmetric : public rt::Form {
public:
    frmSymmetric();

    rt::Label Label1{this, "Label1"};
    rt::Image imgSymmetric1{this, "imgSymmetric1"};
    rt::Label Label2{this, "Label2"};
    rt::Image imgSymmetric2{this, "imgSymmetric2"};
    rt::Label Label3{this, "Label3"};
    rt::Image imgSymmetric3{this, "imgSymmetric3"};
    rt::Label Label4{this, "Label4"};
    rt::Image imgSymmetric4{this, "imgSymmetric4"};
    rt::Label Label5{this, "Label5"};

    void Form_Load() override;

protected:
    rt::WindowDesign Window() const override;
    rt::Layout Design() override;
};

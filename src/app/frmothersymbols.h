#pragma once
// The other-symbols page: further chord symbols, drawn as the window's background picture.

#include "runtime/form.h"

class frmOtherSymbols : public rt::Form {
public:
    frmOtherSymbols();

protected:
    rt::WindowDesign Window() const override;
    rt::Layout Design() override;
};

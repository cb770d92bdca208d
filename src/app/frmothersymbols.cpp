#include "app/frmothersymbols.h"

using namespace rt;

frmOtherSymbols::frmOtherSymbols() : Form("frmOtherSymbols") {}

WindowDesign frmOtherSymbols::Window() const {
    // Slightly larger than the client area: enlarging the window shows the rest.
    return {
        .caption = "Other chord symbols",
        .left = 2175,
        .top = 615,
        .width = 6585,
        .height = 6975,
        .border = Border::Sizable,
        .minButton = true,
        .maxButton = true,
        .backColor = kWhite,
        .icon = Icon::Notes,
        .backgroundPicture = ":/pictures/othersymbols.png",
    };
}

Layout frmOtherSymbols::Design() { return {}; }

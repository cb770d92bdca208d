#include "app/frmothersymbols.h"

using namespace rt;

frmOtherSymbols::frmOtherSymbols() : Form("frmOtherSymbols") {}

WindowSpec frmOtherSymbols::Window() const {
    WindowSpec w;
    w.caption = "Other chord symbols";
    w.left = 2175;
    w.top = 615;
    w.width = 6585;
    w.height = 6975;
    w.border = Border::Sizable;
    w.minButton = true;
    w.maxButton = true;
    w.backColor = kWhite;
    // Slightly larger than the client area: enlarging the window shows the rest.
    w.backgroundPicture = ":/pictures/othersymbols.png";
    w.icon = Icon::Notes;
    return w;
}

Layout frmOtherSymbols::Design() { return {}; }

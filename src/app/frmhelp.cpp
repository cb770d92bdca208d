#include "app/frmhelp.h"

using namespace rt;

frmHelp::frmHelp() : Form("frmHelp") {}

WindowSpec frmHelp::Window() const {
    WindowSpec w;
    w.caption = "Help";
    w.left = 2235;
    w.top = 330;
    w.width = 6450;
    w.height = 8190;
    w.border = Border::FixedSingle;
    w.pointer = Pointer::Guitar;
    w.icon = Icon::Notes;
    return w;
}

Layout frmHelp::Design() {
    // The box runs past the bottom of the client area: only the picture's empty rows and
    // the lower border are cut off.
    return {
        //                    left top  width height
        image(imgHelp,           0,  0, 6435, 8700).bordered().picture(":/pictures/help.png"),
    };
}

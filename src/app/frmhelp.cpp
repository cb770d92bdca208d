#include "app/frmhelp.h"

using namespace rt;

frmHelp::frmHelp() : Form("frmHelp") {}

WindowDesign frmHelp::Window() const {
    return {
        .caption = "Help",
        .left = 2235,
        .top = 330,
        .width = 6450,
        .height = 8190,
        .border = Border::FixedSingle,
        .pointer = Pointer::Guitar,
        .icon = Icon::Notes,
    };
}

Layout frmHelp::Design() {
    // The box runs past the bottom of the client area: only the picture's empty rows and
    // the lower border are cut off.
    return {
        //                    left top  width height
        image(imgHelp,           0,  0, 6435, 8700).bordered().picture(":/pictures/help.png"),
    };
}

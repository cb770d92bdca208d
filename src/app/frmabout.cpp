#include "app/frmabout.h"

using namespace rt;

frmAbout::frmAbout() : Form("frmAbout") {
    cmdOk.Click = [this] { cmdOk_Click(); };
}

WindowDesign frmAbout::Window() const {
    return {
        .caption = "About Strumvane",
        .left = 4185,
        .top = 2415,
        .width = 5820,
        .height = 3345,
        .border = Border::Sizable,
        .icon = Icon::Notes,
    };
}

Layout frmAbout::Design() {
    return {
        //                         left   top  width height
        button(cmdOk,              3960, 2520, 1575,  375).caption("OK").tab(0),
        label(Label1,              1320,  120, 2535,  375).caption("Strumvane ").tab(1)
            .font({"MS Sans Serif", 18, false, true}).fore(kBlue).back(kLightGrey),
        pictureBox(Picture1,        240,  240,  735,  615).tab(2).back(kLightGrey).picture(":/cursors/guitar.png")
            .spoken("Guitar"),
        label(Label7,              1200, 1200, 2655,  255).caption("send comments and suggestions to:").tab(7),
    };
}

void frmAbout::cmdOk_Click() { Unload(); }

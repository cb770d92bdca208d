#include "lessons/core/frmprintme.h"

#include "lessons/core/messages.h"
#include "runtime/app.h"
#include "runtime/errors.h"

using namespace rt;

namespace {
constexpr Font kBold12{"MS Sans Serif", 12, true, false};

// Each step is trapped on its own: after the message the handler goes on with the next.
template <class Step>
void trapped(Step step) {
    try {
        step();
    } catch (const RuntimeError&) {
        MsgBox(lessons::kCantPrint);
    }
}
}  // namespace

frmPrintMe::frmPrintMe() : Form("frmPrintMe") {
    cmdPrintMe.Click = [this] { cmdPrintMe_Click(); };
}

WindowDesign frmPrintMe::Window() const {
    return {
        .caption = "print Chord",
        .left = 2775,
        .top = 600,
        .width = 5640,
        .height = 6630,
        .border = Border::FixedSingle,
        .backColor = kWhite,
        .icon = Icon::Notes,
    };
}

Layout frmPrintMe::Design() {
    return {
        //                         left   top  width height
        button(cmdPrintMe,         4080, 5880, 1095,  615).caption("P r i n t").font(kBold12).tab(0),
        image(Image1,               600,  360, 3615, 4455),
        label(Label1,              4200,  840,    0,    0).autoSize().font(kBold12).fore(kBlack).back(kWhite).tab(2),
        label(Label2,              1080, 5160,    0,    0).autoSize().font(kBold12).fore(kBlack).back(kWhite).tab(1),
    };
}

void frmPrintMe::cmdPrintMe_Click() {
    trapped([this] { cmdPrintMe.setVisible(false); });
    trapped([this] { PrintForm(); });
    trapped([this] { Unload(); });
}

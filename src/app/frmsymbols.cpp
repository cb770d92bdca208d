#include "app/frmsymbols.h"

#include "app/chordsymboltable.h"
#include "app/windows.h"
#include "runtime/app.h"

using namespace rt;

namespace {
constexpr Rgb kPageBlue{128, 128, 255};
}  // namespace

frmSymbols::frmSymbols() : Form("frmSymbols") {
    Command1.Click = [this] { Command1_Click(); };
    cmdOthersymbols.Click = [this] { cmdOthersymbols_Click(); };
}

WindowDesign frmSymbols::Window() const {
    return {
        .caption = "Chord Symbols",
        .left = 2280,
        .top = 360,
        .width = 6585,
        .height = 8085,
        .border = Border::Sizable,
        .minButton = true,
        .maxButton = true,
        .backColor = kPageBlue,
        .pointer = Pointer::Hand,
        .icon = Icon::Notes,
    };
}

Layout frmSymbols::Design() {
    return {
        //                             left   top  width height
        label(Label2,                  1800,  360, 1335,  255).caption("Chord Type").tab(3).buddy(cmbChordType),
        combo(cmbChordType,            1800,  600, 3255,  360).caption("Chord Type").tab(1)
            .font({"MS Sans Serif", 9.75, true}).back(kLightBlue).tip("Choose a chord type"),
        label(Label1,                  1440, 3360, 4215,  495).caption("All chord symbol examples are written as C root Note. ").tab(4)
            .font({"MS Sans Serif", 9.75}).wordWrap(),
        label(lblSymbol,                960, 4440,   90,  300).tab(5).font({"MS Sans Serif", 12, true}).autoSize(),
        button(Command1,               2160, 5760, 2295,  735).caption("Show Symbols").tab(2)
            .font({"Forte", 14.25}).back(kLightBlue).isDefault(),
        button(cmdOthersymbols,        5040, 7320, 1095,  615).caption("Other Symbols").tab(0)
            .font({"Eras Bold ITC", 9.75}).back(kLightBlue),
    };
}

void frmSymbols::Form_Load() {
    for (const symbols::ChordSymbolRow& row : symbols::chordSymbolTable()) cmbChordType.AddItem(row.chordType);
}

void frmSymbols::Command1_Click() {
    const symbols::ChordSymbolRow* row = symbols::findChordSymbol(cmbChordType.Text());
    if (!row) {
        MsgBox("Choose a chord type from the dropdown list");
        return;
    }
    if (row->message) {
        MsgBox(row->message);
        return;
    }
    lblSymbol.setCaption(row->symbols);
}

void frmSymbols::cmdOthersymbols_Click() { openOtherSymbols(); }

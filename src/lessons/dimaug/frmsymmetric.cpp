#include "lessons/dimaug/frmsymmetric.h"

#include "lessons/core/diagrampictures.h"

using namespace rt;

frmSymmetric::frmSymmetric() : Form("frmSymmetric") {}

WindowDesign frmSymmetric::Window() const {
    return {
        .caption = "Symmetrical Chords",
        .left = 1905,
        .top = 375,
        .width = 8130,
        .height = 8175,
        .border = Border::Sizable,
        .controlBox = true,
        .minButton = true,
        .maxButton = true,
        .backColor = kLightBlue,
        .icon = Icon::Notes,
    };
}

Layout frmSymmetric::Design() {
    return {
        //                        left   top  width height
        label(Label1,              720,  120, 6135, 1455)
            .caption("    Diminished and augmented chords are referred to as symmetrical chords. "
                     "Symmetrical chords can be moved up the neck a specific number of frets and still keep the same quality. "
                     "Diminished can be moved up the neck in increments of three frets and augmented in increments of four. "
                     "In the examples below all chords are E Dim")
            .font({"MS Sans Serif", 9.75}).wordWrap().back(kLightBlue),
        image(imgSymmetric1,       480, 1800, 2295, 2895).stretch(),
        label(Label2,             3000, 1920,  735,  255).caption("2nd Fret").back(kLightBlue),
        image(imgSymmetric2,      4680, 1800, 2295, 2895).stretch(),
        label(Label3,             7200, 1920,  615,  255).caption("5th Fret").back(kLightBlue),
        image(imgSymmetric3,       480, 5040, 2295, 2895).stretch(),
        label(Label4,             3000, 5160,  735,  255).caption("8th Fret").back(kLightBlue),
        image(imgSymmetric4,      4680, 5040, 2295, 2895).stretch(),
        label(Label5,             7200, 5160,  735,  255).caption("11th Fret").back(kLightBlue),
    };
}

void frmSymmetric::Form_Load() {
    // The same E diminished shape at the 2nd, 5th, 8th and 11th fret.
    lessons::loadDiagramPictures({{&imgSymmetric1, 235}, {&imgSymmetric2, 235}, {&imgSymmetric3, 235}, {&imgSymmetric4, 235}});
}

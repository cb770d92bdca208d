#include "app/frmpartial.h"

#include "lessons/core/diagrampictures.h"

using namespace rt;

frmPartial::frmPartial() : Form("frmPartial") {}

WindowDesign frmPartial::Window() const {
    return {
        .caption = "How to make partial chords",
        .left = 1905,
        .top = 375,
        .width = 8130,
        .height = 8100,
        .border = Border::FixedSingle,
        .backColor = kLightBlue,
        .icon = Icon::Notes,
    };
}

Layout frmPartial::Design() {
    return {
        //                        left   top  width height
        label(Label1,             1680,  120, 4335, 1335)
            .caption("   The easiest way to think of building a partial chord  is to break a chord into smaller bits. "
                     "Here is an example of some partial chords from  G Maj Form 2. "
                     "As you can see there are plenty of chord variations from a single chord !")
            .tab(0).font({"MS Sans Serif", 9.75}).wordWrap(),
        image(imgPartial1,         480, 1800, 2295, 2895).stretch(),
        label(Label2,             3000, 1920,  735,  255).caption("3rd Fret").tab(1),
        image(imgPartial2,        4560, 1800, 2295, 2895).stretch(),
        label(Label3,             7080, 1920,  615,  255).caption("3rd Fret").tab(2),
        image(imgPartial3,         480, 5040, 2295, 2895).stretch(),
        label(Label4,             3000, 5160,  735,  255).caption("3rd Fret").tab(3),
        image(imgPartial4,        4560, 5040, 2295, 2895).stretch(),
        label(Label5,             7080, 5160,  615,  255).caption("3rd Fret").tab(4),
    };
}

void frmPartial::Form_Load() {
    // The full chord, G major form 2, then three partial chords taken from it.
    lessons::loadDiagramPictures({{&imgPartial1, 196}, {&imgPartial2, 193}, {&imgPartial3, 194}, {&imgPartial4, 195}});
}

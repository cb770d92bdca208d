#include "runtime/widgets_p.h"

#include <QFont>
#include <cstring>

namespace rt {

namespace {
// The old Windows faces, each mapped once to an installed Debian face of the same kind,
// so that fontconfig is never asked for a family it does not have.
struct FaceMap {
    const char* windowsFace;
    const char* family;
    bool forceBold;
};
constexpr FaceMap kFaces[] = {
    {"MS Sans Serif", "Liberation Sans", false},
    {"MS Serif", "Liberation Serif", false},
    {"Forte", "Kaushan Script", false},
    {"Eras Bold ITC", "URW Gothic", true},
};
}  // namespace

QFont qtFont(const Font& f) {
    const char* family = "Liberation Sans";
    bool bold = f.bold;
    for (const FaceMap& m : kFaces) {
        if (std::strcmp(m.windowsFace, f.face) == 0) {
            family = m.family;
            bold = bold || m.forceBold;
            break;
        }
    }
    QFont font{QString::fromLatin1(family)};
    font.setPointSizeF(f.points);
    font.setBold(bold);
    font.setItalic(f.italic);
    return font;
}

}  // namespace rt

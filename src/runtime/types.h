#pragma once
// Plain value types shared by window layouts: colours, fonts, window styles.

#include <QString>

namespace rt {

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kLightBlue{192, 192, 255};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kLightGrey{192, 192, 192};

// A font as the layouts name it: the old Windows face, its size in points and its style.
struct Font {
    const char* face = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
};

inline constexpr Font kDefaultFont{};

enum class Border {
    FixedSingle,  // the user cannot resize the window
    Sizable,
};

enum class Pointer { System, Guitar, Hand };
enum class Icon { None, Notes, ChordGrid };

// Reasons passed to Form_QueryUnload.
enum UnloadMode : int {
    vbFormControlMenu = 0,  // the close box or control menu
    vbFormCode = 1,         // a call of Unload
    vbAppWindows = 2,       // the session ends
    vbAppTaskManager = 3,
};

// Twips are 1/1440 inch; at the screen's logical DPI (15 twips a pixel at 96 dpi).
int twipsToPixels(int twips);
double pixelsToTwips(int pixels);

}  // namespace rt

#pragma once
// A chord diagram as a list of shapes in the places and sizes of its 241 x 312 picture.
// The one-bit picture is these shapes rasterised pixel by pixel; a finer device draws the
// very same shapes at its own resolution, so the two cannot drift apart.

#include "diagrams/fingering.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace diagrams {

inline constexpr int kPictureWidth = 241;
inline constexpr int kPictureHeight = 312;

// The six fixed pixel masks, # ink and . paper, top row first.
enum class Glyph : std::uint8_t { Mute, Open, Digit1, Digit2, Digit3, Digit4 };
inline constexpr std::size_t kGlyphCount = 6;  // one mask per Glyph

// Ink over columns left..right and rows top..bottom, both inclusive.
struct Bar {
    int left, top, right, bottom;
};

// An ink outline `stroke` pixels wide of the ellipse `width` x `height` centred on the
// pixel (cx, cy), filled with paper: it hides whatever lies under it.
struct Ring {
    int cx, cy, width, height, stroke;
};

// A glyph's ink with its top-left pixel at (left, top).
struct Stamp {
    Glyph glyph;
    int left, top;
};

using Shape = std::variant<Bar, Ring, Stamp>;

// The shapes of one diagram in painting order, each painting over the earlier ones.
class Drawing {
public:
    // Grid lines, a top mark and a dot with its digit per string, and the barres.
    static constexpr int kCapacity = 12 + 3 * kStringCount + kMaxBarres;

    std::span<const Shape> shapes() const { return {shapes_.data(), static_cast<std::size_t>(count_)}; }
    void add(const Shape& s) { shapes_[static_cast<std::size_t>(count_++)] = s; }

private:
    std::array<Shape, kCapacity> shapes_{};
    int count_ = 0;
};

Drawing drawingOf(const Fingering& fingering);

// The mask of a glyph, one string_view per row.
std::span<const std::string_view> glyphMask(Glyph glyph);

struct Point {
    float x, y;
};

// A glyph's outline for drawing at any size: closed contours in the glyph's own pixel
// coordinates (pixel (x, y) covers x..x+1, y..y+1), filled even-odd. They follow the
// border between ink and paper pixels, staircases taken as the slopes they stand for and
// corners slightly rounded, never so far that a pixel's centre changes side: sampled at the
// pixel centres they give the mask back.
const std::vector<std::vector<Point>>& glyphOutline(Glyph glyph);

}  // namespace diagrams

#pragma once

#include "diagrams/drawing.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace diagrams {

// A chord diagram picture: 241 x 312 pixels, one byte per pixel,
// 0 = paper (white), 1 = ink (black). Rows are stored top to bottom,
// each kWidth bytes long with no padding.
class Bitmap {
public:
    static constexpr int kWidth = kPictureWidth;
    static constexpr int kHeight = kPictureHeight;

    Bitmap();  // all paper

    // False outside the picture.
    bool ink(int x, int y) const;
    void setInk(int x, int y, bool on);

    const std::uint8_t* row(int y) const { return pixels_.data() + y * kWidth; }
    std::uint8_t* row(int y) { return pixels_.data() + y * kWidth; }
    const std::uint8_t* data() const { return pixels_.data(); }

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    std::vector<std::uint8_t> pixels_;
};

// Draws the chord diagram of a fingering: its shapes (drawingOf), pixel by pixel.
Bitmap render(const Fingering& fingering);

// A diagram's shapes, pixel by pixel: a pixel is ink where a bar or a glyph's mask puts ink,
// or where its centre lies inside a ring's outline; paper inside the ring.
Bitmap rasterise(const Drawing& drawing);

// The chord diagram of a diagram id, or nullopt when the catalogue has no such id.
std::optional<Bitmap> renderDiagram(int diagramId);

}  // namespace diagrams

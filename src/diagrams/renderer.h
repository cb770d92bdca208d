#pragma once

#include "diagrams/fingering.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace diagrams {

// A chord diagram picture: 241 x 312 pixels, one byte per pixel,
// 0 = paper (white), 1 = ink (black). Rows are stored top to bottom,
// each kWidth bytes long with no padding.
class Bitmap {
public:
    static constexpr int kWidth = 241;
    static constexpr int kHeight = 312;

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

// Draws the chord diagram of a fingering.
Bitmap render(const Fingering& fingering);

// The chord diagram of a diagram id, or nullopt when the catalogue has no such id.
std::optional<Bitmap> renderDiagram(int diagramId);

}  // namespace diagrams

#include "diagrams/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace diagrams {
namespace {

using Contours = std::vector<std::vector<Point>>;

bool inside(const Contours& contours, Point p)
{
    bool in = false;  // even-odd
    for (const auto& c : contours)
        for (std::size_t i = 0, j = c.size() - 1; i < c.size(); j = i++)
            if ((c[i].y > p.y) != (c[j].y > p.y) && p.x < (c[j].x - c[i].x) * (p.y - c[i].y) / (c[j].y - c[i].y) + c[i].x)
                in = !in;
    return in;
}

float distance(const Contours& contours, Point p)
{
    float best = INFINITY;
    for (const auto& c : contours)
        for (std::size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
            const float dx = c[i].x - c[j].x, dy = c[i].y - c[j].y;
            const float t = std::clamp(((p.x - c[j].x) * dx + (p.y - c[j].y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
            best = std::min(best, std::hypot(c[j].x + t * dx - p.x, c[j].y + t * dy - p.y));
        }
    return best;
}

constexpr Glyph kAllGlyphs[] = {Glyph::Mute, Glyph::Open, Glyph::Digit1, Glyph::Digit2, Glyph::Digit3, Glyph::Digit4};

// The outline drawn at any size is the same glyph: every pixel centre of the mask on its own
// side, none of them on the edge, and nothing outside the glyph's box.
TEST(GlyphOutline, SampledAtPixelCentresGivesTheMaskBack)
{
    for (Glyph g : kAllGlyphs) {
        SCOPED_TRACE(static_cast<int>(g));
        const auto mask = glyphMask(g);
        const Contours& outline = glyphOutline(g);
        ASSERT_FALSE(outline.empty());
        for (std::size_t y = 0; y < mask.size(); ++y)
            for (std::size_t x = 0; x < mask[y].size(); ++x) {
                const Point centre{x + 0.5f, y + 0.5f};
                EXPECT_EQ(inside(outline, centre), mask[y][x] == '#') << x << "," << y;
                EXPECT_GT(distance(outline, centre), 0.2f) << x << "," << y;
            }
        for (const auto& c : outline)
            for (Point p : c) {
                EXPECT_GE(p.x, 0.0f);
                EXPECT_LE(p.x, static_cast<float>(mask[0].size()));
                EXPECT_GE(p.y, 0.0f);
                EXPECT_LE(p.y, static_cast<float>(mask.size()));
            }
    }
}

// Not the pixel staircase: the mute mark's arms run as slopes, and every glyph's corners
// are cut, so the outline has edges that are neither level nor upright.
TEST(GlyphOutline, StaircasesBecomeSlopes)
{
    for (Glyph g : kAllGlyphs) {
        int slanted = 0;
        for (const auto& c : glyphOutline(g))
            for (std::size_t i = 0, j = c.size() - 1; i < c.size(); j = i++)
                slanted += c[i].x != c[j].x && c[i].y != c[j].y;
        EXPECT_GT(slanted, 0) << static_cast<int>(g);
    }
    // Each side of each arm of the mute mark: one slanted edge, not a run of steps.
    const Contours& mute = glyphOutline(Glyph::Mute);
    int longDiagonals = 0;
    for (const auto& c : mute)
        for (std::size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
            const float dx = c[i].x - c[j].x, dy = c[i].y - c[j].y;
            longDiagonals += std::abs(dx) >= 2 && std::abs(dy) >= 2;
        }
    EXPECT_GE(longDiagonals, 8);  // both sides of four arms
}

}  // namespace
}  // namespace diagrams

#include "diagrams/renderer.h"

#include "diagrams/drawing.h"

#include <algorithm>

namespace diagrams {

Bitmap::Bitmap() : pixels_(static_cast<std::size_t>(kWidth) * kHeight, 0) {}

bool Bitmap::ink(int x, int y) const
{
    if (x < 0 || x >= kWidth || y < 0 || y >= kHeight)
        return false;
    return row(y)[x] != 0;
}

void Bitmap::setInk(int x, int y, bool on)
{
    if (x < 0 || x >= kWidth || y < 0 || y >= kHeight)
        return;
    row(y)[x] = on ? 1 : 0;
}

namespace {

void fillRect(Bitmap& bmp, const Bar& bar)
{
    for (int y = bar.top; y <= bar.bottom; ++y)
        std::fill(bmp.row(y) + bar.left, bmp.row(y) + bar.right + 1, std::uint8_t{1});
}

// Paints only the ink pixels of a glyph.
void stamp(Bitmap& bmp, const Stamp& s)
{
    const auto glyph = glyphMask(s.glyph);
    for (std::size_t gy = 0; gy < glyph.size(); ++gy) {
        std::uint8_t* line = bmp.row(s.top + static_cast<int>(gy)) + s.left;
        for (std::size_t gx = 0; gx < glyph[gy].size(); ++gx)
            if (glyph[gy][gx] == '#')
                line[gx] = 1;
    }
}

// A pixel belongs to an ellipse of full width w and height h centred on a pixel
// when its centre lies strictly inside: (2dx/w)^2 + (2dy/h)^2 < 1, in integers.
// With odd w and h no pixel centre falls on the boundary.
constexpr bool insideEllipse(int dx, int dy, int w, int h)
{
    const long ex = 2L * dx, ey = 2L * dy, ww = w, hh = h;
    return ex * ex * hh * hh + ey * ey * ww * ww < ww * ww * hh * hh;
}

// Half the width of an ellipse's row of pixels dy rows from its centre: the largest dx whose
// pixel lies inside, or -1 when none does.
int halfSpan(int dy, int w, int h)
{
    int dx = w / 2;
    while (dx >= 0 && !insideEllipse(dx, dy, w, h))
        --dx;
    return dx;
}

// The ring's outline in ink, its inside in paper, hiding whatever lies under it.
void paintRing(Bitmap& bmp, const Ring& ring)
{
    const int innerWidth = ring.width - 2 * ring.stroke;
    const int innerHeight = ring.height - 2 * ring.stroke;
    for (int dy = -ring.height / 2; dy <= ring.height / 2; ++dy) {
        std::uint8_t* line = bmp.row(ring.cy + dy) + ring.cx;
        if (const int outer = halfSpan(dy, ring.width, ring.height); outer >= 0)
            std::fill(line - outer, line + outer + 1, std::uint8_t{1});
        if (const int inner = halfSpan(dy, innerWidth, innerHeight); inner >= 0)
            std::fill(line - inner, line + inner + 1, std::uint8_t{0});
    }
}

}  // namespace

Bitmap render(const Fingering& f)
{
    return rasterise(drawingOf(f));
}

Bitmap rasterise(const Drawing& drawing)
{
    Bitmap bmp;
    for (const Shape& shape : drawing.shapes()) {
        if (const auto* bar = std::get_if<Bar>(&shape))
            fillRect(bmp, *bar);
        else if (const auto* ring = std::get_if<Ring>(&shape))
            paintRing(bmp, *ring);
        else
            stamp(bmp, std::get<Stamp>(shape));
    }
    return bmp;
}

std::optional<Bitmap> renderDiagram(int diagramId)
{
    const Fingering* f = findFingering(diagramId);
    if (!f)
        return std::nullopt;
    return render(*f);
}

}  // namespace diagrams

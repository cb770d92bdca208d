#include "diagrams/renderer.h"

#include <algorithm>
#include <span>
#include <string_view>

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

struct Span {
    int first;
    int last;
};

// Fret lines (rows), top to bottom; each spans the columns of the outer strings.
constexpr Span kFretLineRows[] = {{26, 28}, {78, 81}, {128, 131}, {177, 180}, {227, 230}, {277, 280}};
constexpr Span kGridColumns = {24, 209};

// Strings (columns), low E to high E; each spans the rows from the top to the bottom line.
constexpr Span kStringColumns[kStringCount] = {{24, 28}, {64, 67}, {105, 107}, {144, 145}, {179, 179}, {209, 209}};
constexpr Span kGridRows = {26, 280};
constexpr int kStringCentre[kStringCount] = {26, 65, 106, 144, 179, 209};

// Centre row of a finger dot in fret space 1..5.
constexpr int kDotRow[kFretSpaces + 1] = {0, 56, 107, 157, 207, 257};

constexpr int kRingHeight = 33;
constexpr int kRingStroke = 3;
constexpr int kMuteTop = 11;
constexpr int kMuteLeft = -5;  // from the string's centre
constexpr int kOpenTop = 8;
constexpr int kOpenLeft = -6;

// Glyph masks, top row first: # ink, . paper.
constexpr std::string_view kMuteMark[] = {
    "###.....###",
    "####...####",
    ".####.####.",
    "..#######..",
    "...#####...",
    "...#####...",
    "..#######..",
    ".####.####.",
    "####...####",
    "###.....###",
};
constexpr std::string_view kOpenMark[] = {
    "....######....",
    "..##########..",
    ".####....####.",
    ".###......###.",
    "###........###",
    "###........###",
    "###........###",
    "###........###",
    "###........###",
    "###........###",
    ".###......###.",
    ".####....####.",
    "..##########..",
    "....######....",
};
constexpr std::string_view kDigit1[] = {
    "...###",
    "..####",
    "######",
    "######",
    "...###",
    "...###",
    "...###",
    "...###",
    "...###",
    "...###",
    "...###",
    "...###",
    "...###",
    "...###",
};
constexpr std::string_view kDigit2[] = {
    "..######..",
    ".########.",
    "####..####",
    "###....###",
    ".......###",
    "......####",
    ".....####.",
    "...#####..",
    "..####....",
    ".####.....",
    ".###......",
    "###.......",
    "##########",
    "##########",
};
constexpr std::string_view kDigit3[] = {
    "...####...",
    ".########.",
    ".###..###.",
    "###....###",
    "###....###",
    "......###.",
    "...#####..",
    "...######.",
    "......###.",
    "###....###",
    "###....###",
    ".###..###.",
    ".########.",
    "...####...",
};
constexpr std::string_view kDigit4[] = {
    "....####..",
    "....####..",
    "...#####..",
    "...#####..",
    "..######..",
    "..######..",
    ".###.###..",
    ".###.###..",
    "###..###..",
    "##########",
    "##########",
    ".....###..",
    ".....###..",
    ".....###..",
};

constexpr std::span<const std::string_view> kDigits[5] = {{}, kDigit1, kDigit2, kDigit3, kDigit4};

void fillRect(Bitmap& bmp, Span cols, Span rows, std::uint8_t value)
{
    for (int y = rows.first; y <= rows.last; ++y)
        std::fill(bmp.row(y) + cols.first, bmp.row(y) + cols.last + 1, value);
}

// Paints only the ink pixels of a glyph.
void stamp(Bitmap& bmp, std::span<const std::string_view> glyph, int left, int top)
{
    for (std::size_t gy = 0; gy < glyph.size(); ++gy) {
        std::uint8_t* line = bmp.row(top + static_cast<int>(gy)) + left;
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

// A 3-pixel ring filled with paper, hiding whatever lies under it.
void paintRing(Bitmap& bmp, int cx, int cy, int width)
{
    const int innerWidth = width - 2 * kRingStroke;
    const int innerHeight = kRingHeight - 2 * kRingStroke;
    for (int dy = -kRingHeight / 2; dy <= kRingHeight / 2; ++dy) {
        std::uint8_t* line = bmp.row(cy + dy);
        for (int dx = -width / 2; dx <= width / 2; ++dx) {
            if (insideEllipse(dx, dy, innerWidth, innerHeight))
                line[cx + dx] = 0;
            else if (insideEllipse(dx, dy, width, kRingHeight))
                line[cx + dx] = 1;
        }
    }
}

bool sameFretSpace(const Fingering& f, int s1, int s2)
{
    const auto& a = f.strings[s1].dot;
    const auto& b = f.strings[s2].dot;
    return a && b && a->fretSpace == b->fretSpace;
}

// Dots side by side on the closely spaced upper strings get narrower rings
// so that paper stays between them.
int ringWidth(const Fingering& f, int s)
{
    const bool gb = sameFretSpace(f, kG, kB);
    const bool be = sameFretSpace(f, kB, kHighE);
    if ((s == kB || s == kHighE) && be)
        return 29;
    if ((s == kG || s == kB) && gb)
        return 33;
    return 35;
}

}  // namespace

Bitmap render(const Fingering& f)
{
    Bitmap bmp;

    for (Span rows : kFretLineRows)
        fillRect(bmp, kGridColumns, rows, 1);
    for (Span cols : kStringColumns)
        fillRect(bmp, cols, kGridRows, 1);

    for (int s = 0; s < kStringCount; ++s) {
        const int c = kStringCentre[s];
        switch (f.strings[s].mark) {
        case TopMark::Mute: stamp(bmp, kMuteMark, c + kMuteLeft, kMuteTop); break;
        case TopMark::Open: stamp(bmp, kOpenMark, c + kOpenLeft, kOpenTop); break;
        case TopMark::None: break;
        }
    }

    for (const Barre& b : f.barreList()) {
        const int r = kDotRow[b.fretSpace];
        fillRect(bmp, {kStringCentre[b.firstString], kStringCentre[b.lastString]}, {r - 1, r + 1}, 1);
    }

    for (int s = 0; s < kStringCount; ++s) {
        const auto& dot = f.strings[s].dot;
        if (!dot)
            continue;
        const int c = kStringCentre[s];
        const int r = kDotRow[dot->fretSpace];
        paintRing(bmp, c, r, ringWidth(f, s));
        stamp(bmp, kDigits[dot->finger], dot->finger == 1 ? c - 3 : c - 5, r - 7);
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

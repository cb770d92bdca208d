#include "diagrams/drawing.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace diagrams {
namespace {

// Places and sizes, in pixels of the picture. Spans are inclusive.
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
constexpr int kBarreHalfHeight = 1;  // a barre is 3 rows high, centred on the dot row

// Top marks, from the string's centre column.
constexpr int kMuteTop = 11;
constexpr int kMuteLeft = -5;
constexpr int kOpenTop = 8;
constexpr int kOpenLeft = -6;

// A digit's top row, from the dot row, and its left column, from the string's centre.
constexpr int kDigitTop = -7;
constexpr int kDigit1Left = -3;
constexpr int kDigitLeft = -5;

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

constexpr std::span<const std::string_view> kGlyphs[] = {kMuteMark, kOpenMark, kDigit1, kDigit2, kDigit3, kDigit4};
static_assert(std::size(kGlyphs) == kGlyphCount);

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

struct Corner {
    int x, y;
    auto operator<=>(const Corner&) const = default;
};

// The border between ink and paper as loops of unit pixel edges, ink on the right of the
// direction of travel (y grows downwards). Where two ink pixels touch only at a corner the
// loop turns left there, so the ink stays one piece.
std::vector<std::vector<Corner>> borderLoops(std::span<const std::string_view> mask)
{
    const int h = static_cast<int>(mask.size());
    auto ink = [&](int x, int y) {
        return y >= 0 && y < h && x >= 0 && x < static_cast<int>(mask[y].size()) && mask[y][x] == '#';
    };
    std::multimap<Corner, Corner> edges;  // start -> end
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < static_cast<int>(mask[y].size()); ++x) {
            if (!ink(x, y))
                continue;
            if (!ink(x, y - 1))
                edges.insert({{x, y}, {x + 1, y}});
            if (!ink(x + 1, y))
                edges.insert({{x + 1, y}, {x + 1, y + 1}});
            if (!ink(x, y + 1))
                edges.insert({{x + 1, y + 1}, {x, y + 1}});
            if (!ink(x - 1, y))
                edges.insert({{x, y + 1}, {x, y}});
        }
    std::vector<std::vector<Corner>> loops;
    while (!edges.empty()) {
        std::vector<Corner> loop;
        auto it = edges.begin();
        const Corner start = it->first;
        Corner from = it->first, to = it->second;
        edges.erase(it);
        loop.push_back(from);
        while (!(to == start)) {
            loop.push_back(to);
            const int dx = to.x - from.x, dy = to.y - from.y;
            auto [first, last] = edges.equal_range(to);
            auto next = first;
            for (auto e = first; e != last; ++e) {
                // A left turn from (dx, dy) heads to (dy, -dx).
                if (e->second.x - to.x == dy && e->second.y - to.y == -dx)
                    next = e;
            }
            from = to;
            to = next->second;
            edges.erase(next);
        }
        loops.push_back(std::move(loop));
    }
    return loops;
}

// A straight stretch of a border loop.
struct Run {
    Corner from, to;
    int dx, dy;  // unit direction
    int length;
};

std::vector<Run> runsOf(const std::vector<Corner>& loop)
{
    const std::size_t n = loop.size();
    auto step = [&](std::size_t i) {
        return std::pair{loop[(i + 1) % n].x - loop[i % n].x, loop[(i + 1) % n].y - loop[i % n].y};
    };
    std::size_t start = 0;  // a corner where the border turns
    while (step(start + n - 1) == step(start))
        ++start;
    std::vector<Run> runs;
    for (std::size_t i = 0; i < n;) {
        const auto [dx, dy] = step(start + i);
        std::size_t j = i;
        while (j < n && step(start + j) == std::pair{dx, dy})
            ++j;
        runs.push_back({loop[(start + i) % n], loop[(start + j) % n], dx, dy, static_cast<int>(j - i)});
        i = j;
    }
    return runs;
}

Point mix(Point a, Point b, float t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }
Point at(Corner c) { return {static_cast<float>(c.x), static_cast<float>(c.y)}; }
bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }

// The border loop as a polygon that takes staircases as slopes. A run of one or two pixels
// that turns one way at its start and the other at its end, next to another such run (one
// of the two a single pixel long), is a step: the outline passes through its middle, so a
// staircase becomes the slope it stands for. Every other run is a flat: it stays where it
// is, its corners sharp, except that it starts or ends half a pixel in where it meets a step.
std::vector<Point> staircasesAsSlopes(const std::vector<Corner>& loop)
{
    const std::vector<Run> runs = runsOf(loop);
    const std::size_t m = runs.size();
    auto run = [&](std::size_t r) -> const Run& { return runs[r % m]; };
    auto turn = [&](std::size_t r) { return run(r).dx * run(r + 1).dy - run(r).dy * run(r + 1).dx; };  // at run r's end
    std::vector<bool> zigzag(m), step(m);
    for (std::size_t r = 0; r < m; ++r)
        zigzag[r] = run(r).length <= 2 && turn(r + m - 1) != turn(r);
    auto stairs = [&](std::size_t a, std::size_t b) {
        return zigzag[a % m] && zigzag[b % m] && (run(a).length == 1 || run(b).length == 1);
    };
    for (std::size_t r = 0; r < m; ++r)
        step[r] = stairs(r + m - 1, r) || stairs(r, r + 1);

    std::vector<Point> poly;
    auto add = [&](Point p) {
        if (poly.empty() || !(poly.back() == p))
            poly.push_back(p);
    };
    for (std::size_t r = 0; r < m; ++r) {
        const Run& here = run(r);
        const Point from = at(here.from), to = at(here.to);
        if (step[r]) {
            add(mix(from, to, 0.5f));
            // Between two steps of two, the line through their middles runs through the centre
            // of the pixel in their corner: bend it halfway towards the corner.
            const Run& next = run(r + 1);
            if (step[(r + 1) % m] && here.length == 2 && next.length == 2)
                add(mix(mix(mix(from, to, 0.5f), mix(to, at(next.to), 0.5f), 0.5f), to, 0.5f));
            continue;
        }
        const float half = 0.5f / static_cast<float>(here.length);
        add(step[(r + m - 1) % m] ? mix(from, to, half) : from);
        if (step[(r + 1) % m])
            add(mix(from, to, 1 - half));
    }
    while (poly.size() > 1 && poly.front() == poly.back())
        poly.pop_back();
    return poly;
}

// Rounds every corner of a polygon with a quadratic curve that starts at most kRadius before
// the corner and ends at most kRadius after it.
std::vector<Point> roundCorners(const std::vector<Point>& poly)
{
    constexpr float kRadius = 0.5f;
    constexpr int kSteps = 4;
    const std::size_t k = poly.size();
    std::vector<Point> curve;
    for (std::size_t i = 0; i < k; ++i) {
        const Point prev = poly[(i + k - 1) % k], v = poly[i], next = poly[(i + 1) % k];
        const float before = std::hypot(v.x - prev.x, v.y - prev.y), after = std::hypot(next.x - v.x, next.y - v.y);
        const Point from = mix(v, prev, std::min(kRadius, before / 2) / before);
        const Point to = mix(v, next, std::min(kRadius, after / 2) / after);
        for (int s = 0; s <= kSteps; ++s) {
            const float t = static_cast<float>(s) / kSteps, u = 1 - t;
            curve.push_back({u * u * from.x + 2 * u * t * v.x + t * t * to.x, u * u * from.y + 2 * u * t * v.y + t * t * to.y});
        }
    }
    // Points on the line through their neighbours add nothing.
    std::vector<Point> kept;
    const std::size_t n = curve.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = curve[(i + n - 1) % n], b = curve[i], c = curve[(i + 1) % n];
        if (std::abs((b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x)) > 1e-6f)
            kept.push_back(b);
    }
    return kept;
}

}  // namespace

Drawing drawingOf(const Fingering& f)
{
    Drawing d;

    for (Span rows : kFretLineRows)
        d.add(Bar{kGridColumns.first, rows.first, kGridColumns.last, rows.last});
    for (Span cols : kStringColumns)
        d.add(Bar{cols.first, kGridRows.first, cols.last, kGridRows.last});

    for (int s = 0; s < kStringCount; ++s) {
        const int c = kStringCentre[s];
        switch (f.strings[s].mark) {
        case TopMark::Mute: d.add(Stamp{Glyph::Mute, c + kMuteLeft, kMuteTop}); break;
        case TopMark::Open: d.add(Stamp{Glyph::Open, c + kOpenLeft, kOpenTop}); break;
        case TopMark::None: break;
        }
    }

    for (const Barre& b : f.barreList()) {
        const int r = kDotRow[b.fretSpace];
        d.add(Bar{kStringCentre[b.firstString], r - kBarreHalfHeight, kStringCentre[b.lastString], r + kBarreHalfHeight});
    }

    for (int s = 0; s < kStringCount; ++s) {
        const auto& dot = f.strings[s].dot;
        if (!dot)
            continue;
        const int c = kStringCentre[s];
        const int r = kDotRow[dot->fretSpace];
        d.add(Ring{c, r, ringWidth(f, s), kRingHeight, kRingStroke});
        const auto digit = static_cast<Glyph>(static_cast<int>(Glyph::Digit1) + dot->finger - 1);
        d.add(Stamp{digit, c + (dot->finger == 1 ? kDigit1Left : kDigitLeft), r + kDigitTop});
    }

    return d;
}

std::span<const std::string_view> glyphMask(Glyph glyph)
{
    return kGlyphs[static_cast<int>(glyph)];
}

const std::vector<std::vector<Point>>& glyphOutline(Glyph glyph)
{
    static const auto outlines = [] {
        std::array<std::vector<std::vector<Point>>, kGlyphCount> all;
        for (std::size_t g = 0; g < all.size(); ++g)
            for (const auto& loop : borderLoops(kGlyphs[g]))
                all[g].push_back(roundCorners(staircasesAsSlopes(loop)));
        return all;
    }();
    return outlines[static_cast<int>(glyph)];
}

}  // namespace diagrams

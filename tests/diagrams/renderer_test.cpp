#include "diagrams/renderer.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <vector>

namespace diagrams {
namespace {

constexpr int W = Bitmap::kWidth;
constexpr int H = Bitmap::kHeight;
constexpr int kCentre[kStringCount] = {26, 65, 106, 144, 179, 209};
constexpr int kDotRow[6] = {0, 56, 107, 157, 207, 257};

StringState mute() { return {TopMark::Mute, std::nullopt}; }
StringState open() { return {TopMark::Open, std::nullopt}; }
StringState dot(int fretSpace, int finger) { return {TopMark::None, FingerDot{fretSpace, finger}}; }
StringState none() { return {}; }

Fingering fixture(std::array<StringState, kStringCount> strings, std::initializer_list<Barre> barres = {})
{
    Fingering f;
    f.strings = strings;
    for (const Barre& b : barres)
        f.barres[f.barreCount++] = b;
    return f;
}

void fill(Bitmap& bmp, int x0, int x1, int y0, int y1)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            bmp.setInk(x, y, true);
}

// The bare grid, built from the fret line and string tables.
Bitmap grid()
{
    Bitmap bmp;
    for (auto [y0, y1] : {std::pair{26, 28}, {78, 81}, {128, 131}, {177, 180}, {227, 230}, {277, 280}})
        fill(bmp, 24, 209, y0, y1);
    for (auto [x0, x1] : {std::pair{24, 28}, {64, 67}, {105, 107}, {144, 145}, {179, 179}, {209, 209}})
        fill(bmp, x0, x1, 26, 280);
    return bmp;
}

using Mask = std::vector<std::string_view>;

const Mask kMute = {"###.....###", "####...####", ".####.####.", "..#######..", "...#####...",
                    "...#####...", "..#######..", ".####.####.", "####...####", "###.....###"};
const Mask kOpen = {"....######....", "..##########..", ".####....####.", ".###......###.", "###........###",
                    "###........###", "###........###", "###........###", "###........###", "###........###",
                    ".###......###.", ".####....####.", "..##########..", "....######...."};
const Mask kDigit[5] = {
    {},
    {"...###", "..####", "######", "######", "...###", "...###", "...###", "...###", "...###", "...###",
     "...###", "...###", "...###", "...###"},
    {"..######..", ".########.", "####..####", "###....###", ".......###", "......####", ".....####.",
     "...#####..", "..####....", ".####.....", ".###......", "###.......", "##########", "##########"},
    {"...####...", ".########.", ".###..###.", "###....###", "###....###", "......###.", "...#####..",
     "...######.", "......###.", "###....###", "###....###", ".###..###.", ".########.", "...####..."},
    {"....####..", "....####..", "...#####..", "...#####..", "..######..", "..######..", ".###.###..",
     ".###.###..", "###..###..", "##########", "##########", ".....###..", ".....###..", ".....###.."},
};

void stampInk(Bitmap& bmp, const Mask& mask, int left, int top)
{
    for (std::size_t y = 0; y < mask.size(); ++y)
        for (std::size_t x = 0; x < mask[y].size(); ++x)
            if (mask[y][x] == '#')
                bmp.setInk(left + static_cast<int>(x), top + static_cast<int>(y), true);
}

// Compares a window of the picture with a mask, paper included.
void expectRegion(const Bitmap& bmp, const Mask& mask, int left, int top)
{
    for (std::size_t y = 0; y < mask.size(); ++y)
        for (std::size_t x = 0; x < mask[y].size(); ++x) {
            const int px = left + static_cast<int>(x), py = top + static_cast<int>(y);
            EXPECT_EQ(bmp.ink(px, py), mask[y][x] == '#') << "pixel " << px << "," << py;
        }
}

int countDifferences(const Bitmap& a, const Bitmap& b)
{
    int n = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            n += a.ink(x, y) != b.ink(x, y);
    return n;
}

// A ring of width w at (c, r): outer edge and 3-pixel stroke on both sides,
// checked two rows below the centre, clear of any barre line.
void expectRing(const Bitmap& bmp, int c, int r, int w)
{
    const int h = w / 2, y = r + 2;
    for (int side : {-1, 1}) {
        EXPECT_FALSE(bmp.ink(c + side * (h + 1), y)) << "outside ring " << c << " w " << w;
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(bmp.ink(c + side * (h - k), y)) << "stroke " << c << " w " << w;
        EXPECT_FALSE(bmp.ink(c + side * (h - 3), y)) << "inside ring " << c << " w " << w;
    }
    // Full height 33: rows r - 16 to r + 16, beside the string's own columns.
    EXPECT_TRUE(bmp.ink(c + 3, r - 16));
    EXPECT_TRUE(bmp.ink(c + 3, r + 16));
    EXPECT_FALSE(bmp.ink(c + 3, r - 17));
    EXPECT_FALSE(bmp.ink(c + 3, r + 17));
}

Bitmap diagram(int id)
{
    auto bmp = renderDiagram(id);
    EXPECT_TRUE(bmp.has_value()) << id;
    return bmp ? *bmp : Bitmap{};
}

TEST(Bitmap, SizeAndBounds)
{
    Bitmap bmp;
    EXPECT_EQ(W, 241);
    EXPECT_EQ(H, 312);
    bmp.setInk(240, 311, true);
    EXPECT_TRUE(bmp.ink(240, 311));
    EXPECT_EQ(bmp.row(311)[240], 1);
    EXPECT_EQ(bmp.data()[W * H - 1], 1);
    EXPECT_FALSE(bmp.ink(241, 0));
    EXPECT_FALSE(bmp.ink(0, 312));
    EXPECT_FALSE(bmp.ink(-1, -1));
}

TEST(Renderer, EmptyFingeringIsTheBareGrid)
{
    EXPECT_EQ(countDifferences(render(Fingering{}), grid()), 0);
}

TEST(Renderer, TopMarksAtBothEdgesOfTheGrid)
{
    const Fingering f = fixture({open(), mute(), none(), none(), open(), mute()});
    Bitmap expected = grid();
    stampInk(expected, kOpen, kCentre[kLowE] - 6, 8);
    stampInk(expected, kMute, kCentre[kA] - 5, 11);
    stampInk(expected, kOpen, kCentre[kB] - 6, 8);
    stampInk(expected, kMute, kCentre[kHighE] - 5, 11);
    EXPECT_EQ(countDifferences(render(f), expected), 0);
}

TEST(Renderer, RingHidesStringAndHoldsDigit)
{
    for (int finger = 1; finger <= 4; ++finger) {
        SCOPED_TRACE(finger);
        const int c = kCentre[kD], r = kDotRow[3];
        const Bitmap bmp = render(fixture({none(), none(), dot(3, finger), none(), none(), none()}));
        expectRing(bmp, c, r, 35);
        // The digit sits inside, the rest of the ring's inside is paper.
        const int left = finger == 1 ? c - 3 : c - 5;
        expectRegion(bmp, kDigit[finger], left, r - 7);
        for (int y = r - 13; y < r - 7; ++y)
            for (int x = c - 1; x <= c + 1; ++x)
                EXPECT_FALSE(bmp.ink(x, y)) << "string inside ring at " << x << "," << y;
        for (int y = r + 7; y <= r + 13; ++y)
            EXPECT_FALSE(bmp.ink(c, y));
        // The string runs on above and below the ring.
        EXPECT_TRUE(bmp.ink(c, r - 17));
        EXPECT_TRUE(bmp.ink(c, r + 17));
    }
}

TEST(Renderer, RingWidthsOnTheUpperStrings)
{
    struct Case {
        const char* name;
        Fingering f;
        int widthG, widthB, widthE;  // 0: no dot there
    };
    const Case cases[] = {
        {"G and B apart", fixture({none(), none(), none(), dot(1, 1), dot(2, 2), none()}), 35, 35, 0},
        {"G and B side by side", fixture({none(), none(), none(), dot(2, 1), dot(2, 2), none()}), 33, 33, 0},
        {"B and e side by side", fixture({none(), none(), none(), none(), dot(3, 2), dot(3, 3)}), 0, 29, 29},
        {"G, B and e side by side", fixture({none(), none(), none(), dot(1, 2), dot(1, 3), dot(1, 4)}), 33, 29, 29},
        {"G and e only", fixture({none(), none(), none(), dot(1, 2), none(), dot(1, 4)}), 35, 0, 35},
        {"B with G below and e above", fixture({none(), none(), none(), dot(2, 2), dot(1, 1), dot(3, 3)}), 35, 35, 35},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const Bitmap bmp = render(k.f);
        const int widths[] = {k.widthG, k.widthB, k.widthE};
        for (int s = kG; s <= kHighE; ++s)
            if (widths[s - kG])
                expectRing(bmp, kCentre[s], kDotRow[k.f.strings[s].dot->fretSpace], widths[s - kG]);
    }
}

TEST(Renderer, BarreShowsBetweenRingsAndCrossesWhateverLiesBetween)
{
    // Finger 1 barred from A to high E in fret space 2, D muted, G fretted higher up.
    const Fingering f = fixture({none(), dot(2, 1), mute(), dot(4, 3), none(), dot(2, 1)}, {{1, 2, kA, kHighE}});
    const Bitmap bmp = render(f);
    const int r = kDotRow[2];
    for (int x = kCentre[kA] + 18; x <= kCentre[kHighE] - 18; ++x) {
        for (int y = r - 1; y <= r + 1; ++y)
            EXPECT_TRUE(bmp.ink(x, y)) << x << "," << y;
        const bool string = (x >= 105 && x <= 107) || x == 144 || x == 145 || x == 179;
        EXPECT_EQ(bmp.ink(x, r - 2), string) << x;
        EXPECT_EQ(bmp.ink(x, r + 2), string) << x;
    }
    // No line beyond the barre's end strings, none inside its end rings.
    EXPECT_FALSE(bmp.ink(kCentre[kA] - 18, r));
    EXPECT_FALSE(bmp.ink(kCentre[kHighE] + 18, r));
    EXPECT_FALSE(bmp.ink(kCentre[kA] - 10, r));
    EXPECT_FALSE(bmp.ink(kCentre[kHighE] + 10, r));
    // The mute mark and the higher ring are untouched by it.
    expectRegion(bmp, kMute, kCentre[kD] - 5, 11);
    expectRing(bmp, kCentre[kG], kDotRow[4], 35);
}

TEST(Renderer, Diagram102BarreJoinsRingsInFretSpace1)
{
    const Bitmap bmp = diagram(102);
    expectRing(bmp, kCentre[kLowE], 56, 35);
    expectRing(bmp, kCentre[kB], 56, 29);
    expectRing(bmp, kCentre[kHighE], 56, 29);
    // Line in rows 55 to 57 from the low E ring to the B ring, and in the one column between B and e.
    for (int x = 44; x <= 164; ++x)
        for (int y = 55; y <= 57; ++y)
            EXPECT_TRUE(bmp.ink(x, y)) << x << "," << y;
    EXPECT_FALSE(bmp.ink(193, 50));
    EXPECT_FALSE(bmp.ink(194, 50));
    EXPECT_FALSE(bmp.ink(195, 50));
    for (int y = 55; y <= 57; ++y) {
        EXPECT_TRUE(bmp.ink(193, y));  // B ring's stroke
        EXPECT_TRUE(bmp.ink(194, y));  // barre in the gap
        EXPECT_TRUE(bmp.ink(195, y));  // high E ring's stroke
    }
    // Hidden inside every ring beside the digit.
    for (int c : {kCentre[kLowE], kCentre[kB], kCentre[kHighE]})
        for (int x : {c - 10, c + 9})
            EXPECT_FALSE(bmp.ink(x, 56)) << x;
    // No marks: nothing above the top line.
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < W; ++x)
            EXPECT_FALSE(bmp.ink(x, y)) << x << "," << y;
}

TEST(Renderer, Diagram142MuteMarkAndDotOnB)
{
    const Bitmap bmp = diagram(142);
    for (int s : {kLowE, kB, kHighE})
        expectRegion(bmp, kMute, kCentre[s] - 5, 11);
    for (int s : {kA, kD, kG})
        for (int x = kCentre[s] - 6; x <= kCentre[s] + 7; ++x)
            for (int y = 0; y < 26; ++y)
                EXPECT_FALSE(bmp.ink(x, y));
    expectRing(bmp, kCentre[kB], kDotRow[4], 35);
    expectRegion(bmp, kDigit[4], kCentre[kB] - 5, kDotRow[4] - 7);
}

TEST(Renderer, Diagram107HighEShowsOnlyItsLine)
{
    const Bitmap bmp = diagram(107);
    expectRegion(bmp, kMute, kCentre[kLowE] - 5, 11);
    for (int y = 0; y < H; ++y)
        EXPECT_EQ(bmp.ink(209, y), y >= 26 && y <= 280) << y;
    for (int y = 0; y < 26; ++y)
        for (int x = 196; x < W; ++x)
            EXPECT_FALSE(bmp.ink(x, y));
    // Beside the line only the fret lines; the B ring stays clear of the high E string.
    for (int y = 29; y <= 276; ++y) {
        const bool fretLine = (y >= 78 && y <= 81) || (y >= 128 && y <= 131) || (y >= 177 && y <= 180) ||
                              (y >= 227 && y <= 230);
        EXPECT_EQ(bmp.ink(208, y), fretLine) << y;
        EXPECT_FALSE(bmp.ink(210, y)) << y;
    }
}

TEST(Renderer, Diagram326KeepsPaperWhere337HasItsBarre)
{
    const Bitmap a = diagram(326), b = diagram(337);
    for (const Bitmap* bmp : {&a, &b}) {
        expectRing(*bmp, kCentre[kB], 56, 29);
        expectRing(*bmp, kCentre[kHighE], 56, 29);
    }
    for (int y = 55; y <= 57; ++y) {
        EXPECT_FALSE(a.ink(194, y));
        EXPECT_TRUE(b.ink(194, y));
    }
}

TEST(Renderer, FretSpace5RingClearsTheBottomLine)
{
    struct Case {
        int id, string, firstColumn, lastColumn;
    };
    for (Case k : {Case{199, kG, 144, 145}, Case{327, kD, 105, 107}}) {
        SCOPED_TRACE(k.id);
        const Bitmap bmp = diagram(k.id);
        const int c = kCentre[k.string];
        expectRing(bmp, c, 257, 35);
        expectRegion(bmp, kDigit[4], c - 5, 250);
        for (int x = 24; x <= 209; ++x)
            for (int y = 277; y <= 280; ++y)
                EXPECT_TRUE(bmp.ink(x, y));
        // Between the ring and the bottom line only the string itself.
        for (int x = c - 17; x <= c + 17; ++x)
            for (int y = 274; y <= 276; ++y)
                EXPECT_EQ(bmp.ink(x, y), x >= k.firstColumn && x <= k.lastColumn) << x << "," << y;
    }
}

TEST(Renderer, Diagram253SixRingsWithTheBarreInEveryGap)
{
    const Bitmap bmp = diagram(253);
    const int widths[kStringCount] = {35, 35, 35, 33, 29, 29};
    for (int s = 0; s < kStringCount; ++s) {
        expectRing(bmp, kCentre[s], 56, widths[s]);
        expectRegion(bmp, kDigit[1], kCentre[s] - 3, 49);
    }
    struct Gap {
        int first, last;
    };
    for (Gap g : {Gap{44, 47}, Gap{83, 88}, Gap{124, 127}, Gap{161, 164}, Gap{194, 194}}) {
        for (int x = g.first; x <= g.last; ++x) {
            EXPECT_FALSE(bmp.ink(x, 54)) << x;
            EXPECT_FALSE(bmp.ink(x, 58)) << x;
            for (int y = 55; y <= 57; ++y)
                EXPECT_TRUE(bmp.ink(x, y)) << x << "," << y;
        }
        EXPECT_TRUE(bmp.ink(g.first - 1, 54));  // ring strokes close the gap
        EXPECT_TRUE(bmp.ink(g.last + 1, 54));
    }
}

TEST(Renderer, EveryDiagramKeepsInsideRows8To280)
{
    for (int id : allDiagramIds()) {
        const Bitmap bmp = diagram(id);
        for (int y = 0; y < H; ++y) {
            if (y >= 8 && y <= 280)
                continue;
            for (int x = 0; x < W; ++x)
                ASSERT_FALSE(bmp.ink(x, y)) << id << " at " << x << "," << y;
        }
    }
}

TEST(Renderer, SharedFingeringsDrawTheSamePicture)
{
    for (auto [a, b] : {std::pair{102, 196}, {124, 188}, {131, 213}, {159, 212}, {223, 275}, {224, 273},
                        {296, 325}, {298, 322}, {300, 323}})
        EXPECT_TRUE(diagram(a) == diagram(b)) << a << " and " << b;
    EXPECT_FALSE(diagram(326) == diagram(337));
}

TEST(Renderer, DiagramByIdDrawsItsFingeringAndFailsForNonIds)
{
    for (int id : allDiagramIds())
        ASSERT_TRUE(diagram(id) == render(*findFingering(id))) << id;
    for (int id : {100, 191, 192, 340})
        EXPECT_FALSE(renderDiagram(id).has_value()) << id;
}

}  // namespace
}  // namespace diagrams

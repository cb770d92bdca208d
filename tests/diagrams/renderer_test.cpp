#include "diagrams/renderer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
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

// FNV-1a over the picture's pixels, one byte each.
std::uint32_t digest(const Bitmap& bmp)
{
    std::uint32_t h = 2166136261u;
    for (int i = 0; i < W * H; ++i) {
        h ^= bmp.data()[i];
        h *= 16777619u;
    }
    return h;
}

// Every picture as the program has always drawn it, pixel for pixel.
TEST(Renderer, EveryDiagramKeepsItsPixels)
{
    const std::map<int, std::uint32_t> expected = {
    {101, 0x50310b4d}, {102, 0xa79e674b}, {103, 0x21de1947}, {104, 0x6637d2e2}, {105, 0xddf0255f}, {106, 0x7e5da4cd},
    {107, 0x81acd068}, {108, 0x9cc938ad}, {109, 0xe0871e37}, {110, 0x280cb927}, {111, 0x127ce295}, {112, 0x717c42de},
    {113, 0x6baa3b5e}, {114, 0x32ac1b0f}, {115, 0x7a08be04}, {116, 0x9f7b2cb8}, {117, 0x99e20ee7}, {118, 0x78797345},
    {119, 0x3a1e7731}, {120, 0x7a0b7bf3}, {121, 0xf4cdbc76}, {122, 0xe28af8de}, {123, 0x960d38f3}, {124, 0x32c2626d},
    {125, 0x09d9fb8c}, {126, 0x65986fcd}, {127, 0x8194d6b6}, {128, 0x4801a464}, {129, 0xa6ecd93a}, {130, 0xf4c0e6c1},
    {131, 0x50e630a3}, {132, 0x56d416ed}, {133, 0x3d9b1844}, {134, 0xb09e16c9}, {135, 0x59643689}, {136, 0x8c0b58cf},
    {137, 0xb3ccf479}, {138, 0x5bf952d3}, {139, 0x83b8c13f}, {140, 0x81dec03a}, {141, 0x72d7e4ec}, {142, 0x303f3317},
    {143, 0x324c8931}, {144, 0xae67499e}, {145, 0x4f2aad51}, {146, 0x053b8dd5}, {147, 0x2da742fe}, {148, 0xee2aa8bb},
    {149, 0xc8b04362}, {150, 0x03809443}, {151, 0xbdf69e7f}, {152, 0x3009015e}, {153, 0xb8d3ed6d}, {154, 0x7f2f5f47},
    {155, 0x68b9440a}, {156, 0xdc9bf05e}, {157, 0xb1e6b589}, {158, 0x8e3abb16}, {159, 0xd90320ed}, {160, 0x74ed1c6a},
    {161, 0xb7a4d809}, {162, 0xe075f6bc}, {163, 0xa37b61e0}, {164, 0xac5fdb8c}, {165, 0xd5bee483}, {166, 0xdffe9a8d},
    {167, 0xb04dcae5}, {168, 0x1e4a34f7}, {169, 0x46143750}, {170, 0x39ca8862}, {171, 0x061558b5}, {172, 0x93c3b021},
    {173, 0xe34116c8}, {174, 0xb70bca8e}, {175, 0xe013adfb}, {176, 0x46928401}, {177, 0xf453646e}, {178, 0x552b2431},
    {179, 0x1e105733}, {180, 0xeb511249}, {181, 0xc13bff56}, {182, 0x619a5bfe}, {183, 0xc10f3dbd}, {184, 0x74ff03c6},
    {185, 0xb10b9cc5}, {186, 0x386f5d2b}, {187, 0x8eb81277}, {188, 0x32c2626d}, {189, 0xf4bb8c3b}, {190, 0xe571a64d},
    {193, 0x79b1f494}, {194, 0x509f6609}, {195, 0xebb96aa4}, {196, 0xa79e674b}, {197, 0x4fa43b01}, {198, 0xdb2a22cd},
    {199, 0x3f6a6d1d}, {200, 0xb227f33a}, {201, 0xe678340b}, {202, 0x04a6d161}, {203, 0x63ac6a75}, {204, 0xd35765ea},
    {205, 0x13a87bb9}, {206, 0x1b54a3bd}, {207, 0x4c8026b8}, {208, 0xe79070c5}, {209, 0x93343ee9}, {210, 0x5d744a25},
    {211, 0x09a0dc37}, {212, 0xd90320ed}, {213, 0x50e630a3}, {214, 0xfac7f199}, {215, 0xad9f7001}, {216, 0x04bd7833},
    {217, 0x38ba6ee5}, {218, 0x9139f83a}, {219, 0x5c457a06}, {220, 0xfd014611}, {221, 0x346a0917}, {222, 0x64bb3c58},
    {223, 0x750666e7}, {224, 0xd7308c3e}, {225, 0x1566018b}, {226, 0x14c54baa}, {227, 0xd84f1baf}, {228, 0x191d1416},
    {229, 0x6e063050}, {230, 0xabf1dd18}, {231, 0x75b35a99}, {232, 0x2dddac26}, {233, 0x3b12d4d7}, {234, 0xff15383f},
    {235, 0x91898225}, {236, 0x6c659b2d}, {237, 0x5a03f7bb}, {238, 0xbf09290e}, {239, 0x8f92f05d}, {240, 0x854a06fd},
    {241, 0xe64eb0f0}, {242, 0xfd533ac2}, {243, 0x676d3e73}, {244, 0x61fcbeda}, {245, 0x55477a31}, {246, 0xe510d646},
    {247, 0xfefee603}, {248, 0x342d0179}, {249, 0x0db6c909}, {250, 0x33c9e502}, {251, 0x882e111b}, {252, 0xf8a4df0a},
    {253, 0xdb5c7fd8}, {254, 0x2ba69cc2}, {255, 0xd6d20563}, {256, 0xdc295d95}, {257, 0xf9013e45}, {258, 0xcda3c9b5},
    {259, 0x3e11d512}, {260, 0xd440caed}, {261, 0x4edb5d13}, {262, 0x3145eb4c}, {263, 0x20be4508}, {264, 0x09ef67bd},
    {265, 0xb27a6422}, {266, 0xff36eda3}, {267, 0x32025d34}, {268, 0xfc5a27e5}, {269, 0xb2ff2061}, {270, 0x25830d8b},
    {271, 0x275ed32d}, {272, 0xb0bed208}, {273, 0xd7308c3e}, {274, 0xfc7af149}, {275, 0x750666e7}, {276, 0x9f8ad0d2},
    {277, 0xfe4a027f}, {278, 0xb92550aa}, {279, 0xdfc9c07a}, {280, 0x435e8840}, {281, 0xfdcc471a}, {282, 0x5051e218},
    {283, 0x9017382d}, {284, 0x14dada65}, {285, 0x5d2ad044}, {286, 0x1fd49023}, {287, 0x61c74629}, {288, 0xe0360d11},
    {289, 0xa6f8d062}, {290, 0x98e015f9}, {291, 0x3f46d1fa}, {292, 0x76bd7afa}, {293, 0x4bd53c44}, {294, 0x86683635},
    {295, 0x95d7bd98}, {296, 0x40b280f3}, {297, 0x45d98b53}, {298, 0xcf6977c2}, {299, 0x4e3d75db}, {300, 0x7db47ef5},
    {301, 0x4041efd7}, {302, 0x57188e1b}, {303, 0x1ec62331}, {304, 0xef5278f0}, {305, 0x41979efd}, {306, 0xda152a42},
    {307, 0x46eccc46}, {308, 0x3a577f30}, {309, 0x48a156d8}, {310, 0x59823602}, {311, 0x89d905d9}, {312, 0xd3872b16},
    {313, 0xcb4371f5}, {314, 0xc9036785}, {315, 0xdd173baf}, {316, 0xe902d412}, {317, 0x48b67bb5}, {318, 0x8a61c4b2},
    {319, 0x14ba8049}, {320, 0xf69eb414}, {321, 0xf25ba121}, {322, 0xcf6977c2}, {323, 0x7db47ef5}, {324, 0x6dbc1993},
    {325, 0x40b280f3}, {326, 0x358d5421}, {327, 0x23766cc7}, {328, 0xe1bb678a}, {329, 0xf361fbd5}, {330, 0xfe9239bc},
    {331, 0xdfeadd2b}, {332, 0x60cedf13}, {333, 0x3dbdadc7}, {334, 0x3cb87d4c}, {335, 0xb5048b71}, {336, 0x2f4ebc14},
    {337, 0xdab89ecc}, {338, 0xc0d96baf}, {339, 0x367c29f6},
    };
    ASSERT_EQ(expected.size(), allDiagramIds().size());
    for (int id : allDiagramIds())
        EXPECT_EQ(digest(diagram(id)), expected.at(id)) << id;
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

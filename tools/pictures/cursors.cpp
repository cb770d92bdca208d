#include "pictures.h"
#include "pixelart.h"

#include <cstring>

namespace strumvane::pictures {

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

// An electric guitar along the diagonal: headstock at the hotspot, a fretted neck, and a body with
// pickups and bridge on the neck's line and a shaded rim on its right and lower side.
const std::vector<const char*> kGuitar = {
    "KK..............................",
    "KKKs............................",
    "sKKK............................",
    "..KKKs..........................",
    "..sKKK..........................",
    "....KWK.........................",
    ".....KKK........................",
    "......KWK.......................",
    ".......KKK......................",
    "........KWK.....................",
    ".........KKK......KKKKK.........",
    "..........KWK....KWWYRrK........",
    "...........KKK...KWWYRrK........",
    "............KWK..KWWWYRrK.......",
    ".............KKK.KWWWWYRrK......",
    "..............KWKWWWWWWYRrK.....",
    "...............KKKWWWWWWYRrK....",
    "..............KWWWWWWWWWWYRrK...",
    ".............KWWWWWWgWWWWWYRrK..",
    "............KWWWWWWgWWWWWWYRrK..",
    "............KWWWWWgWWWWWWWWYRrK.",
    "............KWWWWWWWWWWgWWWYRrK.",
    "............KWWWWWWWWWgWWWWWYRrK",
    "............KWWWWWWWWgWWWWWgYRrK",
    ".............KWWWWWWWWWWWWgWYRrK",
    ".............KWWWWWWWWWWWgWWYRrK",
    "..............KWWWWWWWWWgWWWYRrK",
    "..............KrRYYWWWWgWWWYYRrK",
    "...............KrRRYYYYYYYYYRRrK",
    "................KrrRRRRRRRRRRrrK",
    ".................KKrrrrrrrrrrrK.",
    "...................KKKKKKKKKKK..",
};

// K outline, W inside (the part that inverts).
const std::vector<const char*> kHand = {
    "......KKK.......................",
    ".....KWWWK......................",
    ".....KWWWK......................",
    ".....KWWWK......................",
    ".....KWWWK......................",
    ".....KWWWK......................",
    ".....KWWWK......................",
    ".....KWWWK......................",
    ".....KWWWKKKK...................",
    ".....KWWWKWWWKKK................",
    ".....KWWWKWWWKWWWKKK............",
    ".....KWWWKWWWKWWWKWWK...........",
    ".....KWWWKWWWKWWWKWWK...........",
    ".KK..KWWWKWWWKWWWKWWK...........",
    "KWWK.KWWWKWWWKWWWKWWK...........",
    "KWWWKKWWWWWWWWWWWWWWK...........",
    ".KWWWKWWWWWWWWWWWWWWK...........",
    ".KWWWWWWWWWWWWWWWWWWK...........",
    "..KWWWWWWWWWWWWWWWWWK...........",
    "..KWWWWWWWWWWWWWWWWWK...........",
    "...KWWWWWWWWWWWWWWWWK...........",
    "...KWWWWWWWWWWWWWWWWK...........",
    "....KWWWWWWWWWWWWWWWK...........",
    "....KWWWWWWWWWWWWWWK............",
    ".....KWWWWWWWWWWWWWK............",
    ".....KWWWWWWWWWWWWK.............",
    "......KWWWWWWWWWWWK.............",
    "......KWWWWWWWWWWWK.............",
    "......KWWWWWWWWWWWK.............",
    "......KWWWWWWWWWWWK.............",
    "......KKKKKKKKKKKKK.............",
    "................................",
};

QImage monochrome(const std::vector<const char*>& rows, const char* ones)
{
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(std::char_traits<char>::length(rows.front()));
    // Index 0 white, index 1 black: a black pixel reads back as a set bit in QBitmap.
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({kWhite, kBlack});
    image.fill(0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (std::strchr(ones, rows[y][x]))
                image.setPixel(x, y, 1);
    return image;
}

}  // namespace

QImage guitarCursor()
{
    return fromCharMap(kGuitar, {
                                    {'K', kBlack},
                                    {'W', kWhite},
                                    {'s', qRgb(192, 192, 192)},
                                    {'g', qRgb(128, 128, 128)},
                                    {'Y', qRgb(255, 255, 0)},
                                    {'R', qRgb(255, 0, 0)},
                                    {'r', qRgb(128, 0, 0)},
                                });
}

HandCursor handCursor()
{
    HandCursor hand;
    hand.look = fromCharMap(kHand, {{'K', kBlack}, {'W', kWhite}});
    // QCursor(bitmap, mask): 1/1 black, 0/1 white, 0/0 transparent, 1/0 inverts where supported.
    hand.bitmap = monochrome(kHand, "KW");
    hand.mask = monochrome(kHand, "K");
    return hand;
}

}  // namespace strumvane::pictures

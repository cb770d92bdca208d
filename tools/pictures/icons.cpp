#include "pictures.h"
#include "pixelart.h"

#include <cmath>

namespace strumvane::pictures {

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

void dot(QImage& image, int x, int y)
{
    image.setPixel(x, y, kBlack);
}

void column(QImage& image, int x, int y0, int y1)
{
    fillSpan(image, x, x, y0, y1, kBlack);
}

void row(QImage& image, int y, int x0, int x1)
{
    fillSpan(image, x0, x1, y, y, kBlack);
}

QImage transparentImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Columns of the six strings and rows of the six fret lines of the program's icon.
const int kGridColumns[] = {2, 6, 10, 14, 18, 22};
const int kGridRows[] = {2, 7, 12, 17, 22, 27};

// Open C major: the dot's string column and its two rows.
struct GridDot {
    int column, top;
};
const GridDot kGridDots[] = {{18, 4}, {10, 9}, {6, 14}};

}  // namespace

QImage notesIcon32()
{
    QImage image = transparentImage(32, 32);
    for (int y : {0, 7, 14, 21, 28})
        row(image, y, 1, 30);

    // Dotted eighth note: head at the stem's lower left, flag at its top right.
    column(image, 7, 2, 18);
    row(image, 16, 5, 7);
    row(image, 17, 4, 7);
    row(image, 18, 4, 7);
    row(image, 19, 4, 6);
    dot(image, 8, 2);
    row(image, 3, 8, 9);
    row(image, 4, 9, 10);
    row(image, 5, 10, 11);
    dot(image, 11, 6);
    column(image, 11, 8, 9);
    dot(image, 10, 10);
    column(image, 9, 17, 18);

    // Sharp below the middle line.
    column(image, 12, 16, 27);
    column(image, 14, 15, 26);
    for (int top : {18, 23}) {
        row(image, top, 13, 15);
        row(image, top + 1, 11, 13);
    }

    // Two eighths under a thick beam that rises to the right.
    column(image, 22, 6, 20);
    row(image, 19, 20, 22);
    row(image, 20, 19, 22);
    row(image, 21, 19, 22);
    row(image, 22, 19, 21);
    column(image, 29, 3, 17);
    row(image, 16, 27, 29);
    row(image, 17, 26, 29);
    row(image, 18, 26, 29);
    row(image, 19, 26, 28);
    for (int x = 22; x <= 29; ++x) {
        const int top = 6 - static_cast<int>(std::lround((x - 22) * 3 / 7.0));
        column(image, x, top, top + 2);
    }
    return image;
}

QImage notesIcon16()
{
    // Staff lines on rows 0, 3, 7, 10 and 14; an eighth note and two beamed eighths.
    return fromCharMap(
        {
            "################",
            "....#...........",
            "....##..........",
            "################",
            "....#.#....####.",
            "....#.#..######.",
            "....#.#..##...#.",
            "################",
            "...##....#...##.",
            "..###....#..###.",
            "################",
            "........##......",
            ".......###......",
            ".......##.......",
            "################",
            "................",
        },
        {{'#', kBlack}});
}

QImage chordGridIcon()
{
    QImage image(25, 32, QImage::Format_RGB32);  // fully opaque
    image.fill(kWhite);
    for (int x : kGridColumns)
        column(image, x, kGridRows[0], kGridRows[5]);
    for (int y : kGridRows)
        row(image, y, kGridColumns[0], kGridColumns[5]);
    for (const GridDot& d : kGridDots)
        fillSpan(image, d.column - 1, d.column + 1, d.top, d.top + 1, kBlack);
    return image;
}

QImage chordGridIcon48()
{
    // Nearest-neighbour at about 1.5 times, with each source column and row given a whole number of
    // pixels so that every line, every dot and every gap keeps one width: lines and the dots' flanks
    // get 2 pixels, the middle of each gap 1.
    const QImage source = chordGridIcon();
    std::vector<int> widths(source.width(), 1), heights(source.height(), 1);
    for (int x = 0; x < source.width(); ++x) {
        const int inGap = (x - 2) % 4;  // 0 on a string
        if (x >= 2 && x <= 22 && inGap != 2)
            widths[x] = 2;
    }
    widths[1] = widths[23] = 2;
    for (int y = 0; y < source.height(); ++y) {
        const int inSpace = (y - 2) % 5;  // 0 on a fret line
        if (y >= 2 && y <= 27 && (inSpace == 0 || inSpace == 2 || inSpace == 3))
            heights[y] = 2;
    }
    int width = 0, height = 0;
    for (int w : widths)
        width += w;
    for (int h : heights)
        height += h;

    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const int left = (48 - width) / 2, top = (48 - height) / 2;
    int y = top;
    for (int sy = 0; sy < source.height(); ++sy) {
        for (int dy = 0; dy < heights[sy]; ++dy, ++y) {
            int x = left;
            for (int sx = 0; sx < source.width(); ++sx)
                for (int dx = 0; dx < widths[sx]; ++dx, ++x)
                    image.setPixel(x, y, source.pixel(sx, sy) | 0xff000000u);
        }
    }
    return image;
}

QByteArray chordGridSvg()
{
    // The same pixels as rectangles on a square canvas, drawn without smoothing at any size.
    const QImage source = chordGridIcon();
    QByteArray svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"-3.5 0 32 32\" "
           "shape-rendering=\"crispEdges\">\n";
    svg += "  <rect x=\"0\" y=\"0\" width=\"25\" height=\"32\" fill=\"#ffffff\"/>\n";
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width();) {
            if (qGray(source.pixel(x, y)) >= 128) {
                ++x;
                continue;
            }
            int end = x;
            while (end < source.width() && qGray(source.pixel(end, y)) < 128)
                ++end;
            svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"1\" fill=\"#000000\"/>\n")
                       .arg(x)
                       .arg(y)
                       .arg(end - x)
                       .toUtf8();
            x = end;
        }
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace strumvane::pictures

#include "pictures.h"
#include "pixelart.h"

#include <QPainterPath>
#include <QPainterPathStroker>
#include <QStringList>

#include <cmath>
#include <cstdio>

namespace strumvane::pictures {

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

struct Span {
    int from, to;
};

// The grid of a chord diagram, 15 rows lower and 5 columns further right than in the diagrams.
const Span kStrings[] = {{29, 33}, {69, 72}, {110, 112}, {149, 150}, {184, 184}, {214, 214}};
const Span kFretLines[] = {{41, 43}, {93, 96}, {143, 146}, {192, 195}, {242, 245}, {292, 295}};
const int kGridTop = 41, kGridBottom = 295, kGridLeft = 29, kGridRight = 214;

// The finger digits of the chord diagrams, 14 rows each.
const char* const kDigits[4][14] = {
    {"...###", "..####", "######", "######", "...###", "...###", "...###", "...###", "...###", "...###",
     "...###", "...###", "...###", "...###"},
    {"..######..", ".########.", "####..####", "###....###", ".......###", "......####", ".....####.",
     "...#####..", "..####....", ".####.....", ".###......", "###.......", "##########", "##########"},
    {"...####...", ".########.", ".###..###.", "###....###", "###....###", "......###.", "...#####..",
     "...######.", "......###.", "###....###", "###....###", ".###..###.", ".########.", "...####..."},
    {"....####..", "....####..", "...#####..", "...#####..", "..######..", "..######..", ".###.###..",
     ".###.###..", "###..###..", "##########", "##########", ".....###..", ".....###..", ".....###.."},
};

// A ring 34 x 32 around (cx, cy), 3 pixels of ink, paper inside, the finger's digit in the middle.
void fingerDot(QImage& image, int cx, int cy, int finger)
{
    const double outerA = 17.0, outerB = 16.0, innerA = 14.0, innerB = 13.0;
    for (int y = cy - 16; y <= cy + 15; ++y)
        for (int x = cx - 17; x <= cx + 16; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double outer = dx * dx / (outerA * outerA) + dy * dy / (outerB * outerB);
            const double inner = dx * dx / (innerA * innerA) + dy * dy / (innerB * innerB);
            if (inner < 1.0)
                image.setPixel(x, y, kWhite);
            else if (outer <= 1.0)
                image.setPixel(x, y, kBlack);
        }
    const char* const* glyph = kDigits[finger - 1];
    const int left = cx - (finger == 1 ? 3 : 5);
    for (int row = 0; row < 14; ++row)
        for (int col = 0; glyph[row][col] != '\0'; ++col)
            if (glyph[row][col] == '#')
                image.setPixel(left + col, cy - 7 + row, kBlack);
}

// The circular arc from `start` through `middle` to `end`, as a fine polyline.
QPainterPath arcThrough(QPointF start, QPointF middle, QPointF end)
{
    // Centre: where the perpendicular bisectors of the two chords meet.
    const double ax = start.x(), ay = start.y(), bx = middle.x(), by = middle.y(), cx = end.x(), cy = end.y();
    const double d = 2 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
    const double ux = ((ax * ax + ay * ay) * (by - cy) + (bx * bx + by * by) * (cy - ay) + (cx * cx + cy * cy) * (ay - by)) / d;
    const double uy = ((ax * ax + ay * ay) * (cx - bx) + (bx * bx + by * by) * (ax - cx) + (cx * cx + cy * cy) * (bx - ax)) / d;
    const double radius = std::hypot(ax - ux, ay - uy);
    const double a0 = std::atan2(ay - uy, ax - ux), a1 = std::atan2(by - uy, bx - ux);
    double a2 = std::atan2(cy - uy, cx - ux);
    // Go round the way that passes the middle point.
    double sweep = a2 - a0;
    auto within = [&](double angle) {
        double t = std::remainder(angle - a0, 2 * M_PI);
        double s = std::remainder(sweep, 2 * M_PI);
        return s >= 0 ? (t >= 0 && t <= s) : (t <= 0 && t >= s);
    };
    sweep = std::remainder(sweep, 2 * M_PI);
    if (!within(a1))
        sweep = sweep > 0 ? sweep - 2 * M_PI : sweep + 2 * M_PI;
    QPainterPath path(start);
    const int steps = 200;
    for (int i = 1; i <= steps; ++i) {
        const double angle = a0 + sweep * i / steps;
        path.lineTo(ux + radius * std::cos(angle), uy + radius * std::sin(angle));
    }
    return path;
}

void brace(QImage& image, const QPainterPath& curve, const QRect& box)
{
    QPainterPathStroker stroker;
    stroker.setWidth(2.5);
    stroker.setCapStyle(Qt::RoundCap);
    stampMask(image, fitPathToBox(stroker.createStroke(curve), box, image.size()), kBlack);
}

struct Note {
    QRect box;          // where the note's ink lies
    int firstIndent;    // extra columns before the first line
    QStringList lines;
};

// Bold notes, capitals 10 pixels high, lines 16 apart, spaced so that the widest line ends at the
// box's right edge.
void note(QImage& image, const Note& n)
{
    QFont font = requireFont(QStringLiteral("Liberation Sans"), 14, true);
    const int capTop = textInk(font, QStringLiteral("H")).top();
    std::vector<PlacedLine> lines;
    for (int i = 0; i < n.lines.size(); ++i)
        lines.push_back({n.lines[i], n.box.left() + (i == 0 ? n.firstIndent : 0)});
    spaceToWidth(font, lines, n.box.right());
    QRect all;
    for (std::size_t i = 0; i < lines.size(); ++i)
        all |= stampTextLine(image, font, lines[i].text, lines[i].inkLeft,
                             n.box.top() + 16 * static_cast<int>(i) - capTop, kBlack);
    std::printf("help note \"%s\": ink %d-%d, %d-%d (box %d-%d, %d-%d), spacing %.2f\n",
                qPrintable(n.lines.front()), all.left(), all.right(), all.top(), all.bottom(), n.box.left(),
                n.box.right(), n.box.top(), n.box.bottom(), font.letterSpacing());
}

// A regular word beside a brace, 12 pixels high.
void label(QImage& image, const QString& text, const QRect& box)
{
    QFont font = requireFont(QStringLiteral("Liberation Sans"), 17, false);
    spaceToWidth(font, {{text, box.left()}}, box.right());
    const QRect ink = textInk(font, text);
    const QRect at = stampTextLine(image, font, text, box.left(), box.top() - ink.top(), kBlack);
    std::printf("help label \"%s\": ink %d-%d, %d-%d (box %d-%d, %d-%d)\n", qPrintable(text), at.left(),
                at.right(), at.top(), at.bottom(), box.left(), box.right(), box.top(), box.bottom());
}

}  // namespace

QImage helpPicture()
{
    QImage image(425, 576, QImage::Format_RGB32);
    image.fill(kWhite);

    for (const Span& s : kStrings)
        fillSpan(image, s.from, s.to, kGridTop, kGridBottom, kBlack);
    for (const Span& f : kFretLines)
        fillSpan(image, kGridLeft, kGridRight, f.from, f.to, kBlack);
    // Finger 1 barres space 1 from low E to B; the rings hide it where they lie over it.
    fillSpan(image, 31, 184, 67, 68, kBlack);
    fingerDot(image, 31, 70, 1);
    fingerDot(image, 72, 170, 3);
    fingerDot(image, 112, 170, 4);
    fingerDot(image, 150, 119, 2);
    fingerDot(image, 184, 68, 1);
    fingerDot(image, 215, 68, 1);

    brace(image, arcThrough({248, 40}, {309, 170}, {251, 295}), QRect(QPoint(248, 40), QPoint(309, 295)));
    label(image, QStringLiteral("Frets"), QRect(QPoint(324, 162), QPoint(362, 173)));
    brace(image, arcThrough({15, 321}, {115, 365}, {218, 326}), QRect(QPoint(15, 321), QPoint(218, 365)));
    label(image, QStringLiteral("Strings"), QRect(QPoint(96, 383), QPoint(150, 398)));

    note(image, {QRect(QPoint(278, 22), QPoint(388, 66)), 0,
                 {QStringLiteral("Circled numbers"), QStringLiteral("represent the"), QStringLiteral("fingers used.")}});
    note(image, {QRect(QPoint(259, 325), QPoint(379, 385)), 0,
                 {QStringLiteral("The line across"), QStringLiteral("the first fret in this"),
                  QStringLiteral("chord represents"), QStringLiteral("a first finger barre")}});
    note(image, {QRect(QPoint(38, 422), QPoint(353, 466)), 0,
                 {QStringLiteral("Along side the diagram is a Fret Marker"),
                  QStringLiteral("Ex.(3rd Fret) This represents the first fret in the"), QStringLiteral("diagram.")}});
    note(image, {QRect(QPoint(36, 482), QPoint(364, 510)), 7,
                 {QStringLiteral("An X on top the diagram represents a string not"), QStringLiteral("played or muted.")}});
    note(image, {QRect(QPoint(36, 514), QPoint(340, 542)), 7,
                 {QStringLiteral("An O on top the diagram represents a string"),
                  QStringLiteral("played open (no finger).")}});
    return image;
}

}  // namespace strumvane::pictures

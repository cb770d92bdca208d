#include "pictures.h"
#include "pixelart.h"

#include <QPainterPath>
#include <QPainterPathStroker>

#include <cstdio>

namespace strumvane::pictures {

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kPurple = qRgb(128, 0, 128);

QRect box(int x0, int x1, int y0, int y1)
{
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

QPainterPath outline(const QPainterPath& path, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(path);
}

QPainterPath openTriangle()
{
    QPainterPath path;
    path.moveTo(0.5, 0.0);
    path.lineTo(1.0, 1.0);
    path.lineTo(0.0, 1.0);
    path.closeSubpath();
    QTransform scale;
    scale.scale(10, 11);
    return outline(scale.map(path), 2.0);
}

QPainterPath openCircle(double diameter, double stroke)
{
    QPainterPath path;
    path.addEllipse(QRectF(0, 0, diameter, diameter));
    return outline(path, stroke);
}

QPainterPath glyph(const QString& text, bool bold)
{
    QPainterPath path;
    path.addText(0, 0, requireFont(QStringLiteral("Liberation Sans"), 100, bold), text);
    return path;
}

// Stamps a path so that its ink fills `where` exactly.
void place(QImage& image, const QPainterPath& path, const QRect& where, QRgb color)
{
    stampMask(image, fitPathToBox(path, where, image.size()), color);
}

// A chord name in bold purple, capitals 14 pixels high, filling its box.
void chordName(QImage& image, const QString& text, const QRect& where)
{
    place(image, glyph(text, true), where, kPurple);
}

}  // namespace

QImage otherSymbolsPicture()
{
    QImage image(458, 483, QImage::Format_RGB32);
    image.fill(kWhite);

    QPainterPath title;
    title.addText(0, 0, requireFont(QStringLiteral("Kaushan Script"), 100, false),
                  QStringLiteral("Other Chord Symbols"));
    // Thickened by about a pixel once it is down to size, for a heavy brush.
    const QRect titleBox = box(79, 359, 28, 53);
    const double perPixel = title.boundingRect().height() / titleBox.height();
    place(image, title.united(outline(title, 1.0 * perPixel)), titleBox, kPurple);

    const QPainterPath c = glyph(QStringLiteral("C"), false);

    chordName(image, QStringLiteral("Major"), box(112, 162, 109, 126));
    place(image, c, box(208, 224, 125, 141), kBlack);
    place(image, openTriangle(), box(227, 235, 118, 128), kBlack);

    chordName(image, QStringLiteral("Major7th"), box(110, 187, 181, 198));
    place(image, c, box(213, 229, 213, 229), kBlack);
    place(image, openTriangle(), box(232, 243, 206, 216), kBlack);
    place(image, glyph(QStringLiteral("7"), false), box(247, 256, 206, 219), kBlack);

    chordName(image, QStringLiteral("min7(b5)"), box(108, 187, 266, 283));
    place(image, c, box(211, 227, 291, 307), kBlack);
    {
        // Circle 10 across, crossed from upper left to lower right by a stroke reaching past it.
        QPainterPath crossed = openCircle(10, 1.9).translated(1, 2);
        QPainterPath slash(QPointF(0, 0));
        slash.lineTo(12, 14);
        crossed.addPath(outline(slash, 1.8));
        place(image, crossed.simplified(), box(230, 241, 284, 297), kBlack);
    }

    chordName(image, QStringLiteral("Diminished"), box(107, 208, 344, 357));
    place(image, c, box(211, 227, 387, 403), kBlack);
    place(image, openCircle(11, 2.0), box(231, 242, 383, 394), kBlack);

    // Rules between the rows, the whole width. The last one steps down a row halfway across, so it
    // stays 3 rows thick and still reaches both rows 334 and 337.
    fillSpan(image, 0, image.width() - 1, 172, 174, kPurple);
    fillSpan(image, 0, image.width() - 1, 257, 259, kPurple);
    fillSpan(image, 0, image.width() / 2 - 1, 334, 336, kPurple);
    fillSpan(image, image.width() / 2, image.width() - 1, 335, 337, kPurple);
    return image;
}

}  // namespace strumvane::pictures

#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRect>
#include <QString>

#include <map>
#include <vector>

namespace strumvane::pictures {

// One character per pixel, one string per row; '.' is transparent unless the palette says otherwise.
using CharPalette = std::map<char, QRgb>;
QImage fromCharMap(const std::vector<const char*>& rows, const CharPalette& palette);

// Bounding box of the pixels that differ from `background` (alpha included). Empty if none.
QRect inkBounds(const QImage& image, QRgb background);
QRect inkBounds(const QImage& image, const QRect& within, QRgb background);

// Fills a path with antialiasing into an 8-bit coverage mask of the given size.
QImage coverageMask(const QPainterPath& path, QSize size);

// Scales and moves `path` so that its thresholded ink covers exactly `target`
// (both edges inclusive). Returns the mask (255 = ink, 0 = paper) of the fitted path.
QImage fitPathToBox(const QPainterPath& path, const QRect& target, QSize canvas);

// Paints `color` wherever mask >= 128; no blending, so the picture keeps its pure colours.
void stampMask(QImage& image, const QImage& mask, QRgb color);

// A line of text as a hard-edged mask (hinted, not antialiased), drawn with its baseline at `baseline`
// and its ink starting at column `inkLeft`. Returns the ink box that it covers.
QRect stampTextLine(QImage& image, const QFont& font, const QString& text, int inkLeft, int baseline,
                    QRgb color);

// Ink box of a text line drawn with its pen at (0, 0) on the baseline.
QRect textInk(const QFont& font, const QString& text);

// A line of text and the column its ink starts at.
struct PlacedLine {
    QString text;
    int inkLeft;
};

// Sets the font's letter spacing so that the widest of the lines ends its ink at column `right`,
// or as near as it gets; prefers the least change.
void spaceToWidth(QFont& font, const std::vector<PlacedLine>& lines, int right);

// Fills the rectangle spanning columns x0..x1 and rows y0..y1 (inclusive).
void fillSpan(QImage& image, int x0, int x1, int y0, int y1, QRgb color);

// A font of the named family; fails rather than let the system substitute another face.
QFont requireFont(const QString& family, int pixelSize, bool bold);

}  // namespace strumvane::pictures

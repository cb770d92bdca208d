#include "pixelart.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTransform>

#include <stdexcept>

namespace strumvane::pictures {

QImage fromCharMap(const std::vector<const char*>& rows, const CharPalette& palette)
{
    const int height = static_cast<int>(rows.size());
    const int width = height > 0 ? static_cast<int>(std::char_traits<char>::length(rows.front())) : 0;
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < height; ++y) {
        if (static_cast<int>(std::char_traits<char>::length(rows[y])) != width)
            throw std::runtime_error("pixel map rows differ in length");
        for (int x = 0; x < width; ++x) {
            const char c = rows[y][x];
            if (const auto it = palette.find(c); it != palette.end())
                image.setPixel(x, y, it->second);
            else if (c != '.')
                throw std::runtime_error(std::string("pixel map uses unknown colour '") + c + "'");
        }
    }
    return image;
}

QRect inkBounds(const QImage& image, const QRect& within, QRgb background)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int x0 = within.right() + 1, x1 = within.left() - 1, y0 = within.bottom() + 1, y1 = within.top() - 1;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (argb.pixel(x, y) != background) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    if (x1 < x0)
        return {};
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

QRect inkBounds(const QImage& image, QRgb background)
{
    return inkBounds(image, image.rect(), background);
}

QImage coverageMask(const QPainterPath& path, QSize size)
{
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, QColor(255, 255, 255));
    painter.end();
    return mask;
}

namespace {

QRect thresholdBounds(const QImage& mask)
{
    int x0 = mask.width(), x1 = -1, y0 = mask.height(), y1 = -1;
    for (int y = 0; y < mask.height(); ++y) {
        const uchar* line = mask.constScanLine(y);
        for (int x = 0; x < mask.width(); ++x)
            if (line[x] >= 128) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    }
    if (x1 < 0)
        return {};
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

QPainterPath mapOnto(const QPainterPath& path, const QRectF& from, const QRectF& to)
{
    QTransform t;
    t.translate(to.left(), to.top());
    t.scale(to.width() / from.width(), to.height() / from.height());
    t.translate(-from.left(), -from.top());
    return t.map(path);
}

}  // namespace

QImage fitPathToBox(const QPainterPath& path, const QRect& target, QSize canvas)
{
    const QRectF from = path.boundingRect();
    // Edges in continuous coordinates: the box's pixels span [left, right + 1).
    double left = target.left(), top = target.top(), right = target.right() + 1.0, bottom = target.bottom() + 1.0;
    for (int round = 0; round < 40; ++round) {
        const QImage mask = coverageMask(mapOnto(path, from, QRectF(QPointF(left, top), QPointF(right, bottom))), canvas);
        const QRect ink = thresholdBounds(mask);
        if (ink.isNull())
            throw std::runtime_error("fitted path left no ink");
        const int dl = target.left() - ink.left(), dt = target.top() - ink.top();
        const int dr = target.right() - ink.right(), db = target.bottom() - ink.bottom();
        if (dl == 0 && dt == 0 && dr == 0 && db == 0)
            return mask;
        // Half steps: a whole pixel often overshoots when the edge is a thin stroke.
        const double step = round < 10 ? 1.0 : 0.5 / (1 + round / 10);
        left += step * dl;
        top += step * dt;
        right += step * dr;
        bottom += step * db;
    }
    throw std::runtime_error("could not fit a path to its box");
}

void stampMask(QImage& image, const QImage& mask, QRgb color)
{
    for (int y = 0; y < std::min(image.height(), mask.height()); ++y) {
        const uchar* line = mask.constScanLine(y);
        for (int x = 0; x < std::min(image.width(), mask.width()); ++x)
            if (line[x] >= 128)
                image.setPixel(x, y, color);
    }
}

namespace {

// Text drawn black on white with its pen at `origin`, in a canvas with room around it.
QImage textCanvas(const QFont& font, const QString& text, QPoint& origin)
{
    const QFontMetrics metrics(font);
    const int pad = 8;
    QImage canvas(metrics.horizontalAdvance(text) + 2 * pad + metrics.height(), metrics.height() + 2 * pad,
                  QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    origin = QPoint(pad, pad + metrics.ascent());
    QPainter painter(&canvas);
    QFont hard = font;
    hard.setStyleStrategy(QFont::NoAntialias);
    hard.setHintingPreference(QFont::PreferFullHinting);
    painter.setFont(hard);
    painter.setPen(Qt::black);
    painter.drawText(origin, text);
    painter.end();
    return canvas;
}

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 128;
}

}  // namespace

QRect textInk(const QFont& font, const QString& text)
{
    QPoint origin;
    const QImage canvas = textCanvas(font, text, origin);
    int x0 = canvas.width(), x1 = -1, y0 = canvas.height(), y1 = -1;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (isInk(canvas.pixel(x, y))) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    if (x1 < 0)
        return {};
    return QRect(QPoint(x0, y0), QPoint(x1, y1)).translated(-origin);
}

void spaceToWidth(QFont& font, const std::vector<PlacedLine>& lines, int right)
{
    double best = 0.0;
    int bestError = 1 << 30;
    for (int step = 0; step <= 300; ++step) {
        // 0, +0.02, -0.02, +0.04, ... so that the smallest change wins a tie.
        const double spacing = (step % 2 == 0 ? -1 : 1) * ((step + 1) / 2) * 0.02;
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        int widest = 0;
        for (const PlacedLine& line : lines)
            widest = std::max(widest, line.inkLeft + textInk(font, line.text).width() - 1);
        const int error = std::abs(widest - right);
        if (error < bestError) {
            bestError = error;
            best = spacing;
        }
        if (error == 0)
            break;
    }
    font.setLetterSpacing(QFont::AbsoluteSpacing, best);
}

QRect stampTextLine(QImage& image, const QFont& font, const QString& text, int inkLeft, int baseline,
                    QRgb color)
{
    QPoint origin;
    const QImage canvas = textCanvas(font, text, origin);
    const QRect ink = textInk(font, text);
    // Canvas pixel (cx, cy) lands on (cx + dx, cy + dy).
    const int dx = inkLeft - ink.left() - origin.x();
    const int dy = baseline - origin.y();
    for (int cy = 0; cy < canvas.height(); ++cy)
        for (int cx = 0; cx < canvas.width(); ++cx)
            if (isInk(canvas.pixel(cx, cy)) && image.rect().contains(cx + dx, cy + dy))
                image.setPixel(cx + dx, cy + dy, color);
    return ink.translated(inkLeft - ink.left(), baseline);
}

void fillSpan(QImage& image, int x0, int x1, int y0, int y1, QRgb color)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            image.setPixel(x, y, color);
}

}  // namespace strumvane::pictures

#include <QFontInfo>

namespace strumvane::pictures {

QFont requireFont(const QString& family, int pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    const QFontInfo info(font);
    if (info.family() != family || info.bold() != bold)
        throw std::runtime_error("font not installed: " + family.toStdString() + (bold ? " Bold" : ""));
    return font;
}

}  // namespace strumvane::pictures

#include "runtime/diagramshapes_p.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <map>
#include <variant>

namespace rt {

namespace {

using diagrams::Bar;
using diagrams::Glyph;
using diagrams::Ring;
using diagrams::Stamp;

const QPainterPath& glyphPath(Glyph glyph) {
    static const auto paths = [] {
        std::array<QPainterPath, diagrams::kGlyphCount> all;
        for (std::size_t g = 0; g < all.size(); ++g) {
            all[g].setFillRule(Qt::OddEvenFill);
            for (const auto& contour : diagrams::glyphOutline(static_cast<Glyph>(g))) {
                QPolygonF polygon;
                polygon.reserve(static_cast<qsizetype>(contour.size()) + 1);
                for (const diagrams::Point& pt : contour) polygon << QPointF(pt.x, pt.y);
                polygon << polygon.first();
                all[g].addPolygon(polygon);
            }
        }
        return all;
    }();
    return paths[static_cast<std::size_t>(glyph)];
}

QRectF area(const Bar& bar) { return QRectF(bar.left, bar.top, bar.right - bar.left + 1, bar.bottom - bar.top + 1); }

// A ring is centred on the middle of its centre pixel.
QPointF centre(const Ring& ring) { return QPointF(ring.cx + 0.5, ring.cy + 0.5); }

void drawRing(QPainter& p, const Ring& ring, QPointF at) {
    const qreal rx = ring.width / 2.0, ry = ring.height / 2.0;
    p.setBrush(Qt::black);
    p.drawEllipse(at, rx, ry);
    p.setBrush(Qt::white);
    p.drawEllipse(at, rx - ring.stroke, ry - ring.stroke);
}

void paintVectors(QPainter& p, const diagrams::Drawing& drawing) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (const diagrams::Shape& shape : drawing.shapes()) {
        if (const auto* bar = std::get_if<Bar>(&shape)) {
            p.fillRect(area(*bar), Qt::black);
        } else if (const auto* ring = std::get_if<Ring>(&shape)) {
            drawRing(p, *ring, centre(*ring));
        } else {
            const auto& stamp = std::get<Stamp>(shape);
            p.translate(stamp.left, stamp.top);
            p.fillPath(glyphPath(stamp.glyph), Qt::black);
            p.translate(-stamp.left, -stamp.top);
        }
    }
}

// A ring or a glyph drawn once at one scale, and the pixel corner in it where the shape's
// anchor lies (a ring's centre, a glyph's top-left corner).
struct Sprite {
    QImage image;
    QPoint anchor;
};

class Sprites {
public:
    const Sprite& ring(const Ring& r, qreal sx, qreal sy) {
        return get({0, r.width, r.height, r.stroke, sx, sy}, [&] {
            const QSize size(int(std::ceil((r.width + 2) * sx)), int(std::ceil((r.height + 2) * sy)));
            return draw(size, QPoint(size.width() / 2, size.height() / 2), sx, sy,
                        [&](QPainter& p) { drawRing(p, r, QPointF(0, 0)); });
        });
    }
    const Sprite& glyph(Glyph g, qreal sx, qreal sy) {
        return get({1, int(g), 0, 0, sx, sy}, [&] {
            const auto mask = diagrams::glyphMask(g);
            const QSize size(int(std::ceil(mask[0].size() * sx)) + 2, int(std::ceil(mask.size() * sy)) + 2);
            return draw(size, QPoint(1, 1), sx, sy, [&](QPainter& p) { p.fillPath(glyphPath(g), Qt::black); });
        });
    }

private:
    struct Key {
        int kind, a, b, c;
        qreal sx, sy;
        auto operator<=>(const Key&) const = default;
    };
    template <typename Make>
    const Sprite& get(const Key& key, Make make) {
        auto it = cache_.find(key);
        if (it != cache_.end()) return it->second;
        if (cache_.size() >= 256) cache_.clear();  // many scales: start again
        return cache_.emplace(key, make()).first->second;
    }
    template <typename Paint>
    static Sprite draw(QSize size, QPoint anchor, qreal sx, qreal sy, Paint paint) {
        Sprite s{QImage(size, QImage::Format_ARGB32_Premultiplied), anchor};
        s.image.fill(Qt::transparent);
        QPainter p(&s.image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.translate(anchor);
        p.scale(sx, sy);
        paint(p);
        return s;
    }
    std::map<Key, Sprite> cache_;
};

// Everything lands on whole device pixels: lines and barres as rectangles snapped to them,
// rings and glyphs as copies of sprites drawn at the same scale.
void paintPixels(QPainter& p, const diagrams::Drawing& drawing) {
    static Sprites sprites;
    const QTransform toDevice = p.deviceTransform();
    const qreal sx = toDevice.m11(), sy = toDevice.m22();
    p.save();
    // From here on the painter's coordinates are the device's pixels.
    p.setWorldTransform(toDevice.inverted() * p.worldTransform());
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const diagrams::Shape& shape : drawing.shapes()) {
        if (const auto* bar = std::get_if<Bar>(&shape)) {
            const QRectF d = toDevice.mapRect(area(*bar));
            const int left = qRound(d.left()), top = qRound(d.top());
            p.fillRect(QRect(QPoint(left, top), QPoint(std::max(left + 1, qRound(d.right())) - 1,
                                                      std::max(top + 1, qRound(d.bottom())) - 1)),
                       Qt::black);
        } else if (const auto* ring = std::get_if<Ring>(&shape)) {
            const Sprite& s = sprites.ring(*ring, sx, sy);
            p.drawImage(toDevice.map(centre(*ring)).toPoint() - s.anchor, s.image);
        } else {
            const auto& stamp = std::get<Stamp>(shape);
            const Sprite& s = sprites.glyph(stamp.glyph, sx, sy);
            p.drawImage(toDevice.map(QPointF(stamp.left, stamp.top)).toPoint() - s.anchor, s.image);
        }
    }
    p.restore();
}

}  // namespace

void paintDiagram(QPainter& p, const diagrams::Drawing& drawing) {
    const QTransform t = p.deviceTransform();
    if (p.paintEngine()->type() == QPaintEngine::Raster && t.type() <= QTransform::TxScale && t.m11() > 0 && t.m22() > 0)
        paintPixels(p, drawing);
    else
        paintVectors(p, drawing);
}

}  // namespace rt

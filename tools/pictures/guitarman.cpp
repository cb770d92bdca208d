#include "pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>

namespace strumvane::pictures {

namespace {

const QSize kFrameSize(121, 97);

const QColor kSky(236, 240, 255);
const QColor kFloor(200, 204, 240);
const QColor kSkin(238, 196, 156);
const QColor kHair(92, 56, 28);
const QColor kShirt(200, 40, 48);
const QColor kJeans(44, 66, 150);
const QColor kShoe(30, 30, 30);
const QColor kWood(214, 136, 48);
const QColor kWoodEdge(120, 62, 20);
const QColor kNeck(96, 54, 24);
const QColor kString(235, 235, 225);
const QColor kNote(0, 0, 187);

// Where the guitar lies: body centre and the angle its neck rises at.
const QPointF kGuitarCentre(44, 64);
const double kGuitarAngle = -27.0;

QPointF onGuitar(double along, double across)
{
    const double a = kGuitarAngle * M_PI / 180.0;
    return kGuitarCentre + QPointF(along * std::cos(a) - across * std::sin(a), along * std::sin(a) + across * std::cos(a));
}

void limb(QPainter& p, const QColor& colour, double width, std::initializer_list<QPointF> points)
{
    QPainterPath path;
    auto it = points.begin();
    path.moveTo(*it);
    for (++it; it != points.end(); ++it)
        path.lineTo(*it);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void eighthNote(QPainter& p, QPointF head)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kNote);
    p.save();
    p.translate(head);
    p.rotate(-20);
    p.drawEllipse(QRectF(-3, -2, 6, 4));
    p.restore();
    p.setPen(QPen(kNote, 1.2));
    p.drawLine(head + QPointF(2.6, -0.8), head + QPointF(2.6, -11));
    QPainterPath flag(head + QPointF(2.6, -11));
    flag.cubicTo(head + QPointF(4, -8), head + QPointF(7, -7), head + QPointF(6, -3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flag);
}

void guitar(QPainter& p)
{
    p.save();
    p.translate(kGuitarCentre);
    p.rotate(kGuitarAngle);
    // Neck and headstock first, the body covers the neck's root.
    p.setPen(Qt::NoPen);
    p.setBrush(kNeck);
    p.drawRect(QRectF(18, -2.5, 46, 5));
    p.setBrush(kWoodEdge);
    p.drawRoundedRect(QRectF(63, -4, 10, 8), 1.5, 1.5);
    p.setPen(QPen(QColor(200, 200, 200), 0.8));
    for (double x = 28; x < 63; x += 6)
        p.drawLine(QPointF(x, -2.5), QPointF(x, 2.5));

    QPainterPath body;
    body.addEllipse(QPointF(0, 0), 14, 13);
    body.addEllipse(QPointF(15, 0), 10.5, 10);
    body.setFillRule(Qt::WindingFill);
    body = body.simplified();
    p.setPen(QPen(kWoodEdge, 1.5));
    p.setBrush(kWood);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(kWoodEdge);
    p.drawEllipse(QPointF(9, 0), 4, 4);
    p.drawRect(QRectF(-7, -4.5, 2.5, 9));
    p.setPen(QPen(kString, 0.6));
    for (double y : {-1.8, -0.6, 0.6, 1.8})
        p.drawLine(QPointF(-6, y), QPointF(66, y));
    p.restore();
}

QImage frame(int step)
{
    QImage image(kFrameSize, QImage::Format_RGB32);
    image.fill(kSky);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(Qt::NoPen);
    p.setBrush(kFloor);
    p.drawEllipse(QRectF(22, 84, 80, 14));

    // Legs and shoes.
    limb(p, kJeans, 8, {{56, 62}, {54, 76}, {52, 88}});
    limb(p, kJeans, 8, {{68, 62}, {71, 76}, {73, 88}});
    p.setPen(Qt::NoPen);
    p.setBrush(kShoe);
    p.drawRoundedRect(QRectF(44, 87, 12, 5), 2, 2);
    p.drawRoundedRect(QRectF(70, 87, 12, 5), 2, 2);

    // Body and head.
    QPainterPath torso;
    torso.moveTo(50, 32);
    torso.lineTo(74, 32);
    torso.lineTo(73, 64);
    torso.lineTo(51, 64);
    torso.closeSubpath();
    p.setBrush(kShirt);
    p.drawPath(torso);
    p.setBrush(kSkin);
    p.drawRect(QRectF(59, 27, 6, 6));
    p.drawEllipse(QPointF(62, 19), 9, 10);
    p.setBrush(kHair);
    QPainterPath hair;
    hair.moveTo(52.5, 19);
    hair.cubicTo(52, 7, 72, 5, 71.5, 18);
    hair.cubicTo(68, 12, 58, 12, 52.5, 19);
    p.drawPath(hair);
    p.setBrush(kShoe);
    // Eyes shut when the beat falls, open between.
    if (step % 2 == 0) {
        p.drawEllipse(QPointF(58.5, 20), 1.1, 1.3);
        p.drawEllipse(QPointF(65.5, 20), 1.1, 1.3);
    } else {
        p.setPen(QPen(kShoe, 1));
        p.drawLine(QPointF(57, 20.5), QPointF(60, 20.5));
        p.drawLine(QPointF(64, 20.5), QPointF(67, 20.5));
        p.setPen(Qt::NoPen);
    }
    p.setPen(QPen(kWoodEdge, 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(58, 21, 8, 5), 200 * 16, 140 * 16);

    guitar(p);

    // Fretting arm up the neck, strumming arm swinging over the sound hole.
    const QPointF fretHand = onGuitar(48, -1);
    limb(p, kShirt, 7, {{72, 36}, {82, 50}});
    limb(p, kSkin, 5, {{82, 50}, fretHand + QPointF(1, 3)});
    p.setPen(Qt::NoPen);
    p.setBrush(kSkin);
    p.drawEllipse(fretHand, 3.2, 3.2);

    const double swing[] = {-6, -2, 5, 1};
    const QPointF strumHand = onGuitar(6, swing[step % 4]);
    limb(p, kShirt, 7, {{52, 36}, {42, 46}});
    limb(p, kSkin, 5, {{42, 46}, strumHand});
    p.setPen(Qt::NoPen);
    p.setBrush(kSkin);
    p.drawEllipse(strumHand, 3.4, 3.4);

    // Notes drift up on the right and the left.
    const double rise = step * 3.0;
    eighthNote(p, QPointF(94, 24 - rise));
    eighthNote(p, QPointF(110, 62 - rise));
    eighthNote(p, QPointF(14, 34 - rise * 0.75));
    eighthNote(p, QPointF(24, 58 - rise * 0.75));
    p.end();
    return image;
}

// One palette for all frames: the most used colours, every other pixel moved to its nearest one.
void sharePalette(std::vector<QImage>& frames)
{
    std::map<QRgb, int> counts;
    for (const QImage& f : frames)
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x)
                ++counts[f.pixel(x, y)];
    std::vector<std::pair<int, QRgb>> byUse;
    for (const auto& [colour, count] : counts)
        byUse.emplace_back(count, colour);
    std::sort(byUse.begin(), byUse.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<QRgb> palette;
    for (std::size_t i = 0; i < byUse.size() && i < 256; ++i)
        palette.push_back(byUse[i].second);
    std::map<QRgb, QRgb> nearest;
    for (QImage& f : frames)
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x) {
                const QRgb c = f.pixel(x, y);
                auto [it, added] = nearest.try_emplace(c, c);
                if (added && std::find(palette.begin(), palette.end(), c) == palette.end()) {
                    int best = 1 << 30;
                    for (QRgb q : palette) {
                        const int dr = qRed(c) - qRed(q), dg = qGreen(c) - qGreen(q), db = qBlue(c) - qBlue(q);
                        const int d = dr * dr + dg * dg + db * db;
                        if (d < best) {
                            best = d;
                            it->second = q;
                        }
                    }
                }
                f.setPixel(x, y, it->second);
            }
}

}  // namespace

std::vector<QImage> guitarManFrames()
{
    std::vector<QImage> frames;
    for (int step = 0; step < 4; ++step)
        frames.push_back(frame(step));
    sharePalette(frames);
    return frames;
}

}  // namespace strumvane::pictures

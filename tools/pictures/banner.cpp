#include "pictures.h"
#include "pixelart.h"

#include <QFont>
#include <QPainterPath>

#include <stdexcept>

namespace strumvane::pictures {

QImage welcomeBanner()
{
    const QRgb background = qRgb(191, 191, 255);
    const QRgb ink = qRgb(0, 0, 187);
    const QRect inkBox(QPoint(7, 23), QPoint(461, 58));

    const QFont script = requireFont(QStringLiteral("Dancing Script"), 100, true);
    QPainterPath words;
    words.addText(0, 0, script, QStringLiteral("Welcome to Strumvane"));

    QImage image(476, 66, QImage::Format_RGB32);
    image.fill(background);
    // Drawn smooth into a mask, then cut at half coverage: two colours and nothing between.
    stampMask(image, fitPathToBox(words, inkBox, image.size()), ink);
    return image;
}

}  // namespace strumvane::pictures

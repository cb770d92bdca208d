// Writes every chord diagram as DIR/<id>.png, black on white, so that the pictures can be
// reviewed by eye: at its own size the one-bit picture, at SCALE times it (a high-density
// screen, a printer) the diagram as the program draws it there.
//   diagram-export DIR [SCALE]

#include "diagrams/renderer.h"
#include "runtime/picture.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>

namespace {

QImage toImage(const diagrams::Bitmap& bmp)
{
    QImage img(diagrams::Bitmap::kWidth, diagrams::Bitmap::kHeight, QImage::Format_Mono);
    img.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    img.fill(0);
    for (int y = 0; y < diagrams::Bitmap::kHeight; ++y) {
        const std::uint8_t* row = bmp.row(y);
        for (int x = 0; x < diagrams::Bitmap::kWidth; ++x)
            if (row[x])
                img.setPixel(x, y, 1);
    }
    return img;
}

QImage drawnAt(int id, double scale)
{
    const QSize own(diagrams::Bitmap::kWidth, diagrams::Bitmap::kHeight);
    QImage img((QSizeF(own) * scale).toSize(), QImage::Format_RGB32);
    img.setDevicePixelRatio(scale);
    QPainter p(&img);
    rt::LoadResPicture(id, 0).draw(p, QRect(QPoint(0, 0), own));
    return img;
}

}  // namespace

int main(int argc, char** argv)
{
    const double scale = argc == 3 ? QString::fromLocal8Bit(argv[2]).toDouble() : 1.0;
    if (argc < 2 || argc > 3 || scale < 1.0) {
        std::fprintf(stderr, "usage: diagram-export DIR [SCALE]\n");
        return 2;
    }
    const QString dirName = QString::fromLocal8Bit(argv[1]);
    QDir dir(dirName);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "diagram-export: cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (int id : diagrams::allDiagramIds()) {
        const QString path = dir.filePath(QString::number(id) + QStringLiteral(".png"));
        const QImage img = scale == 1.0 ? toImage(*diagrams::renderDiagram(id)) : drawnAt(id, scale);
        if (!img.save(path, "PNG")) {
            std::fprintf(stderr, "diagram-export: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    if (failures)
        return 1;
    std::printf("%zu diagrams written to %s\n", diagrams::allDiagramIds().size(), argv[1]);
    return 0;
}

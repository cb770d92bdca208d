// Writes every chord diagram as DIR/<id>.png at its own size, black on white,
// so that the pictures can be reviewed by eye.

#include "diagrams/renderer.h"

#include <QDir>
#include <QImage>
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: diagram-export DIR\n");
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
        if (!toImage(*diagrams::renderDiagram(id)).save(path, "PNG")) {
            std::fprintf(stderr, "diagram-export: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    if (failures)
        return 1;
    std::printf("%zu diagrams written to %s\n", diagrams::allDiagramIds().size(), argv[1]);
    return 0;
}

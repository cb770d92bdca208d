#include "runtime/picture.h"

#include "diagrams/renderer.h"
#include "runtime/diagramshapes_p.h"
#include "runtime/errors.h"
#include "runtime/widgets_p.h"

#include <QImage>
#include <QPainter>

namespace rt {

Picture::Picture(std::shared_ptr<const QImage> image, int resourceId, std::shared_ptr<const PictureShapes> shapes)
    : image_(std::move(image)), resourceId_(resourceId), shapes_(std::move(shapes)) {}

int Picture::width() const { return image_ ? image_->width() : 0; }
int Picture::height() const { return image_ ? image_->height() : 0; }

void Picture::draw(QPainter& p, const QRect& target) const {
    if (!image_) return;
    const QPaintDevice* device = p.device();
    const bool finer = device->devicePixelRatioF() > 1.0 || device->devType() == QInternal::Printer;
    if (finer && shapes_)
        drawShapes(p, target);
    else
        drawPixels(p, *image_, target);
}

void Picture::drawShapes(QPainter& p, const QRectF& target) const {
    if (!image_ || !shapes_) return;
    p.save();
    p.fillRect(target, Qt::white);
    p.translate(target.topLeft());
    p.scale(target.width() / width(), target.height() / height());
    (*shapes_)(p);
    p.restore();
}

Picture LoadPicture() { return Picture(); }

namespace {
int g_missingResource = 0;
}  // namespace

void setMissingResourceForTests(int id) { g_missingResource = id; }

Picture LoadResPicture(int id, int kind) {
    if (kind != 0) throw RuntimeError(errInvalidProcedureCall, "Invalid procedure call or argument");
    const diagrams::Fingering* fingering = id == g_missingResource ? nullptr : diagrams::findFingering(id);
    if (!fingering) throw RuntimeError(errResourceNotFound, QStringLiteral("Resource with identifier '%1' not found").arg(id));
    // One list of shapes makes both the one-bit picture and the drawing at finer resolutions.
    const diagrams::Drawing drawing = diagrams::drawingOf(*fingering);
    const diagrams::Bitmap bitmap = diagrams::rasterise(drawing);
    auto img = std::make_shared<QImage>(diagrams::Bitmap::kWidth, diagrams::Bitmap::kHeight, QImage::Format_Mono);
    img->setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    img->setDotsPerMeterX(3780);  // 96 dpi
    img->setDotsPerMeterY(3780);
    // One bit a pixel, most significant first, index 1 the ink.
    img->fill(0);
    for (int y = 0; y < diagrams::Bitmap::kHeight; ++y) {
        const std::uint8_t* row = bitmap.row(y);
        uchar* line = img->scanLine(y);
        for (int x = 0; x < diagrams::Bitmap::kWidth; ++x)
            if (row[x]) line[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
    }
    auto shapes = std::make_shared<const PictureShapes>([drawing](QPainter& p) { paintDiagram(p, drawing); });
    return Picture(std::move(img), id, std::move(shapes));
}

Picture LoadBuiltInPicture(const QString& resourcePath) {
    auto img = std::make_shared<QImage>(resourcePath);
    if (img->isNull()) return Picture();
    return Picture(std::move(img));
}

}  // namespace rt

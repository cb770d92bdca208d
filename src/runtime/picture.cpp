#include "runtime/picture.h"

#include "diagrams/renderer.h"
#include "runtime/errors.h"

#include <QImage>

namespace rt {

Picture::Picture(std::shared_ptr<const QImage> image, int resourceId) : image_(std::move(image)), resourceId_(resourceId) {}

int Picture::width() const { return image_ ? image_->width() : 0; }
int Picture::height() const { return image_ ? image_->height() : 0; }

Picture LoadPicture() { return Picture(); }

namespace {
int g_missingResource = 0;
}  // namespace

void setMissingResourceForTests(int id) { g_missingResource = id; }

Picture LoadResPicture(int id, int kind) {
    if (kind != 0) throw RuntimeError(errInvalidProcedureCall, "Invalid procedure call or argument");
    const auto bitmap = id == g_missingResource ? std::nullopt : diagrams::renderDiagram(id);
    if (!bitmap) throw RuntimeError(errResourceNotFound, QStringLiteral("Resource with identifier '%1' not found").arg(id));
    auto img = std::make_shared<QImage>(diagrams::Bitmap::kWidth, diagrams::Bitmap::kHeight, QImage::Format_Mono);
    img->setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    img->setDotsPerMeterX(3780);  // 96 dpi
    img->setDotsPerMeterY(3780);
    // One bit a pixel, most significant first, index 1 the ink.
    img->fill(0);
    for (int y = 0; y < diagrams::Bitmap::kHeight; ++y) {
        const std::uint8_t* row = bitmap->row(y);
        uchar* line = img->scanLine(y);
        for (int x = 0; x < diagrams::Bitmap::kWidth; ++x)
            if (row[x]) line[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
    }
    return Picture(std::move(img), id);
}

Picture LoadBuiltInPicture(const QString& resourcePath) {
    auto img = std::make_shared<QImage>(resourcePath);
    if (img->isNull()) return Picture();
    return Picture(std::move(img));
}

}  // namespace rt

// Chord diagrams as every view shows them, at the screen's own resolution. Where a device
// pixel is a logical pixel a view shows the one-bit picture as it always has; on a finer
// screen (CTest runs these again with QT_SCALE_FACTOR=2 and 1.5) it draws the diagram's
// shapes at the screen's resolution: no enlarged copy of the one-bit picture, yet reduced
// back to the picture's own 241 x 312 pixels it agrees with the one-bit picture.
#include "app/frmpartial.h"
#include "app/windows.h"
#include "diagrams/fingering.h"
#include "lessons/core/frmprintme.h"
#include "lessons/dimaug/frmdimaug.h"
#include "lessons/dimaug/frmsymmetric.h"
#include "lessons/majorminor/frmbasic.h"
#include "runtime/picture.h"
#include "support/uitest.h"

#include <QImage>

#include <cmath>

namespace {

QImage grey(const QImage& img) { return img.convertToFormat(QImage::Format_Grayscale8); }

// How a view of the given logical size showed the one-bit picture at one device pixel to a
// logical pixel: area-averaged into the box, one-pixel lines kept as grey.
QImage oneBitView(const rt::Picture& p, QSize logical) {
    const QImage g = grey(*p.image());
    return g.size() == logical ? g : g.scaled(logical, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The share of pixels on the same side of mid-grey in two images of one size.
double agreement(const QImage& a, const QImage& b) {
    int same = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) same += (qGray(a.pixel(x, y)) < 128) == (qGray(b.pixel(x, y)) < 128);
    return double(same) / (a.width() * a.height());
}

// The blocks of dpr x dpr device pixels, dpr whole, that are not one colour: none in a copy
// of a logical-size picture with every pixel multiplied.
int mixedBlocks(const QImage& shown, int dpr) {
    int mixed = 0;
    for (int y = 0; y + dpr <= shown.height(); y += dpr)
        for (int x = 0; x + dpr <= shown.width(); x += dpr) {
            const uchar first = shown.constScanLine(y)[x];
            bool uniform = true;
            for (int dy = 0; dy < dpr && uniform; ++dy)
                for (int dx = 0; dx < dpr && uniform; ++dx) uniform = shown.constScanLine(y + dy)[x + dx] == first;
            mixed += !uniform;
        }
    return mixed;
}

// The image's diagram as the screen shows it, against the one-bit picture.
void expectDrawnForTheScreen(const rt::Image& image) {
    QWidget* w = image.widget();
    const rt::Picture& picture = image.Picture();
    ASSERT_FALSE(picture.isEmpty());
    const qreal dpr = w->devicePixelRatioF();
    const QImage shown = grey(w->grab().toImage());
    const QImage one = oneBitView(picture, w->size());
    ASSERT_EQ(shown.size(), (QSizeF(w->size()) * dpr).toSize());
    if (dpr == 1.0) {
        EXPECT_TRUE(shown == one) << "the one-bit picture, unchanged";
        return;
    }
    // Not the one-bit picture enlarged to the device's pixels, as it showed before, nor any
    // picture of the logical size with its pixels multiplied.
    const QImage enlarged = grey(*picture.image()).scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_FALSE(shown == enlarged) << "the one-bit picture enlarged";
    if (dpr == std::floor(dpr)) {
        const int blocks = (shown.width() / int(dpr)) * (shown.height() / int(dpr));
        EXPECT_GE(mixedBlocks(shown, int(dpr)), blocks / 100) << "a picture of the logical size with its pixels multiplied";
    }
    // Reduced back to the picture's own pixels: the same grid, dots and marks in the same places.
    const QImage own = grey(*picture.image());
    EXPECT_GE(agreement(shown.scaled(own.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation), own), 0.97);
}

class DiagramViewsTest : public UiTest {};

TEST_F(DiagramViewsTest, EveryDiagramInTheLessonWindowsImage) {
    auto& basic = rt::instance<frmBasic>();
    basic.Show();
    basic.imgChord.setVisible(true);
    for (int id : diagrams::allDiagramIds()) {
        SCOPED_TRACE(id);
        basic.imgChord.setPicture(rt::LoadResPicture(id, 0));
        ASSERT_NO_FATAL_FAILURE(expectDrawnForTheScreen(basic.imgChord));
    }
}

TEST_F(DiagramViewsTest, ThePagesAndThePrintPreview) {
    openPartial();
    auto& partial = rt::instance<frmPartial>();
    rt::instance<frmDimAug>().Show();
    click(rt::instance<frmDimAug>(), "cmdMoreDim");
    auto& symmetric = rt::instance<frmSymmetric>();
    auto& preview = rt::instance<frmPrintMe>();
    preview.Show();
    preview.Image1.setPicture(rt::LoadResPicture(142, 0));  // mute mark and dot on one string
    settle();
    for (const rt::Image* image : {&partial.imgPartial1, &partial.imgPartial2, &partial.imgPartial3,
                                   &partial.imgPartial4, &symmetric.imgSymmetric1, &preview.Image1}) {
        SCOPED_TRACE(image->widget()->objectName().toStdString());
        ASSERT_NO_FATAL_FAILURE(expectDrawnForTheScreen(*image));
    }
}

}  // namespace

#include "runtime/printer.h"

#include "runtime/cupsprinter_p.h"
#include "runtime/errors.h"
#include "runtime/faults.h"
#include "runtime/form.h"
#include "runtime/widgets_p.h"

#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryFile>

#include <optional>

namespace rt {

namespace {
QString g_printFile;
bool g_noPrinter = false;

RuntimeError printerError() { return RuntimeError(errPrinter, "Printer error"); }

// A font of the same size as on the screen, in screen pixels, so that the painter's scale
// alone maps it to the page.
QFont screenSized(const QWidget* w) {
    QFont f = w->font();
    f.setPixelSize(QFontInfo(w->font()).pixelSize());
    return f;
}

// A one-bit picture with the colour table the PDF writer keeps as a lossless bitmap
// (black first); any other picture as it is.
QImage forPage(const QImage& img) {
    if (img.depth() != 1 || img.colorTable().size() != 2) return img;
    QImage bw = img.convertToFormat(QImage::Format_RGB32).convertToFormat(
        QImage::Format_Mono, QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}, Qt::ThresholdDither);
    return bw;
}

// Paints a widget's visible children as they show now, in stacking order, at whatever
// resolution the painter's device has: text as text, pictures as shapes where they have
// them, else from their own pixels.
void paintChildren(QPainter& p, const QWidget* parent, QPoint origin) {
    for (const QObject* o : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(o);
        if (!w || w->isHidden() || w->isWindow()) continue;
        const QRect r = w->geometry().translated(origin);
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
        if (w->autoFillBackground()) p.fillRect(r, w->palette().color(w->backgroundRole()));
        if (const auto* img = dynamic_cast<const ImageWidget*>(w)) {
            if (!img->picture.isEmpty()) {
                const int b = img->border ? 2 : 0;
                const QRect target = img->stretch ? r : QRect(r.topLeft() + QPoint(b, b), r.size() - QSize(2 * b, 2 * b));
                // A chord diagram goes to the page as shapes, as sharp as the printer can print.
                if (img->picture.hasShapes())
                    img->picture.drawShapes(p, target);
                else
                    p.drawImage(target, forPage(*img->picture.image()));
            }
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            p.setFont(screenSized(label));
            p.setPen(label->palette().color(QPalette::WindowText));
            p.drawText(r, int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
        } else {
            // Anything else is drawn as the screen shows it, at the page's resolution.
            const qreal scale = p.deviceTransform().m11();
            QImage shot(r.size() * scale, QImage::Format_ARGB32_Premultiplied);
            shot.setDevicePixelRatio(scale);
            shot.fill(Qt::transparent);
            const_cast<QWidget*>(w)->render(&shot, QPoint(), QRegion(), QWidget::DrawWindowBackground);
            p.drawImage(r, shot);
        }
        p.restore();
        if (!qobject_cast<const QLabel*>(w)) paintChildren(p, w, r.topLeft());
    }
}
}  // namespace

void setPrintToFile(const QString& pdfPath) { g_printFile = pdfPath; }
void simulateNoPrinter(bool none) { g_noPrinter = none; }

void Form::PrintForm() {
    if (!window_) throw RuntimeError(errObjectUnloaded, "Object was unloaded");
    raiseIfSimulated(*this, Operation::PrintForm);
    if (g_noPrinter) throw printerError();
    QPrinter printer(QPrinter::HighResolution);
    std::optional<CupsPrinter> destination;
    QTemporaryFile spooled(QDir::tempPath() + QStringLiteral("/strumvane-page-XXXXXX.pdf"));
    if (!g_printFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(g_printFile);
    } else {
        destination = CupsPrinter::findDefault();
        // Laid out for the printer's paper as Qt's CUPS engine would, but painted into a
        // PDF file that is sent from here: that engine never tells whether CUPS took the job.
        printer.setPrinterName(destination->qtName());
        const QPageLayout layout = printer.pageLayout();
        if (!spooled.open()) throw RuntimeError(errPrinter, spooled.errorString());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(spooled.fileName());
        printer.setPageLayout(layout);
    }
    printer.setDocName(window_->windowTitle());

    QPainter painter;
    if (!painter.begin(&printer)) throw printerError();

    // The window's inside at its true size (as on a 96 dpi screen), drawn at the printer's
    // own resolution so text stays sharp; shrunk only if the page is smaller.
    QWidget* client = window_->client();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double screenDpi = screen ? screen->logicalDotsPerInch() : 96.0;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    double scale = printer.resolution() / screenDpi;
    scale = std::min({scale, page.width() / double(client->width()), page.height() / double(client->height())});
    painter.translate((page.width() - client->width() * scale) / 2.0, 0);
    painter.scale(scale, scale);
    // Qt's own widget rendering would put the page through one large JPEG-compressed raster;
    // painting the controls directly keeps text as text and the diagram's pixels exact.
    painter.fillRect(client->rect(), client->palette().color(QPalette::Window));
    paintChildren(painter, client, QPoint(0, 0));
    if (!painter.end()) throw printerError();
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) throw printerError();
    if (destination) destination->submitPdf(spooled.fileName(), printer.docName(), printer.pageLayout().pageSize().key());
}

}  // namespace rt

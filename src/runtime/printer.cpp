#include "runtime/printer.h"

#include "runtime/errors.h"
#include "runtime/form.h"
#include "runtime/widgets_p.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

namespace rt {

namespace {
QString g_printFile;
bool g_noPrinter = false;

RuntimeError printerError() { return RuntimeError(errPrinter, "Printer error"); }
}  // namespace

void setPrintToFile(const QString& pdfPath) { g_printFile = pdfPath; }
void simulateNoPrinter(bool none) { g_noPrinter = none; }

void Form::PrintForm() {
    if (!window_) throw RuntimeError(errObjectUnloaded, "Object was unloaded");
    if (g_noPrinter) throw printerError();
    QPrinter printer(QPrinter::HighResolution);
    if (!g_printFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(g_printFile);
    } else {
        const QPrinterInfo def = QPrinterInfo::defaultPrinter();
        if (def.isNull()) throw printerError();
        printer.setPrinterName(def.printerName());
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
    client->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    if (!painter.end()) throw printerError();
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) throw printerError();
}

}  // namespace rt

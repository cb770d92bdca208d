#include "runtime/cupsprinter_p.h"

#include "runtime/errors.h"

#include <QFile>

#include <cups/cups.h>

#include <cstring>

namespace rt {

namespace {

// How long to wait for the scheduler or a network printer to answer.
constexpr int kConnectTimeoutMs = 30000;

[[noreturn]] void fail(const QString& what) {
    throw RuntimeError(errPrinter, QStringLiteral("%1: %2").arg(what, QString::fromUtf8(cupsLastErrorString())));
}

bool refused(ipp_status_t status) { return status > IPP_STATUS_OK_CONFLICTING; }

// Everything one job holds open, released on every way out.
struct Connection {
    http_t* http = nullptr;
    cups_dinfo_t* info = nullptr;
    ~Connection() {
        if (info) cupsFreeDestInfo(info);
        if (http) httpClose(http);
    }
};

}  // namespace

void CupsPrinter::FreeDest::operator()(cups_dest_t* d) const { cupsFreeDests(1, d); }

CupsPrinter::CupsPrinter(cups_dest_t* dest) : dest_(dest) {}
CupsPrinter::~CupsPrinter() = default;
CupsPrinter::CupsPrinter(CupsPrinter&&) noexcept = default;
CupsPrinter& CupsPrinter::operator=(CupsPrinter&&) noexcept = default;

CupsPrinter CupsPrinter::findDefault() {
    // LPDEST, PRINTER, the user's and the system's lpoptions, then the scheduler's default,
    // as every CUPS program chooses it.
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest) fail(QStringLiteral("No default printer"));
    CupsPrinter printer(dest);
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    if (accepting && std::strcmp(accepting, "false") == 0)
        throw RuntimeError(errPrinter, QStringLiteral("%1 is not accepting jobs").arg(printer.qtName()));
    return printer;
}

QString CupsPrinter::qtName() const {
    QString name = QString::fromUtf8(dest_->name);
    if (dest_->instance) name += '/' + QString::fromUtf8(dest_->instance);
    return name;
}

void CupsPrinter::submitPdf(const QString& path, const QString& title, const QString& media) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(errPrinter, QStringLiteral("Cannot read the page: %1").arg(file.errorString()));

    cups_dest_t* dest = dest_.get();
    Connection c;
    c.http = cupsConnectDest(dest, CUPS_DEST_FLAGS_NONE, kConnectTimeoutMs, nullptr, nullptr, 0, nullptr, nullptr);
    if (!c.http) fail(QStringLiteral("Cannot reach the printer"));
    c.info = cupsCopyDestInfo(c.http, dest);
    if (!c.info) fail(QStringLiteral("Cannot ask the printer"));

    const QByteArray titleUtf8 = title.toUtf8();
    const QByteArray mediaUtf8 = media.toUtf8();
    cups_option_t* options = nullptr;
    int count = 0;
    if (!media.isEmpty()) count = cupsAddOption(CUPS_MEDIA, mediaUtf8.constData(), count, &options);
    int job = 0;
    const ipp_status_t created = cupsCreateDestJob(c.http, dest, c.info, &job, titleUtf8.constData(), count, options);
    cupsFreeOptions(count, options);
    if (refused(created) || job <= 0) fail(QStringLiteral("The printer refused the job"));

    // A failure from here on cancels the job, so that no half-sent job is left waiting.
    QString failed;
    auto note = [&](const char* what) {
        failed = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromUtf8(cupsLastErrorString()));
    };
    if (cupsStartDestDocument(c.http, dest, c.info, job, titleUtf8.constData(), CUPS_FORMAT_PDF, 0, nullptr, 1) !=
        HTTP_STATUS_CONTINUE) {
        note("The printer refused the page");
    } else {
        char buffer[65536];
        qint64 n = 0;
        while (failed.isEmpty() && (n = file.read(buffer, sizeof buffer)) > 0)
            if (cupsWriteRequestData(c.http, buffer, size_t(n)) != HTTP_STATUS_CONTINUE) note("The page was not sent");
        if (n < 0) failed = QStringLiteral("Cannot read the page: %1").arg(file.errorString());
        // Ends the request either way; its answer is the printer's word on the document.
        const ipp_status_t finished = cupsFinishDestDocument(c.http, dest, c.info);
        if (failed.isEmpty() && refused(finished)) note("The printer refused the page");
    }
    if (!failed.isEmpty()) {
        cupsCancelDestJob(c.http, dest, job);
        throw RuntimeError(errPrinter, failed);
    }
}

}  // namespace rt

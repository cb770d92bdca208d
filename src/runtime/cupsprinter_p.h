#pragma once
// The default printer as CUPS knows it. Qt's CUPS engine hands its page to CUPS and never
// says whether CUPS took it, so the page is sent from here, and every failure libcups
// reports raises a RuntimeError. Internal to the layer.

#include <QString>

#include <memory>

typedef struct cups_dest_s cups_dest_t;

namespace rt {

class CupsPrinter {
public:
    // The default destination. Raises when there is none or it rejects jobs; a paused
    // queue that still accepts jobs is no failure: the job waits there.
    static CupsPrinter findDefault();
    ~CupsPrinter();
    CupsPrinter(CupsPrinter&&) noexcept;
    CupsPrinter& operator=(CupsPrinter&&) noexcept;

    // The destination as Qt Print Support names it ("queue" or "queue/instance").
    QString qtName() const;

    // Sends a PDF file as one job on the given paper ("A4", "Letter"). Returns when CUPS
    // has the whole document; raises when the job is refused or the document not sent.
    void submitPdf(const QString& path, const QString& title, const QString& media) const;

private:
    struct FreeDest {
        void operator()(cups_dest_t* d) const;
    };
    explicit CupsPrinter(cups_dest_t* dest);
    std::unique_ptr<cups_dest_t, FreeDest> dest_;
};

}  // namespace rt

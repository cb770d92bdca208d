#pragma once
// Where PrintForm sends its page. Normally the default printer, through CUPS; tests send
// it to a PDF file.

#include <QString>

namespace rt {

// An empty path restores the default printer.
void setPrintToFile(const QString& pdfPath);
// For tests: behave as a machine with no printer installed.
void simulateNoPrinter(bool none);

}  // namespace rt

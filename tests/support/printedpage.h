#pragma once
// Checks the page the print preview prints for a chord: one page, and at 96 dpi (where it
// shows the window's inside at its own size) the diagram's grid, the window's inside centred
// across the page, the fret label right of the grid, the chord name below it and nothing
// where the hidden button stood.

#include <QString>
#include <QStringList>

class QImage;

namespace printedpage {

// The PDF's text as pdftotext reads it.
QString pageText(const QString& pdf);
// Whether a page's text holds the preview's button caption "P r i n t", its blanks closed
// up or not as pdftotext may read them.
bool holdsPrintButton(const QString& text);

// Renders the PDF's page to pngBase + ".png" and checks it, and that the page's text holds
// each of texts (the fret label and the chord name print as text). Call it under
// ASSERT_NO_FATAL_FAILURE: it stops at the first check that leaves nothing to look at.
void expectChordPage(const QString& pdf, const QString& pngBase, const QStringList& texts);

// Checks that the page holds the chord diagram as sharp as the printer prints: drawn as
// shapes, or as an image of at least 600 ppi (pdfimages -list); and that the page rendered at
// 600 dpi (pngBase + "-600.png" keeps the diagram's part of it) and reduced to the picture's
// own pixels agrees with the one-bit picture, diagram diagramId, on at least 97% of them and
// nearly everywhere inside each ring (its finger number) and each open or mute mark. Call it
// under ASSERT_NO_FATAL_FAILURE.
void expectSharpDiagram(const QString& pdf, const QString& pngBase, const QImage& picture, int diagramId);

}  // namespace printedpage

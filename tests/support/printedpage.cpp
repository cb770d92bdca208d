#include "printedpage.h"

#include "diagrams/drawing.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <variant>

namespace printedpage {

namespace {
QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The longest run of dark pixels in a row: its length and where it starts.
std::pair<int, int> longestDarkRun(const QImage& page, int y) {
    const uchar* line = page.constScanLine(y);
    int run = 0, best = 0, bestStart = 0;
    for (int x = 0; x < page.width(); ++x) {
        run = line[x] < 128 ? run + 1 : 0;
        if (run > best) best = run, bestStart = x - run + 1;
    }
    return {best, bestStart};
}
}  // namespace

QString pageText(const QString& pdf) { return run("pdftotext", {pdf, "-"}); }

bool holdsPrintButton(const QString& text) {
    static const QRegularExpression button(QStringLiteral("P\\s*r\\s*i\\s*n\\s*t"));
    return text.contains(button);
}

void expectChordPage(const QString& pdf, const QString& pngBase, const QStringList& texts) {
    const QString words = pageText(pdf);
    for (const QString& t : texts) EXPECT_TRUE(words.contains(t)) << t.toStdString() << " not in: " << words.toStdString();
    EXPECT_FALSE(holdsPrintButton(words)) << "the hidden button is in the text: " << words.toStdString();

    const QString infoOut = run("pdfinfo", {pdf});
    EXPECT_TRUE(infoOut.contains(QRegularExpression("Pages:\\s+1\\b"))) << infoOut.toStdString();

    run("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, pngBase});
    const QImage page = QImage(pngBase + ".png").convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(page.isNull()) << "no page rendered";

    // The diagram's grid: rows of ink about 186 pixels long.
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    QList<int> gridRows;
    int gridLeft = page.width(), gridRight = 0;
    for (int y = 0; y < page.height(); ++y) {
        const auto [best, start] = longestDarkRun(page, y);
        if (best >= 180 && best <= 192) {
            gridRows << y;
            gridLeft = qMin(gridLeft, start);
            gridRight = qMax(gridRight, start + best - 1);
        }
    }
    ASSERT_GE(gridRows.size(), 6 * 3) << "no chord diagram on the page";  // six fret lines, three or four rows each
    const int gridTop = gridRows.first(), gridBottom = gridRows.last();
    EXPECT_NEAR(gridBottom - gridTop, 280 - 26, 3);
    auto inkIn = [&](QRect r) {
        int n = 0;
        for (int y = qMax(0, r.top()); y <= qMin(page.height() - 1, r.bottom()); ++y)
            for (int x = qMax(0, r.left()); x <= qMin(page.width() - 1, r.right()); ++x) n += dark(x, y);
        return n;
    };
    // The preview's inside is 5640 twips (376 pixels) wide, its diagram 600 twips (40 pixels)
    // in and the grid from the picture's column 24: the page centres that inside across it.
    const double insideCentre = gridLeft - (40 + 24) + 376 / 2.0;
    EXPECT_NEAR(insideCentre, page.width() / 2.0, 12) << "the window's image is not centred across the page";
    // The fret label stands right of the first fret space; the chord name below the diagram.
    EXPECT_GT(inkIn(QRect(QPoint(gridRight + 20, gridTop - 10), QPoint(gridRight + 120, gridTop + 50))), 40) << "no fret label";
    EXPECT_GT(inkIn(QRect(QPoint(gridLeft - 40, gridBottom + 40), QPoint(gridRight, gridBottom + 110))), 40) << "no chord name";
    // Nothing where the hidden button stood, at the lower right.
    EXPECT_EQ(inkIn(QRect(QPoint(gridRight + 20, gridBottom + 90), QPoint(gridRight + 140, gridBottom + 150))), 0)
        << "the button was printed";
}

void expectSharpDiagram(const QString& pdf, const QString& pngBase, const QImage& picture, int diagramId) {
    // Every image on the page (the diagram, if it went as one) at 600 ppi or more.
    const QStringList images = run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
    for (const QString& row : images) {
        const QStringList cols = row.simplified().split(' ');
        ASSERT_GE(cols.size(), 14) << row.toStdString();
        EXPECT_GE(cols[12].toInt(), 600) << "an image below 600 ppi: " << row.toStdString();
        EXPECT_GE(cols[13].toInt(), 600) << "an image below 600 ppi: " << row.toStdString();
    }

    constexpr double kDpi = 600;
    run("pdftoppm", {"-r", QString::number(kDpi), "-gray", "-singlefile", pdf, pngBase + "-600"});
    QImageReader::setAllocationLimit(512);  // a whole page at 600 dpi
    const QImage page = QImage(pngBase + "-600.pgm").convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(page.isNull()) << "no page rendered";
    QFile::remove(pngBase + "-600.pgm");

    // The grid's top line is the first row that runs the grid's whole width (columns 24 to
    // 209 of the picture); its length gives the page's scale, its start the picture's corner.
    int longest = 0;
    for (int y = 0; y < page.height(); ++y) longest = std::max(longest, longestDarkRun(page, y).first);
    ASSERT_GT(longest, 186 * kDpi / 96 * 0.5) << "no chord diagram on the page";
    int top = 0;
    while (longestDarkRun(page, top).first < longest * 0.98) ++top;
    const double scale = longest / 186.0;
    const double left = longestDarkRun(page, top).second - 24 * scale, upper = top - 26 * scale;
    EXPECT_GE(scale, kDpi / 96 * 0.9) << "the diagram is printed smaller than on the screen";

    const QImage own = picture.convertToFormat(QImage::Format_Grayscale8);
    const QRect area = QRectF(left, upper, own.width() * scale, own.height() * scale).toAlignedRect();
    page.copy(area).save(pngBase + "-600.png");
    // Whether the page is dark over a picture pixel: its pixels there, averaged.
    auto printedDark = [&](int x, int y) {
        const int x0 = qRound(left + x * scale), x1 = qRound(left + (x + 1) * scale);
        const int y0 = qRound(upper + y * scale), y1 = qRound(upper + (y + 1) * scale);
        long sum = 0, n = 0;
        for (int py = qMax(0, y0); py < qMin(page.height(), y1); ++py)
            for (int px = qMax(0, x0); px < qMin(page.width(), x1); ++px) sum += page.constScanLine(py)[px], ++n;
        return n > 0 && sum < 128 * n;
    };
    auto shownDark = [&](int x, int y) { return own.constScanLine(y)[x] < 128; };
    int same = 0;
    for (int y = 0; y < own.height(); ++y)
        for (int x = 0; x < own.width(); ++x) same += printedDark(x, y) == shownDark(x, y);
    EXPECT_GE(same, 0.97 * own.width() * own.height()) << same << " of " << own.width() * own.height() << " pixels agree";

    // Where a few pixels matter: the finger number inside each ring and each open or mute
    // mark above the strings print as the screen shows them.
    const diagrams::Fingering* fingering = diagrams::findFingering(diagramId);
    ASSERT_NE(fingering, nullptr) << "no diagram " << diagramId;
    const auto drawing = diagrams::drawingOf(*fingering);
    for (const diagrams::Shape& shape : drawing.shapes()) {
        QString what;
        std::function<bool(int, int)> inside;
        QRect box;
        if (const auto* ring = std::get_if<diagrams::Ring>(&shape)) {
            // The paper inside the ring's stroke, half a pixel clear of it.
            const double rx = ring->width / 2.0 - ring->stroke - 0.5, ry = ring->height / 2.0 - ring->stroke - 0.5;
            what = QStringLiteral("the finger number in the ring at %1,%2").arg(ring->cx).arg(ring->cy);
            box = QRect(QPoint(ring->cx - int(rx), ring->cy - int(ry)), QPoint(ring->cx + int(rx), ring->cy + int(ry)));
            inside = [=](int x, int y) {
                const double dx = (x - ring->cx) / rx, dy = (y - ring->cy) / ry;
                return dx * dx + dy * dy <= 1;
            };
        } else if (const auto* stamp = std::get_if<diagrams::Stamp>(&shape);
                   stamp && (stamp->glyph == diagrams::Glyph::Open || stamp->glyph == diagrams::Glyph::Mute)) {
            const auto mask = diagrams::glyphMask(stamp->glyph);
            what = QStringLiteral("the %1 mark at %2,%3")
                       .arg(stamp->glyph == diagrams::Glyph::Open ? "open" : "mute")
                       .arg(stamp->left)
                       .arg(stamp->top);
            box = QRect(stamp->left, stamp->top, int(mask[0].size()), int(mask.size()));
            inside = [](int, int) { return true; };
        } else {
            continue;
        }
        int ink = 0, differ = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (inside(x, y)) ink += shownDark(x, y), differ += printedDark(x, y) != shownDark(x, y);
        EXPECT_GT(ink, 0) << what.toStdString() << " shows no ink on the screen";
        EXPECT_LE(differ, std::max(2, ink / 5))
            << what.toStdString() << " prints unlike the screen: " << differ << " pixels differ, " << ink << " inked on the screen";
    }
}

}  // namespace printedpage

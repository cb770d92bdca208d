#include "printedpage.h"

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace printedpage {

void expectChordPage(const QString& pdf, const QString& pngBase, const QStringList& texts) {
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(20000)) << "pdftotext did not finish";
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString& t : texts) EXPECT_TRUE(words.contains(t)) << t.toStdString() << " not in: " << words.toStdString();
    // The button is hidden on the page (pdftotext may close up its caption's blanks).
    EXPECT_FALSE(words.contains(QRegularExpression("P\\s*r\\s*i\\s*n\\s*t"))) << words.toStdString();

    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(20000)) << "pdfinfo did not finish";
    const QString infoOut = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(infoOut.contains(QRegularExpression("Pages:\\s+1\\b"))) << infoOut.toStdString();

    QProcess render;
    render.setProcessChannelMode(QProcess::MergedChannels);
    render.start("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, pngBase});
    ASSERT_TRUE(render.waitForFinished(20000)) << "pdftoppm did not finish";
    ASSERT_EQ(render.exitStatus() == QProcess::NormalExit ? render.exitCode() : -1, 0) << render.readAll().toStdString();
    const QImage page = QImage(pngBase + ".png").convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(page.isNull());

    // The diagram's grid: rows of ink about 186 pixels long.
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    QList<int> gridRows;
    int gridLeft = page.width(), gridRight = 0;
    for (int y = 0; y < page.height(); ++y) {
        int run = 0, best = 0, bestEnd = 0;
        for (int x = 0; x < page.width(); ++x) {
            run = dark(x, y) ? run + 1 : 0;
            if (run > best) best = run, bestEnd = x;
        }
        if (best >= 180 && best <= 192) {
            gridRows << y;
            gridLeft = qMin(gridLeft, bestEnd - best + 1);
            gridRight = qMax(gridRight, bestEnd);
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
    // The fret label stands right of the first fret space; the chord name below the diagram.
    EXPECT_GT(inkIn(QRect(QPoint(gridRight + 20, gridTop - 10), QPoint(gridRight + 120, gridTop + 50))), 40) << "no fret label";
    EXPECT_GT(inkIn(QRect(QPoint(gridLeft - 40, gridBottom + 40), QPoint(gridRight, gridBottom + 110))), 40) << "no chord name";
    // Nothing where the hidden button stood, at the lower right.
    EXPECT_EQ(inkIn(QRect(QPoint(gridRight + 20, gridBottom + 90), QPoint(gridRight + 140, gridBottom + 150))), 0)
        << "the button was printed";
}

}  // namespace printedpage

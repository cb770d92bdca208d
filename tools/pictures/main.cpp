// Draws every picture the windows carry and writes them under the folder given on the command line:
//   draw-pictures <resources folder>
// Needs a Qt platform, e.g. QT_QPA_PLATFORM=offscreen. Checks what it wrote and fails loudly.

#include "gifwriter.h"
#include "pictures.h"
#include "pixelart.h"

#include <QBitmap>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QMovie>
#include <QSet>

#include <cstdio>
#include <stdexcept>

using namespace strumvane::pictures;

namespace {

QDir outputDir;

void require(bool condition, const QString& what)
{
    if (!condition)
        throw std::runtime_error(what.toStdString());
}

QString pathOf(const QString& relative)
{
    const QString path = outputDir.filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    return path;
}

void writeImage(const QImage& image, const QString& relative, QSize expected)
{
    require(image.size() == expected, relative + ": wrong size");
    require(image.save(pathOf(relative), "PNG"), relative + ": could not write");
    std::printf("wrote %s (%dx%d)\n", qPrintable(relative), image.width(), image.height());
}

void writeBytes(const QByteArray& bytes, const QString& relative)
{
    QFile file(pathOf(relative));
    require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), relative + ": could not write");
    std::printf("wrote %s (%lld bytes)\n", qPrintable(relative), static_cast<long long>(bytes.size()));
}

QSet<QRgb> coloursOf(const QImage& image)
{
    QSet<QRgb> colours;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            colours.insert(argb.pixel(x, y));
    return colours;
}

void checkColours(const QImage& image, const QSet<QRgb>& allowed, const QString& what)
{
    for (QRgb c : coloursOf(image))
        require(allowed.contains(c), what + QStringLiteral(": stray colour #%1").arg(c, 8, 16, QLatin1Char('0')));
}

void checkBanner(const QImage& banner)
{
    const QRgb background = qRgb(191, 191, 255), ink = qRgb(0, 0, 187);
    checkColours(banner, {background, ink}, QStringLiteral("banner"));
    const QRect box = inkBounds(banner, background);
    std::printf("banner ink %d-%d, %d-%d\n", box.left(), box.right(), box.top(), box.bottom());
    require(box == QRect(QPoint(7, 23), QPoint(461, 58)), QStringLiteral("banner: ink outside its box"));
}

void checkOtherSymbols(const QImage& picture)
{
    const QRgb white = qRgb(255, 255, 255), purple = qRgb(128, 0, 128);
    checkColours(picture, {white, qRgb(0, 0, 0), purple}, QStringLiteral("other symbols"));
    // Right of the drawings and below them only the rules may show.
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y);
            const bool rule = (y >= 172 && y <= 174) || (y >= 257 && y <= 259) || (y >= 334 && y <= 337);
            if ((x > 359 || y > 403) && c != white)
                require(rule && c == purple, QStringLiteral("other symbols: ink at %1,%2").arg(x).arg(y));
        }
}

// Reads the pair back the way QCursor(QBitmap, QBitmap) will get it: the fingertip is outline
// (1 in both), the palm is inside (1 in the bitmap, 0 in the mask), the corner is transparent.
void checkHandBitmaps()
{
    auto bit = [](const QString& name, int x, int y) {
        const QImage file(outputDir.filePath(name));
        require(file.depth() == 1, name + ": not one bit deep");
        const QImage bits = QBitmap::fromImage(file).toImage();
        return bits.pixelColor(x, y) == QColor(Qt::black);
    };
    const QString bitmap = QStringLiteral("cursors/hand-bitmap.png"), mask = QStringLiteral("cursors/hand-mask.png");
    require(bit(bitmap, 6, 0) && bit(mask, 6, 0), QStringLiteral("hand: fingertip is not outline"));
    require(bit(bitmap, 12, 20) && !bit(mask, 12, 20), QStringLiteral("hand: palm does not invert"));
    require(!bit(bitmap, 31, 0) && !bit(mask, 31, 0), QStringLiteral("hand: corner is not transparent"));
}

// The encoder on pictures that reach its corners: two colours (smallest code size), one pixel,
// and noise in 256 colours that fills the code table several times over.
void checkGifEncoder()
{
    std::vector<QImage> samples;
    QImage two(37, 5, QImage::Format_RGB32);
    for (int y = 0; y < two.height(); ++y)
        for (int x = 0; x < two.width(); ++x)
            two.setPixel(x, y, (x * x + y) % 3 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    samples.push_back(two);
    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(qRgb(10, 20, 30));
    samples.push_back(one);
    QImage noise(160, 120, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const int v = (seed >> 16) & 0xff;
            noise.setPixel(x, y, qRgb(v, 255 - v, (v * 7) & 0xff));
        }
    samples.push_back(noise);
    for (const QImage& sample : samples) {
        QByteArray bytes = encodeAnimatedGif({sample, sample}, 10);
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "gif");
        for (int i = 0; i < 2; ++i)
            require(reader.read().convertToFormat(QImage::Format_RGB32) == sample,
                    QStringLiteral("GIF encoder: %1x%2 picture does not read back").arg(sample.width()).arg(sample.height()));
    }
}

void checkGif(const std::vector<QImage>& frames, int delay)
{
    const QString path = outputDir.filePath(QStringLiteral("GuitarMan.gif"));
    QImageReader reader(path);
    require(reader.format() == "gif", QStringLiteral("GuitarMan.gif: not read as GIF"));
    require(reader.imageCount() == static_cast<int>(frames.size()), QStringLiteral("GuitarMan.gif: frame count"));
    require(reader.loopCount() == -1, QStringLiteral("GuitarMan.gif: does not loop for ever"));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const QImage back = reader.read().convertToFormat(QImage::Format_RGB32);
        require(!back.isNull(), QStringLiteral("GuitarMan.gif: frame %1 unreadable").arg(i));
        require(reader.nextImageDelay() == delay * 10 || i + 1 == frames.size(),
                QStringLiteral("GuitarMan.gif: frame %1 delay").arg(i));
        require(back == frames[i].convertToFormat(QImage::Format_RGB32),
                QStringLiteral("GuitarMan.gif: frame %1 differs").arg(i));
    }
    QMovie movie(path);
    require(movie.isValid() && movie.frameCount() == static_cast<int>(frames.size()),
            QStringLiteral("GuitarMan.gif: QMovie cannot play it"));
    std::printf("GuitarMan.gif reads back: %d frames, loops for ever\n", movie.frameCount());
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    outputDir = QDir(QString::fromLocal8Bit(argv[1]));
    try {
        writeImage(guitarCursor(), QStringLiteral("cursors/guitar.png"), {32, 32});
        const HandCursor hand = handCursor();
        writeImage(hand.look, QStringLiteral("cursors/hand.png"), {32, 32});
        writeImage(hand.bitmap, QStringLiteral("cursors/hand-bitmap.png"), {32, 32});
        writeImage(hand.mask, QStringLiteral("cursors/hand-mask.png"), {32, 32});
        checkHandBitmaps();

        writeImage(notesIcon32(), QStringLiteral("icons/notes-32.png"), {32, 32});
        writeImage(notesIcon16(), QStringLiteral("icons/notes-16.png"), {16, 16});
        writeImage(chordGridIcon(), QStringLiteral("icons/chordgrid.png"), {25, 32});
        writeImage(chordGridIcon48(), QStringLiteral("icons/strumvane-48.png"), {48, 48});
        writeBytes(chordGridSvg(), QStringLiteral("icons/strumvane.svg"));

        const QImage banner = welcomeBanner();
        checkBanner(banner);
        writeImage(banner, QStringLiteral("pictures/banner.png"), {476, 66});

        const QImage help = helpPicture();
        checkColours(help, {qRgb(255, 255, 255), qRgb(0, 0, 0)}, QStringLiteral("help picture"));
        require(inkBounds(help, QRect(0, 543, 425, 33), qRgb(255, 255, 255)).isNull(),
                QStringLiteral("help picture: ink below row 542"));
        writeImage(help, QStringLiteral("pictures/help.png"), {425, 576});

        const QImage symbols = otherSymbolsPicture();
        checkOtherSymbols(symbols);
        writeImage(symbols, QStringLiteral("pictures/othersymbols.png"), {458, 483});

        checkGifEncoder();
        const std::vector<QImage> frames = guitarManFrames();
        const int delay = 15;
        writeBytes(encodeAnimatedGif(frames, delay), QStringLiteral("GuitarMan.gif"));
        checkGif(frames, delay);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "draw-pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}

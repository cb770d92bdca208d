#include "gifwriter.h"

#include <map>
#include <stdexcept>

namespace strumvane::pictures {

namespace {

void put16(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>((value >> 8) & 0xff));
}

// Collects variable-width codes, least significant bit first, into 255-byte sub-blocks.
class CodeStream {
public:
    explicit CodeStream(QByteArray& out) : out_(out) {}

    void write(int code, int width)
    {
        bits_ |= static_cast<quint32>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            byte(static_cast<char>(bits_ & 0xff));
            bits_ >>= 8;
            count_ -= 8;
        }
    }

    void finish()
    {
        if (count_ > 0)
            byte(static_cast<char>(bits_ & 0xff));
        bits_ = 0;
        count_ = 0;
        flushBlock();
        out_.append('\0');  // block terminator
    }

private:
    void byte(char b)
    {
        block_.append(b);
        if (block_.size() == 255)
            flushBlock();
    }

    void flushBlock()
    {
        if (block_.isEmpty())
            return;
        out_.append(static_cast<char>(block_.size()));
        out_.append(block_);
        block_.clear();
    }

    QByteArray& out_;
    QByteArray block_;
    quint32 bits_ = 0;
    int count_ = 0;
};

// Variable-length LZW as GIF uses it: codes grow from minCodeSize + 1 to 12 bits, and the table
// starts over with a clear code when it is full.
void compress(QByteArray& out, const std::vector<quint8>& indexes, int minCodeSize)
{
    const int clear = 1 << minCodeSize;
    const int endOfData = clear + 1;
    constexpr int kMaxCodes = 4096;

    // next[code * 256 + byte]: the code for string(code) + byte, or 0 if none yet.
    std::vector<quint16> next(kMaxCodes * 256, 0);
    int lastCode = endOfData;  // highest code in use
    int width = minCodeSize + 1;

    out.append(static_cast<char>(minCodeSize));
    CodeStream stream(out);
    stream.write(clear, width);
    if (indexes.empty()) {
        stream.write(endOfData, width);
        stream.finish();
        return;
    }

    int current = indexes.front();
    for (std::size_t i = 1; i < indexes.size(); ++i) {
        const int k = indexes[i];
        const int extended = next[current * 256 + k];
        if (extended != 0) {
            current = extended;
            continue;
        }
        stream.write(current, width);
        next[current * 256 + k] = static_cast<quint16>(++lastCode);
        if (lastCode >= (1 << width) && width < 12)
            ++width;
        if (lastCode == kMaxCodes - 1) {
            stream.write(clear, width);
            std::fill(next.begin(), next.end(), 0);
            lastCode = endOfData;
            width = minCodeSize + 1;
        }
        current = k;
    }
    stream.write(current, width);
    // The decoder adds one more entry on reading that last code, and may widen before the end code.
    if (lastCode + 1 >= (1 << width) && width < 12)
        ++width;
    stream.write(endOfData, width);
    stream.finish();
}

}  // namespace

QByteArray encodeAnimatedGif(const std::vector<QImage>& frames, int delay)
{
    if (frames.empty())
        throw std::runtime_error("no frames to encode");
    const QSize size = frames.front().size();

    std::map<QRgb, int> colourIndex;
    std::vector<QRgb> palette;
    std::vector<std::vector<quint8>> pixels;
    for (const QImage& frame : frames) {
        if (frame.size() != size)
            throw std::runtime_error("frames differ in size");
        const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
        std::vector<quint8> indexes;
        indexes.reserve(static_cast<std::size_t>(size.width() * size.height()));
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const QRgb c = rgb.pixel(x, y) | 0xff000000u;
                auto [it, added] = colourIndex.try_emplace(c, static_cast<int>(palette.size()));
                if (added)
                    palette.push_back(c);
                indexes.push_back(static_cast<quint8>(it->second));
            }
        if (palette.size() > 256)
            throw std::runtime_error("more than 256 colours in the frames");
        pixels.push_back(std::move(indexes));
    }

    int tableBits = 1;  // the colour table holds 2^tableBits entries
    while ((1 << tableBits) < static_cast<int>(palette.size()))
        ++tableBits;

    QByteArray out("GIF89a");
    put16(out, size.width());
    put16(out, size.height());
    out.append(static_cast<char>(0x80 | ((tableBits - 1) << 4) | (tableBits - 1)));  // global table
    out.append('\0');                                                                    // background
    out.append('\0');                                                                    // aspect
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        out.append(static_cast<char>(qRed(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qBlue(c)));
    }

    // NETSCAPE2.0: repeat for ever.
    out.append("\x21\xff\x0b", 3);
    out.append("NETSCAPE2.0");
    out.append("\x03\x01", 2);
    put16(out, 0);
    out.append('\0');

    for (const auto& indexes : pixels) {
        // Graphic control: keep the frame in place, no transparent colour.
        out.append("\x21\xf9\x04", 3);
        out.append(static_cast<char>(1 << 2));
        put16(out, delay);
        out.append('\0');
        out.append('\0');

        out.append('\x2c');
        put16(out, 0);
        put16(out, 0);
        put16(out, size.width());
        put16(out, size.height());
        out.append('\0');  // no local table, not interlaced
        compress(out, indexes, std::max(2, tableBits));
    }
    out.append('\x3b');
    return out;
}

}  // namespace strumvane::pictures

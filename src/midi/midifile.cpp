#include "midi/midifile.h"

#include <algorithm>
#include <string_view>

namespace midi {
namespace {

// Beyond this, a tick count is not something a song can reach; it guards the sums.
constexpr std::uint64_t kMaxTick = std::uint64_t{1} << 40;

class Reader {
public:
    Reader(std::span<const std::uint8_t> bytes, std::string_view what) : bytes_(bytes), what_(what) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    std::size_t left() const { return bytes_.size() - pos_; }

    std::uint8_t byte()
    {
        if (atEnd())
            fail("ends early");
        return bytes_[pos_++];
    }
    std::uint8_t peek() const
    {
        if (atEnd())
            fail("ends early");
        return bytes_[pos_];
    }
    std::uint32_t be(int count)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i)
            value = (value << 8) | byte();
        return value;
    }
    std::uint32_t vlq()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b = byte();
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return value;
        }
        fail("has a variable-length number longer than four bytes");
    }
    std::span<const std::uint8_t> take(std::size_t count)
    {
        if (count > left())
            fail("ends early");
        auto part = bytes_.subspan(pos_, count);
        pos_ += count;
        return part;
    }

    [[noreturn]] void fail(std::string_view why) const
    {
        throw MidiFormatError(std::string(what_) + " " + std::string(why));
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    std::string_view what_;
};

int dataBytes(std::uint8_t status)
{
    std::uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

std::vector<MidiEvent> readTrack(std::span<const std::uint8_t> chunk)
{
    Reader in(chunk, "MIDI track");
    std::vector<MidiEvent> events;
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    while (true) {
        if (in.atEnd())
            in.fail("has no end-of-track event");
        tick += in.vlq();
        if (tick > kMaxTick)
            in.fail("is too long");
        MidiEvent event;
        event.tick = tick;
        std::uint8_t first = in.peek();
        if (first & 0x80) {
            in.byte();
            event.status = first;
        } else if (running != 0) {
            event.status = running;  // running status: the data byte starts the message
        } else {
            in.fail("has a data byte without a status");
        }

        if (event.status < 0xF0) {
            running = event.status;
            event.data1 = in.byte();
            if (dataBytes(event.status) == 2)
                event.data2 = in.byte();
            if ((event.data1 | event.data2) & 0x80)
                in.fail("has a channel message with a bad data byte");
        } else if (event.status == 0xF0 || event.status == 0xF7) {
            running = 0;
            auto data = in.take(in.vlq());
            event.payload.assign(data.begin(), data.end());
        } else if (event.status == 0xFF) {
            running = 0;
            event.data1 = in.byte();
            auto data = in.take(in.vlq());
            event.payload.assign(data.begin(), data.end());
            if (event.data1 == 0x51 && event.payload.size() != 3)
                in.fail("has a bad tempo event");
        } else {
            in.fail("has a system message that files cannot hold");
        }
        bool end = event.isMeta(0x2F);
        events.push_back(std::move(event));
        if (end)
            return events;  // anything after the end of the track is ignored
    }
}

}  // namespace

std::uint64_t MidiFile::lengthTicks() const
{
    std::uint64_t length = 0;
    for (const auto& track : tracks) {
        if (!track.empty())
            length = std::max(length, track.back().tick);
    }
    return length;
}

MidiFile readMidiFile(std::span<const std::uint8_t> bytes)
{
    Reader in(bytes, "MIDI file");
    auto id = in.take(4);
    if (!std::equal(id.begin(), id.end(), "MThd"))
        in.fail("does not start with a MIDI header");
    std::uint32_t headerLength = in.be(4);
    if (headerLength < 6)
        in.fail("has a short header");
    auto header = in.take(headerLength);
    Reader head(header, "MIDI header");

    MidiFile file;
    file.format = static_cast<int>(head.be(2));
    std::uint32_t trackCount = head.be(2);
    std::uint32_t division = head.be(2);
    if (file.format != 0 && file.format != 1)
        in.fail("is not of format 0 or 1");
    if (trackCount == 0 || (file.format == 0 && trackCount != 1))
        in.fail("has a wrong number of tracks");
    if (division == 0 || (division & 0x8000))
        in.fail("does not count ticks per quarter note");
    file.division = static_cast<int>(division);

    while (file.tracks.size() < trackCount) {
        if (in.atEnd())
            in.fail("has fewer tracks than its header says");
        auto chunkId = in.take(4);
        std::uint32_t length = in.be(4);
        auto chunk = in.take(length);
        if (std::equal(chunkId.begin(), chunkId.end(), "MTrk"))
            file.tracks.push_back(readTrack(chunk));
        // chunks of other kinds are skipped, as the format asks
    }
    return file;
}

}  // namespace midi

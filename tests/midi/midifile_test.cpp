#include "midi/midifile.h"
#include "player/progressiontable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;
using midi::MidiFormatError;
using midi::readMidiFile;

Bytes header(int format, int tracks, int division)
{
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<std::uint8_t>(format), 0,
            static_cast<std::uint8_t>(tracks), static_cast<std::uint8_t>(division >> 8),
            static_cast<std::uint8_t>(division)};
}

Bytes withTrack(Bytes file, const Bytes& body)
{
    Bytes chunk = {'M', 'T', 'r', 'k', 0, 0, static_cast<std::uint8_t>(body.size() >> 8),
                   static_cast<std::uint8_t>(body.size())};
    file.insert(file.end(), chunk.begin(), chunk.end());
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};

Bytes track(Bytes events)
{
    events.insert(events.end(), kEnd.begin(), kEnd.end());
    return events;
}

TEST(MidiFile, ReadsRunningStatusMetaSysexAndSkipsForeignChunks)
{
    Bytes body = track({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo
                        0x00, 0xF0, 0x02, 0x7E, 0xF7,              // sysex
                        0x00, 0x91, 0x3C, 0x64,                    // note on, channel 1
                        0x81, 0x00, 0x3C, 0x00,                    // running status, 128 ticks later
                        0x10, 0xC1, 0x19});                        // program change
    Bytes file = header(1, 1, 480);
    Bytes foreign = {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 1, 2};
    file.insert(file.end(), foreign.begin(), foreign.end());
    file = withTrack(file, body);

    midi::MidiFile parsed = readMidiFile(file);
    EXPECT_EQ(parsed.format, 1);
    EXPECT_EQ(parsed.division, 480);
    ASSERT_EQ(parsed.tracks.size(), 1u);
    const auto& events = parsed.tracks[0];
    ASSERT_EQ(events.size(), 6u);
    EXPECT_TRUE(events[0].isMeta(0x51));
    EXPECT_EQ(events[1].payload, (Bytes{0x7E, 0xF7}));
    EXPECT_TRUE(events[2].isNoteOn());
    EXPECT_EQ(events[2].channel(), 1);
    EXPECT_TRUE(events[3].isNoteOff());
    EXPECT_EQ(events[3].tick, 128u);
    EXPECT_EQ(events[4].kind(), 0xC0);
    EXPECT_EQ(events[4].data1, 0x19);
    EXPECT_EQ(events[4].tick, 144u);
    EXPECT_EQ(parsed.lengthTicks(), 144u);
}

TEST(MidiFile, RejectsMalformedFiles)
{
    const Bytes good = track({0x00, 0x90, 0x3C, 0x64});
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"not a header", {'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 0, 0, 1, 1, 0xE0}},
        {"header only", header(0, 1, 480)},
        {"format 2", withTrack(header(2, 1, 480), good)},
        {"SMPTE division", withTrack(header(0, 1, 0xE728), good)},
        {"zero division", withTrack(header(0, 1, 0), good)},
        {"no tracks", header(1, 0, 480)},
        {"format 0 with two tracks", withTrack(withTrack(header(0, 2, 480), good), good)},
        {"fewer tracks than said", withTrack(header(1, 2, 480), good)},
        {"no end of track", withTrack(header(0, 1, 480), {0x00, 0x90, 0x3C, 0x64})},
        {"data byte without status", withTrack(header(0, 1, 480), track({0x00, 0x3C, 0x64}))},
        {"five-byte delta", withTrack(header(0, 1, 480), track({0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 0x3C, 0x64}))},
        {"bad data byte", withTrack(header(0, 1, 480), track({0x00, 0x90, 0x3C, 0xE4}))},
        {"meta longer than track", withTrack(header(0, 1, 480), {0x00, 0xFF, 0x01, 0x20, 'a'})},
        {"bad tempo", withTrack(header(0, 1, 480), track({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}))},
        {"system message", withTrack(header(0, 1, 480), track({0x00, 0xF8}))},
    };
    for (const auto& [what, bytes] : cases)
        EXPECT_THROW(readMidiFile(bytes), MidiFormatError) << what;

    Bytes longer = withTrack(header(0, 1, 480), good);
    longer[21] += 10;  // the track claims more bytes than the file holds
    EXPECT_THROW(readMidiFile(longer), MidiFormatError);
}

Bytes progressionFile()
{
    std::ifstream in(player::progressionFilePath(STRUMVANE_PROGRAM_DIR, R"(\Mid\2\4.mid)"), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(MidiFile, EveryTruncationOfAFileIsRejected)
{
    Bytes whole = progressionFile();
    ASSERT_FALSE(whole.empty());
    EXPECT_NO_THROW(readMidiFile(whole));
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_THROW(readMidiFile(std::span(whole).first(length)), MidiFormatError) << length;
}

TEST(MidiFile, RandomBytesAndDamagedFilesNeverCrash)
{
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 2000; ++round) {
        Bytes noise(static_cast<std::size_t>(round % 300));
        for (auto& b : noise)
            b = static_cast<std::uint8_t>(byte(random));
        EXPECT_THROW(readMidiFile(noise), MidiFormatError);
    }
    // A real header with damage inside: reading either works or throws.
    Bytes whole = progressionFile();
    for (int round = 0; round < 2000; ++round) {
        Bytes damaged = whole;
        for (int hits = 0; hits < 3; ++hits)
            damaged[14 + static_cast<std::size_t>(random()) % (damaged.size() - 14)] = static_cast<std::uint8_t>(byte(random));
        try {
            readMidiFile(damaged);
        } catch (const MidiFormatError&) {
        }
    }
}

}  // namespace

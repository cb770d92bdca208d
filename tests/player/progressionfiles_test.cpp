// Reads back the progression files written at build time and checks each bar
// against its chord symbol.
#include "midi/midifile.h"
#include "player/chordsymbol.h"
#include "player/progressiontable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Note {
    std::uint64_t on;
    std::uint64_t off;
    int key;
};

TEST(ProgressionFiles, TheFolderHoldsExactlyTheTablesFiles)
{
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(STRUMVANE_PROGRAM_DIR "/Mid")) {
        if (entry.is_regular_file())
            ++count;
    }
    EXPECT_EQ(count, 96);
}

TEST(ProgressionFiles, EveryBarStrumsItsChordOnASteelGuitar)
{
    for (const auto& row : player::progressionTable()) {
        const std::string path = player::progressionFilePath(STRUMVANE_PROGRAM_DIR, row.pathLiteral);
        SCOPED_TRACE(path + " " + std::string(row.chordLine));
        std::vector<std::uint8_t> bytes = readBytes(path);
        ASSERT_FALSE(bytes.empty());
        midi::MidiFile file = midi::readMidiFile(bytes);
        ASSERT_GT(file.division, 0);

        // One track's events in order; all playing happens on channel 0.
        std::vector<Note> notes;
        std::map<int, std::uint64_t> sounding;
        int program = -1;
        int tempo = 0;
        int mostAtOnce = 0;
        for (const auto& track : file.tracks) {
            for (const auto& e : track) {
                if (e.isMeta(0x51))
                    tempo = (e.payload[0] << 16) | (e.payload[1] << 8) | e.payload[2];
                if (e.status >= 0xF0)
                    continue;
                ASSERT_EQ(e.channel(), 0);
                if (e.kind() == 0xC0)
                    program = e.data1;
                if (e.isNoteOn()) {
                    ASSERT_EQ(program, 25) << "no steel guitar before the first note";
                    ASSERT_FALSE(sounding.count(e.data1)) << "note " << int(e.data1) << " struck while sounding";
                    sounding[e.data1] = e.tick;
                    mostAtOnce = std::max(mostAtOnce, static_cast<int>(sounding.size()));
                } else if (e.isNoteOff()) {
                    auto it = sounding.find(e.data1);
                    ASSERT_NE(it, sounding.end());
                    notes.push_back({it->second, e.tick, e.data1});
                    sounding.erase(it);
                }
            }
        }
        EXPECT_TRUE(sounding.empty()) << "notes left sounding";
        EXPECT_LE(mostAtOnce, 6) << "more notes at once than a guitar has strings";
        const double bpm = 60e6 / tempo;
        EXPECT_GE(bpm, 90);
        EXPECT_LE(bpm, 100);

        const std::uint64_t bar = 4u * static_cast<std::uint64_t>(file.division);
        auto symbols = player::splitChordLine(row.chordLine);
        EXPECT_EQ(file.lengthTicks(), bar * symbols.size()) << "one bar per chord";

        std::vector<std::vector<Note>> bars(symbols.size());
        for (const Note& n : notes) {
            ASSERT_LT(n.on / bar, bars.size());
            EXPECT_LE(n.off, (n.on / bar + 1) * bar) << "a note rings into the next chord";
            EXPECT_GE(n.key, 40);  // E2
            EXPECT_LE(n.key, 76);  // E5
            bars[n.on / bar].push_back(n);
        }
        for (std::size_t b = 0; b < bars.size(); ++b) {
            auto chord = player::parseChordSymbol(symbols[b]);
            ASSERT_TRUE(chord);
            ASSERT_FALSE(bars[b].empty());
            std::bitset<12> heard;
            int lowest = 127;
            for (const Note& n : bars[b]) {
                heard.set(static_cast<std::size_t>(n.key % 12));
                lowest = std::min(lowest, n.key);
            }
            EXPECT_EQ(heard, chord->pitchClasses()) << "bar " << b << " " << symbols[b];
            EXPECT_EQ(lowest % 12, chord->root) << "bar " << b << " has another bass than " << symbols[b];

            // A strum, not a block chord: the first stroke's strings follow
            // one another a few milliseconds apart.
            std::vector<std::uint64_t> starts;
            for (const Note& n : bars[b]) {
                if (n.on < b * bar + file.division / 2)
                    starts.push_back(n.on);
            }
            ASSERT_GE(starts.size(), 4u);
            const double msPerTick = tempo / 1000.0 / file.division;
            for (std::size_t i = 1; i < starts.size(); ++i) {
                double gap = static_cast<double>(starts[i] - starts[i - 1]) * msPerTick;
                EXPECT_GE(gap, 3.0);
                EXPECT_LE(gap, 30.0);
            }
        }
    }
}

}  // namespace

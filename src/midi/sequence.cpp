#include "midi/sequence.h"

#include "midi/midifile.h"
#include "midi/synth.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace midi {
namespace {

// No progression file comes near this; a larger file is not a MIDI file.
constexpr std::uintmax_t kMaxFileSize = 16u * 1024u * 1024u;

// Merges the tracks in tick order (ties: track order, then file order) and
// turns ticks into sample frames along the tempo changes.
Sequence sequenceOf(const MidiFile& file, double sampleRate)
{
    struct Ref {
        std::uint64_t tick;
        std::size_t track;
        std::size_t index;
    };
    std::vector<Ref> refs;
    for (std::size_t t = 0; t < file.tracks.size(); ++t) {
        for (std::size_t i = 0; i < file.tracks[t].size(); ++i)
            refs.push_back({file.tracks[t][i].tick, t, i});
    }
    std::stable_sort(refs.begin(), refs.end(), [](const Ref& a, const Ref& b) { return a.tick < b.tick; });

    double secondsPerTick = 0.5 / file.division;  // 120 bpm until told otherwise
    double tempoSeconds = 0;
    std::uint64_t tempoTick = 0;
    auto frameAt = [&](std::uint64_t tick) {
        double seconds = tempoSeconds + static_cast<double>(tick - tempoTick) * secondsPerTick;
        return static_cast<std::int64_t>(std::llround(seconds * sampleRate));
    };

    Sequence sequence;
    for (const Ref& ref : refs) {
        const MidiEvent& event = file.tracks[ref.track][ref.index];
        if (event.isMeta(0x51)) {
            tempoSeconds += static_cast<double>(event.tick - tempoTick) * secondsPerTick;
            tempoTick = event.tick;
            std::uint32_t micros = (std::uint32_t{event.payload[0]} << 16) |
                                   (std::uint32_t{event.payload[1]} << 8) | event.payload[2];
            if (micros > 0)
                secondsPerTick = micros / 1e6 / file.division;
        } else if (event.status < 0xF0) {
            sequence.events.push_back({frameAt(event.tick), event.status, event.data1, event.data2});
        }
    }
    sequence.endFrame = frameAt(file.lengthTicks());
    return sequence;
}

std::vector<std::uint8_t> readFileBytes(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        throw SynthError(SynthError::Kind::FileMissing, "The MIDI file " + path + " does not exist");
    if (!fs::is_regular_file(status))
        throw SynthError(SynthError::Kind::FileUnreadable, "The MIDI file " + path + " is not a file");
    std::uintmax_t size = fs::file_size(path, error);
    if (error)
        throw SynthError(SynthError::Kind::FileUnreadable, "The MIDI file " + path + " cannot be read");
    if (size > kMaxFileSize)
        throw SynthError(SynthError::Kind::FileCorrupt, "The file " + path + " is too large for a MIDI file");

    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw SynthError(SynthError::Kind::FileUnreadable, "The MIDI file " + path + " cannot be read");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw SynthError(SynthError::Kind::FileUnreadable, "The MIDI file " + path + " cannot be read");
    return bytes;
}

}  // namespace

Sequence readSequence(const std::string& path, double sampleRate)
{
    std::vector<std::uint8_t> bytes = readFileBytes(path);
    MidiFile file;
    try {
        file = readMidiFile(bytes);
    } catch (const MidiFormatError& error) {
        throw SynthError(SynthError::Kind::FileCorrupt, "The file " + path + " is not a MIDI file: " + error.what());
    }
    return sequenceOf(file, sampleRate);
}

}  // namespace midi

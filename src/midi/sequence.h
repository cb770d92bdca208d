#pragma once
// A MIDI file as the engine plays it: its channel messages merged into one list, each at the
// sample frame where it is due.

#include <cstdint>
#include <string>
#include <vector>

namespace midi {

struct TimedEvent {
    std::int64_t frame;
    std::uint8_t status;
    std::uint8_t data1;
    std::uint8_t data2;
};

struct Sequence {
    std::vector<TimedEvent> events;  // channel messages, in playing order
    std::int64_t endFrame = 0;
};

// Reads and checks the file at `path` and times its events at `sampleRate`. Throws
// SynthError (FileMissing, FileUnreadable, FileCorrupt).
Sequence readSequence(const std::string& path, double sampleRate);

}  // namespace midi

#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace midi {

// A Standard MIDI File, read whole and checked. Only format 0 and 1 files with
// a ticks-per-quarter-note division are accepted: that is what a sequencer plays.
struct MidiEvent {
    std::uint64_t tick = 0;     // absolute, from the start of its track
    std::uint8_t status = 0;    // 0x80..0xEF channel message, 0xF0/0xF7 sysex, 0xFF meta
    std::uint8_t data1 = 0;     // channel messages: first data byte; meta: its type
    std::uint8_t data2 = 0;     // channel messages: second data byte, if any
    std::vector<std::uint8_t> payload;  // meta and sysex data

    int channel() const { return status & 0x0F; }
    int kind() const { return status < 0xF0 ? (status & 0xF0) : status; }
    bool isNoteOn() const { return kind() == 0x90 && data2 > 0; }
    bool isNoteOff() const { return kind() == 0x80 || (kind() == 0x90 && data2 == 0); }
    bool isMeta(std::uint8_t type) const { return status == 0xFF && data1 == type; }
};

struct MidiFile {
    int format = 0;
    int division = 0;  // ticks per quarter note
    std::vector<std::vector<MidiEvent>> tracks;  // each ends with its end-of-track event

    // The tick of the last end-of-track event: where playing stops.
    std::uint64_t lengthTicks() const;
};

class MidiFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws MidiFormatError naming what is wrong when the bytes are not a complete file.
MidiFile readMidiFile(std::span<const std::uint8_t> bytes);

}  // namespace midi

#pragma once

#include <cstdint>
#include <vector>

namespace progressions {

// One event of a track: its bytes after the delta time.
struct TrackEvent {
    std::uint32_t tick = 0;
    int order = 0;  // among events at one tick: lower first
    std::vector<std::uint8_t> bytes;
};

// A Standard MIDI File of format 0: one track holding the events in tick order
// (ties by order, then as given) and an end-of-track event at endTick.
std::vector<std::uint8_t> writeMidiFile(int division, std::vector<TrackEvent> events, std::uint32_t endTick);

}  // namespace progressions

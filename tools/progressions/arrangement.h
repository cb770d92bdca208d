#pragma once

#include "voicing.h"

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace progressions {

inline constexpr int kDivision = 480;          // ticks per quarter note
inline constexpr int kBeatsPerMinute = 96;
inline constexpr int kTicksPerBar = 4 * kDivision;
inline constexpr int kChannel = 0;
inline constexpr int kSteelGuitar = 25;        // General MIDI "Acoustic Guitar (steel)", from 0

class ArrangementError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The lesson shapes a chord-name line is played in, one per chord. Throws
// ArrangementError for a symbol no lesson teaches.
std::vector<Voicing> progressionVoicings(std::string_view chordLine);

// The MIDI file of a chord-name line: each chord fills one bar of 4/4,
// strummed on a steel-string guitar in its lesson shapes.
std::vector<std::uint8_t> progressionFile(std::string_view chordLine);

}  // namespace progressions

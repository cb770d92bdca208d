#pragma once

#include "player/chordsymbol.h"

#include <array>
#include <optional>
#include <vector>

namespace progressions {

inline constexpr int kStrings = 6;
inline constexpr int kMuted = -1;
// Standard tuning, low E to high E: E2 A2 D3 G3 B3 E4.
inline constexpr std::array<int, kStrings> kOpenStrings = {40, 45, 50, 55, 59, 64};
inline constexpr int kHighestFret = 12;  // keeps every note within E2..E5

// Where each string is stopped, low E to high E: a fret, 0 for open, kMuted.
struct Voicing {
    std::array<int, kStrings> frets{};

    int lowestString() const;
    int note(int string) const { return kOpenStrings[string] + frets[string]; }
};

// A chord shape a guitarist plays: the root in the bass, every tone of the
// chord, no muted string above the bass, at least four strings, a hand span of
// four frets and four fingers (one may barre). The easiest such shape, near
// the nut; nullopt if there is none.
std::optional<Voicing> guitarVoicing(const player::ChordSymbol& chord);

}  // namespace progressions

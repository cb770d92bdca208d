#pragma once

#include "diagrams/fingering.h"
#include "lessons/core/lessontable.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace progressions {

inline constexpr int kStrings = diagrams::kStringCount;
inline constexpr int kMuted = -1;
// Standard tuning, low E to high E: E2 A2 D3 G3 B3 E4.
inline constexpr std::array<int, kStrings> kOpenStrings = {40, 45, 50, 55, 59, 64};

// Where each string is stopped, low E to high E: a fret, 0 for open, kMuted.
using Frets = std::array<int, kStrings>;

// What a diagram sounds with its fret space 1 at the given fret: each string
// at the highest fret a dot or a barre stops it at, open where the diagram
// marks it open and nothing stops it, silent where it is muted or nothing is
// drawn.
Frets soundingFrets(const diagrams::Fingering& fingering, int fretLabel);

// One form of a chord as its lesson shows it.
struct Voicing {
    int form = 0;                // form index 0..3
    lessons::DiagramAt diagram;  // the diagram and its fret label number
    Frets frets{};

    int note(int string) const { return kOpenStrings[string] + frets[string]; }
    // Where the hand sits on the neck: halfway between the lowest and the
    // highest fret it stops (0, the nut, when every string is open or silent).
    double handPosition() const;
};

// The forms of a chord symbol ("Dmi7", "Bb", "CbMaj", "F#mi7(b5)") in the
// lesson that teaches its chord type, each at the fret label the lesson gives
// for its root; a form that leaves the root out is not offered, as the chord
// would not sound as named. Empty for a symbol no lesson teaches.
std::vector<Voicing> lessonForms(std::string_view symbol);

// The form to play after the previous chord (none for a file's first chord).
std::optional<Voicing> nextVoicing(std::span<const Voicing> forms, const Voicing* previous);

}  // namespace progressions

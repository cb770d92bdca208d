#pragma once

#include <bitset>
#include <optional>
#include <string_view>
#include <vector>

namespace player {

// A chord as written in a chord-name line: "Dmi7", "G7", "CMaj7", "Cmi7(b5)",
// "F#mi", "CbMaj", "Db".
struct ChordSymbol {
    int root = 0;                // pitch class, 0 = C .. 11 = B
    std::string_view kind;       // what follows the root: "", "Maj", "mi", "7", "Maj7", "mi7", "mi7(b5)"
    std::vector<int> intervals;  // semitones above the root, ascending, starting with 0

    // Pitch classes of the chord's tones: bit p set for pitch class p.
    std::bitset<12> pitchClasses() const;
};

// Parses one chord symbol: a root letter A..G, an optional '#' or 'b', then one
// of the chord kinds the progressions use: none or "Maj" (major triad), "mi"
// (minor triad), "7", "Maj7", "mi7", "mi7(b5)". Anything else gives nullopt.
std::optional<ChordSymbol> parseChordSymbol(std::string_view symbol);

// Splits a chord-name line into its symbols: they are separated by a comma and
// one or two blanks ("Ami7, Dmi7,  G7,  CMaj7").
std::vector<std::string_view> splitChordLine(std::string_view line);

}  // namespace player

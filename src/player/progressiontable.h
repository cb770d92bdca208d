#pragma once

#include <span>
#include <string>
#include <string_view>

namespace player {

inline constexpr int kKeyCount = 12;
inline constexpr int kProgressionCount = 8;
inline constexpr int kRowCount = kProgressionCount * kKeyCount;

struct Progression {
    std::string_view name;  // as listed in the progression combo box
    int folder = 0;         // the folder under Mid that holds its files
};

struct ProgressionRow {
    std::string_view progression;  // progression name, compared exactly
    int keyIndex = 0;              // 0 = "C" .. 11 = "B"
    std::string_view pathLiteral;  // e.g. "\Mid\2\4.mid", backslashes as stored
    std::string_view chordLine;    // the chord names shown while the file plays
};

// The eight progressions in list order (the order the combo box is filled in).
std::span<const Progression> progressions();

// Captions of the twelve key options, index 0 to 11.
std::span<const std::string_view> keyCaptions();

// All 96 rows in table order: progression in list order, then key index 0 to 11.
std::span<const ProgressionRow> progressionTable();

// The row for a progression name (exact, case-sensitive) and key index, or
// nullptr when nothing matches (unknown name, or key index outside 0..11).
const ProgressionRow* findProgression(std::string_view progression, int keyIndex);

// Where a progression file lies: the program's folder followed directly by the path
// literal, its backslashes turned into '/'. The player plays it there and the tool that
// writes the files puts it there.
std::string progressionFilePath(std::string_view programDir, std::string_view pathLiteral);

}  // namespace player

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace diagrams {

// String index: 0 = low E, 1 = A, 2 = D, 3 = G, 4 = B, 5 = high E.
inline constexpr int kStringCount = 6;
inline constexpr int kLowE = 0;
inline constexpr int kA = 1;
inline constexpr int kD = 2;
inline constexpr int kG = 3;
inline constexpr int kB = 4;
inline constexpr int kHighE = 5;

inline constexpr int kFretSpaces = 5;  // numbered 1..5 from the top
inline constexpr int kMaxBarres = 2;

enum class TopMark : std::uint8_t { None, Mute, Open };

struct FingerDot {
    int fretSpace = 0;  // 1..5
    int finger = 0;     // 1..4
    friend constexpr bool operator==(const FingerDot&, const FingerDot&) = default;
};

struct StringState {
    TopMark mark = TopMark::None;
    std::optional<FingerDot> dot;
    friend constexpr bool operator==(const StringState&, const StringState&) = default;
};

struct Barre {
    int finger = 0;       // 1..4
    int fretSpace = 0;    // 1..5
    int firstString = 0;  // lower string index
    int lastString = 0;   // higher string index
    friend constexpr bool operator==(const Barre&, const Barre&) = default;
};

struct Fingering {
    std::array<StringState, kStringCount> strings{};
    // Only the first barreCount entries are used; the rest stay zero so that
    // equal fingerings compare equal.
    std::array<Barre, kMaxBarres> barres{};
    int barreCount = 0;

    constexpr std::span<const Barre> barreList() const
    {
        return std::span<const Barre>(barres.data(), static_cast<std::size_t>(barreCount));
    }
    friend constexpr bool operator==(const Fingering&, const Fingering&) = default;
};

// The fingering of a diagram id, or nullptr when the catalogue has no such id.
const Fingering* findFingering(int diagramId);

bool isDiagramId(int id);

// Every diagram id of the catalogue, ascending (237 ids from 101 to 339).
std::span<const int> allDiagramIds();

}  // namespace diagrams

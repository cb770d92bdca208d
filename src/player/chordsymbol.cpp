#include "player/chordsymbol.h"

#include <array>

namespace player {
namespace {

struct Kind {
    std::string_view suffix;
    std::vector<int> intervals;
};

const std::array<Kind, 7>& kinds()
{
    static const std::array<Kind, 7> table = {{
        {"", {0, 4, 7}},
        {"Maj", {0, 4, 7}},
        {"mi", {0, 3, 7}},
        {"7", {0, 4, 7, 10}},
        {"Maj7", {0, 4, 7, 11}},
        {"mi7", {0, 3, 7, 10}},
        {"mi7(b5)", {0, 3, 6, 10}},
    }};
    return table;
}

std::optional<int> letterPitchClass(char letter)
{
    switch (letter) {
    case 'C': return 0;
    case 'D': return 2;
    case 'E': return 4;
    case 'F': return 5;
    case 'G': return 7;
    case 'A': return 9;
    case 'B': return 11;
    default: return std::nullopt;
    }
}

}  // namespace

std::bitset<12> ChordSymbol::pitchClasses() const
{
    std::bitset<12> set;
    for (int interval : intervals)
        set.set(static_cast<std::size_t>((root + interval) % 12));
    return set;
}

std::optional<ChordSymbol> parseChordSymbol(std::string_view symbol)
{
    if (symbol.empty())
        return std::nullopt;
    std::optional<int> root = letterPitchClass(symbol.front());
    if (!root)
        return std::nullopt;
    symbol.remove_prefix(1);
    // "b" as an accidental never clashes with a kind: no kind starts with 'b'.
    if (!symbol.empty() && symbol.front() == '#') {
        *root += 1;
        symbol.remove_prefix(1);
    } else if (!symbol.empty() && symbol.front() == 'b') {
        *root += 11;
        symbol.remove_prefix(1);
    }
    for (const Kind& kind : kinds()) {
        if (kind.suffix == symbol)
            return ChordSymbol{*root % 12, kind.suffix, kind.intervals};
    }
    return std::nullopt;
}

std::vector<std::string_view> splitChordLine(std::string_view line)
{
    std::vector<std::string_view> symbols;
    while (true) {
        std::size_t comma = line.find(',');
        std::string_view piece = line.substr(0, comma);
        while (!piece.empty() && piece.front() == ' ')
            piece.remove_prefix(1);
        while (!piece.empty() && piece.back() == ' ')
            piece.remove_suffix(1);
        symbols.push_back(piece);
        if (comma == std::string_view::npos)
            break;
        line.remove_prefix(comma + 1);
    }
    return symbols;
}

}  // namespace player

#include "player/chordsymbol.h"
#include "player/progressiontable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using player::parseChordSymbol;

struct Case {
    std::string_view symbol;
    int root;
    std::vector<int> pitchClasses;
};

TEST(ChordSymbol, ReadsEveryKindAndAccidental)
{
    const Case cases[] = {
        {"Dmi7", 2, {0, 2, 5, 9}},
        {"G7", 7, {2, 5, 7, 11}},
        {"CMaj7", 0, {0, 4, 7, 11}},
        {"Cmi7(b5)", 0, {0, 3, 6, 10}},
        {"D#mi7(b5)", 3, {1, 3, 6, 9}},
        {"F#mi", 6, {1, 6, 9}},
        {"Cb7", 11, {3, 6, 9, 11}},
        {"CbMaj", 11, {3, 6, 11}},
        {"Cb", 11, {3, 6, 11}},
        {"Db", 1, {1, 5, 8}},
        {"E", 4, {4, 8, 11}},
        {"Ebmi7", 3, {1, 3, 6, 10}},
        {"F#Maj", 6, {1, 6, 10}},
        {"Bbmi", 10, {1, 5, 10}},
        {"A#mi7(b5)", 10, {1, 4, 8, 10}},
        {"BMaj7", 11, {3, 6, 10, 11}},
    };
    for (const Case& c : cases) {
        auto chord = parseChordSymbol(c.symbol);
        ASSERT_TRUE(chord) << c.symbol;
        EXPECT_EQ(chord->root, c.root) << c.symbol;
        std::bitset<12> expected;
        for (int pc : c.pitchClasses)
            expected.set(static_cast<std::size_t>(pc));
        EXPECT_EQ(chord->pitchClasses(), expected) << c.symbol;
        EXPECT_EQ(chord->intervals.front(), 0) << c.symbol;
    }
}

TEST(ChordSymbol, RejectsWhatTheTableNeverWrites)
{
    for (std::string_view symbol : {"", "H", "c", "Cmaj", "Cm", "Cmin", "C#b", "Cmi7(b5", "C7 ", " C", "Cx", "C##"})
        EXPECT_FALSE(parseChordSymbol(symbol)) << '"' << symbol << '"';
}

TEST(ChordSymbol, ReadsEverySymbolOfTheTable)
{
    int count = 0;
    for (const auto& row : player::progressionTable()) {
        for (std::string_view symbol : player::splitChordLine(row.chordLine)) {
            EXPECT_TRUE(parseChordSymbol(symbol)) << '"' << symbol << "\" in " << row.chordLine;
            ++count;
        }
    }
    EXPECT_EQ(count, 2 * 12 * 3 + 5 * 12 * 4 + 12 * 5);
}

TEST(ChordSymbol, SplitsChordLinesAtCommasAndBlanks)
{
    using V = std::vector<std::string_view>;
    EXPECT_EQ(player::splitChordLine("Dmi7,  G7,  CMaj7"), (V{"Dmi7", "G7", "CMaj7"}));
    EXPECT_EQ(player::splitChordLine("Ami7, Dmi7,  G7,  CMaj7"), (V{"Ami7", "Dmi7", "G7", "CMaj7"}));
    EXPECT_EQ(player::splitChordLine("C, C7, F, G, C"), (V{"C", "C7", "F", "G", "C"}));
    EXPECT_EQ(player::splitChordLine("Cmi"), (V{"Cmi"}));
}

}  // namespace

#include "player/chordsymbol.h"
#include "player/progressiontable.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace {

using player::findProgression;
using player::progressionTable;

TEST(ProgressionTable, ListsTheEightProgressionsInOrderWithTheirFolders)
{
    const std::pair<std::string_view, int> expected[] = {
        {"ii - V - I", 2},    {"minor ii - V - I", 1}, {"I - IV - V", 5},  {"minor i - iv - v", 3},
        {"vi - ii - V - I", 6}, {"I7 - IV7 - V7", 4},  {"I - IV - V7", 8}, {"I - I7 - IV - V", 7},
    };
    auto list = player::progressions();
    ASSERT_EQ(list.size(), std::size(expected));
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].name, expected[i].first);
        EXPECT_EQ(list[i].folder, expected[i].second);
    }
    const std::string_view keys[] = {"C", "C#/Db", "D", "D#/Eb", "E", "F",
                                     "F#/Gb", "G", "G#/Ab", "A", "A#/Bb", "B"};
    ASSERT_EQ(player::keyCaptions().size(), 12u);
    for (std::size_t k = 0; k < 12; ++k)
        EXPECT_EQ(player::keyCaptions()[k], keys[k]);
}

TEST(ProgressionTable, HasOneRowPerProgressionAndKeyInTableOrder)
{
    auto rows = progressionTable();
    ASSERT_EQ(rows.size(), 96u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].progression, player::progressions()[i / 12].name) << "row " << i;
        EXPECT_EQ(rows[i].keyIndex, static_cast<int>(i % 12)) << "row " << i;
        EXPECT_EQ(findProgression(rows[i].progression, rows[i].keyIndex), &rows[i]);
    }
}

TEST(ProgressionTable, NamesEachFileOnceInItsProgressionsFolder)
{
    const std::regex literal(R"(\\Mid\\([1-8])\\([0-9]+)\.mid)");
    std::set<int> numbers;
    std::set<std::string_view> paths;
    for (const auto& row : progressionTable()) {
        std::string path(row.pathLiteral);
        std::smatch match;
        ASSERT_TRUE(std::regex_match(path, match, literal)) << path;
        const auto* progression = &player::progressions()[static_cast<std::size_t>(&row - progressionTable().data()) / 12];
        EXPECT_EQ(std::stoi(match[1]), progression->folder) << path;
        numbers.insert(std::stoi(match[2]));
        paths.insert(row.pathLiteral);
    }
    EXPECT_EQ(paths.size(), 96u);
    std::set<int> expected;
    for (int n = 1; n <= 98; ++n) {
        if (n != 37 && n != 38)
            expected.insert(n);
    }
    EXPECT_EQ(numbers, expected);
}

TEST(ProgressionTable, WorkedRows)
{
    const auto* row = findProgression("ii - V - I", 0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->pathLiteral, R"(\Mid\2\4.mid)");
    EXPECT_EQ(row->chordLine, "Dmi7,  G7,  CMaj7");

    EXPECT_EQ(findProgression("I - IV - V", 4)->pathLiteral, R"(\Mid\5\39.mid)");
    EXPECT_EQ(findProgression("I - IV - V", 3)->pathLiteral, R"(\Mid\5\44.mid)");
    EXPECT_EQ(findProgression("vi - ii - V - I", 0)->chordLine, "Ami7, Dmi7,  G7,  CMaj7");
    EXPECT_EQ(findProgression("I - IV - V", 6)->chordLine, "GbMaj, CbMaj, DbMaj, GbMaj");
    EXPECT_EQ(findProgression("minor i - iv - v", 6)->chordLine, "F#mi, Bmi, C#mi, F#mi");
    EXPECT_EQ(findProgression("I - IV - V7", 9)->pathLiteral, R"(\Mid\8\86.mid)");

    const auto* minor = findProgression("minor ii - V - I", 8);
    ASSERT_NE(minor, nullptr);
    EXPECT_EQ(minor->pathLiteral, R"(\Mid\1\13.mid)");
    EXPECT_EQ(player::progressionFilePath("/opt/F", minor->pathLiteral), "/opt/F/Mid/1/13.mid");
}

TEST(ProgressionTable, MatchesNothingForOtherTextsOrKeys)
{
    EXPECT_EQ(findProgression("", 0), nullptr);
    EXPECT_EQ(findProgression("ii - v - i", 0), nullptr);
    EXPECT_EQ(findProgression("ii - V - I ", 0), nullptr);
    EXPECT_EQ(findProgression("ii - V - I", -1), nullptr);
    EXPECT_EQ(findProgression("ii - V - I", 12), nullptr);
}

// Each progression's chords as steps above the key and chord tones, and the
// blanks after each comma of its chord-name lines.
struct Degree {
    int step;
    std::vector<int> tones;
};
const std::vector<int> kMajor{0, 4, 7}, kMinor{0, 3, 7}, kDominant{0, 4, 7, 10}, kMajor7{0, 4, 7, 11},
    kMinor7{0, 3, 7, 10}, kHalfDiminished{0, 3, 6, 10};

struct Shape {
    std::vector<Degree> degrees;
    std::vector<int> blanks;
};

TEST(ProgressionTable, ChordLinesSpellEachProgressionInItsKey)
{
    const Shape shapes[] = {
        {{{2, kMinor7}, {7, kDominant}, {0, kMajor7}}, {2, 2}},
        {{{2, kHalfDiminished}, {7, kDominant}, {0, kMinor7}}, {2, 2}},
        {{{0, kMajor}, {5, kMajor}, {7, kMajor}, {0, kMajor}}, {1, 1, 1}},
        {{{0, kMinor}, {5, kMinor}, {7, kMinor}, {0, kMinor}}, {1, 1, 1}},
        {{{9, kMinor7}, {2, kMinor7}, {7, kDominant}, {0, kMajor7}}, {1, 2, 2}},
        {{{0, kDominant}, {5, kDominant}, {7, kDominant}, {0, kDominant}}, {1, 1, 1}},
        {{{0, kMajor}, {5, kMajor}, {7, kDominant}, {0, kMajor}}, {1, 1, 1}},
        {{{0, kMajor}, {0, kDominant}, {5, kMajor}, {7, kMajor}, {0, kMajor}}, {1, 1, 1, 1}},
    };
    for (std::size_t i = 0; i < progressionTable().size(); ++i) {
        const auto& row = progressionTable()[i];
        const Shape& shape = shapes[i / 12];
        auto symbols = player::splitChordLine(row.chordLine);
        ASSERT_EQ(symbols.size(), shape.degrees.size()) << row.chordLine;

        std::string rebuilt;
        for (std::size_t c = 0; c < symbols.size(); ++c) {
            if (c > 0)
                rebuilt += "," + std::string(static_cast<std::size_t>(shape.blanks[c - 1]), ' ');
            rebuilt += symbols[c];

            auto chord = player::parseChordSymbol(symbols[c]);
            ASSERT_TRUE(chord) << symbols[c];
            const Degree& degree = shape.degrees[c];
            EXPECT_EQ(chord->root, (row.keyIndex + degree.step) % 12) << row.chordLine;
            EXPECT_EQ(chord->intervals, degree.tones) << row.chordLine;
        }
        EXPECT_EQ(rebuilt, row.chordLine);
    }
}

}  // namespace

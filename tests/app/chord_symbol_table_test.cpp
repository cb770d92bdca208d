// The chord symbol table as data: its size, order, exact spellings and the look-up.
#include "app/chordsymboltable.h"

#include <QSet>
#include <gtest/gtest.h>

using symbols::chordSymbolTable;
using symbols::findChordSymbol;

namespace {

TEST(ChordSymbolTable, HoldsThirtySixDistinctKeysEachWithOneResult) {
    const auto& table = chordSymbolTable();
    ASSERT_EQ(table.size(), 36u);
    QSet<QString> keys;
    int messages = 0;
    for (const auto& row : table) {
        SCOPED_TRACE(row.chordType);
        keys.insert(QString::fromLatin1(row.chordType));
        EXPECT_NE(row.symbols == nullptr, row.message == nullptr);  // exactly one of them
        if (row.message) ++messages;
    }
    EXPECT_EQ(keys.size(), 36);
    EXPECT_EQ(messages, 1);
}

TEST(ChordSymbolTable, KeepsItsListOrder) {
    const auto& t = chordSymbolTable();
    EXPECT_STREQ(t[0].chordType, "Major");
    EXPECT_STREQ(t[1].chordType, "Major 7th");
    EXPECT_STREQ(t[2].chordType, "Major 6th");
    EXPECT_STREQ(t[3].chordType, "Major 9th");
    EXPECT_STREQ(t[4].chordType, "Add9th");
    EXPECT_STREQ(t[8].chordType, "minor");
    EXPECT_STREQ(t[20].chordType, "7th");
    EXPECT_STREQ(t[21].chordType, "Dominant 7th");
    EXPECT_STREQ(t[35].chordType, "Dominant 13th (b9)(b5)");
}

TEST(ChordSymbolTable, WorkedValues) {
    struct Case {
        const char* key;
        const char* symbols;
    };
    const Case cases[] = {
        {"Major", "C, CMaj, CMa"},
        {"Augmented", "C Aug, C+"},
        {"Dominant 7th", "C7, CDom7"},
        // Two rows share one text, with two blanks before "Cm7(b5)".
        {"minor 7th (b5)", "Cmin7(b5), Cmi7(b5),  Cm7(b5), C -7(b5)"},
        {"Half Diminished", "Cmin7(b5), Cmi7(b5),  Cm7(b5), C -7(b5)"},
        {"Dominant 7th (b5)", "C7(b5), CDom7(b5)"},
        {"Add9th", "C add9"},
        {"Dominant 13th (b9)(b5)", "C13(b9)(b5), CDom13(b9)(b5)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const auto* row = findChordSymbol(c.key);
        ASSERT_NE(row, nullptr);
        EXPECT_STREQ(row->symbols, c.symbols);
    }
    const auto* seventh = findChordSymbol("7th");
    ASSERT_NE(seventh, nullptr);
    EXPECT_EQ(seventh->symbols, nullptr);
    EXPECT_STREQ(seventh->message, "Refer to Dominant 7th chord");
}

TEST(ChordSymbolTable, LookUpIsExact) {
    for (const auto& row : chordSymbolTable()) EXPECT_EQ(findChordSymbol(row.chordType), &row) << row.chordType;
    // Case, blanks and the lesson windows' own spellings do not match.
    for (const char* miss : {"major", "Major ", " Major", "MAJOR", "Major  7th", "Major7th", "Dominant 7th(b5)",
                             "Add 9th", "7th ", "Chord Type", ""})
        EXPECT_EQ(findChordSymbol(miss), nullptr) << '"' << miss << '"';
}

}  // namespace

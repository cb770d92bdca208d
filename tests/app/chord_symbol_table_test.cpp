// The chord symbol table as data: its size, its rows in order with their exact spellings,
// and the look-up.
#include "app/chordsymboltable.h"
#include "chordsymbolrows.h"

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

// Each row, in list order, as the page's table prints it.
TEST(ChordSymbolTable, HoldsThePagesRowsInListOrder) {
    const auto& table = chordSymbolTable();
    for (int i = 0; i < 36; ++i) {
        const chordsymbolrows::Row& want = chordsymbolrows::kRows[i];
        SCOPED_TRACE(testing::Message() << "position " << i << " " << want.chordType);
        EXPECT_STREQ(table[i].chordType, want.chordType);
        EXPECT_STREQ(table[i].symbols, want.symbols);
        EXPECT_STREQ(table[i].message, want.message);
        // The look-up by the typed text finds the same row.
        EXPECT_EQ(findChordSymbol(want.chordType), &table[i]);
    }
}

TEST(ChordSymbolTable, LookUpIsExact) {
    for (const auto& row : chordSymbolTable()) EXPECT_EQ(findChordSymbol(row.chordType), &row) << row.chordType;
    // Case, blanks and the lesson windows' own spellings do not match.
    for (const char* miss : {"major", "Major ", " Major", "MAJOR", "Major  7th", "Major7th", "Dominant 7th(b5)",
                             "Add 9th", "7th ", "Chord Type", ""})
        EXPECT_EQ(findChordSymbol(miss), nullptr) << '"' << miss << '"';
}

}  // namespace

#pragma once
// The chord symbol table of the chord symbols page: for each chord type the page knows,
// the symbols written for it on the root C, or for one type a message instead.

#include <QString>
#include <array>

namespace symbols {

struct ChordSymbolRow {
    const char* chordType;  // the list entry, and the key the typed text must match exactly
    const char* symbols;    // what the page shows; null when the row answers with a message
    const char* message;    // null unless the row answers with a message
};

inline constexpr int kChordSymbolRows = 36;

// In list order.
const std::array<ChordSymbolRow, kChordSymbolRows>& chordSymbolTable();

// The row whose key is exactly the text (case and blanks count), or null.
const ChordSymbolRow* findChordSymbol(const QString& chordType);

}  // namespace symbols

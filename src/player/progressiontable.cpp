#include "player/progressiontable.h"

#include <algorithm>
#include <array>

namespace player {
namespace {

constexpr std::array<Progression, kProgressionCount> kProgressions = {{
    {"ii - V - I", 2},
    {"minor ii - V - I", 1},
    {"I - IV - V", 5},
    {"minor i - iv - v", 3},
    {"vi - ii - V - I", 6},
    {"I7 - IV7 - V7", 4},
    {"I - IV - V7", 8},
    {"I - I7 - IV - V", 7},
}};

constexpr std::array<std::string_view, kKeyCount> kKeyCaptions = {
    "C", "C#/Db", "D", "D#/Eb", "E", "F", "F#/Gb", "G", "G#/Ab", "A", "A#/Bb", "B",
};

// Progression name, key index, path literal, chord-name line. The file numbers
// follow no rule from the key, so every row is carried whole.
constexpr std::array<ProgressionRow, kRowCount> kRows = {{
    // "ii - V - I", folder 2
    {"ii - V - I",  0, R"(\Mid\2\4.mid)", "Dmi7,  G7,  CMaj7"},
    {"ii - V - I",  1, R"(\Mid\2\5.mid)", "Ebmi7,  Ab7,  DbMaj7"},
    {"ii - V - I",  2, R"(\Mid\2\6.mid)", "Emi7,  A7,  DMaj7"},
    {"ii - V - I",  3, R"(\Mid\2\7.mid)", "Fmi7,  Bb7,  EbMaj7"},
    {"ii - V - I",  4, R"(\Mid\2\8.mid)", "F#mi7,  B7,  EMaj7"},
    {"ii - V - I",  5, R"(\Mid\2\9.mid)", "Gmi7,  C7,  FMaj7"},
    {"ii - V - I",  6, R"(\Mid\2\10.mid)", "Abmi7,  Db7,  GbMaj7"},
    {"ii - V - I",  7, R"(\Mid\2\11.mid)", "Ami7,  D7,  GMaj7"},
    {"ii - V - I",  8, R"(\Mid\2\12.mid)", "Bbmi7,  Eb7,  AbMaj7"},
    {"ii - V - I",  9, R"(\Mid\2\1.mid)", "Bmi7,  E7,  AMaj7"},
    {"ii - V - I", 10, R"(\Mid\2\2.mid)", "Cmi7,  F7,  BbMaj7"},
    {"ii - V - I", 11, R"(\Mid\2\3.mid)", "C#mi7,  F#7,  BMaj7"},

    // "minor ii - V - I", folder 1
    {"minor ii - V - I",  0, R"(\Mid\1\21.mid)", "Dmi7(b5),  G7,  Cmi7"},
    {"minor ii - V - I",  1, R"(\Mid\1\20.mid)", "D#mi7(b5),  G#7,  C#mi7"},
    {"minor ii - V - I",  2, R"(\Mid\1\19.mid)", "Emi7(b5),  A7,  Dmi7"},
    {"minor ii - V - I",  3, R"(\Mid\1\18.mid)", "Fmi7(b5),  Bb7,  Ebmi7"},
    {"minor ii - V - I",  4, R"(\Mid\1\17.mid)", "F#mi7(b5),  B7,  Emi7"},
    {"minor ii - V - I",  5, R"(\Mid\1\16.mid)", "Gmi7(b5),  C7,  Fmi7"},
    {"minor ii - V - I",  6, R"(\Mid\1\15.mid)", "G#mi7(b5),  C#7,  F#mi7"},
    {"minor ii - V - I",  7, R"(\Mid\1\14.mid)", "Ami7(b5),  D7,  Gmi7"},
    {"minor ii - V - I",  8, R"(\Mid\1\13.mid)", "A#mi7(b5),  D#7,  G#mi7"},
    {"minor ii - V - I",  9, R"(\Mid\1\24.mid)", "Bmi7(b5),  E7,  Ami7"},
    {"minor ii - V - I", 10, R"(\Mid\1\23.mid)", "Cmi7(b5),  F7,  Bbmi7"},
    {"minor ii - V - I", 11, R"(\Mid\1\22.mid)", "C#mi7(b5),  F#7,  Bmi7"},

    // "I - IV - V", folder 5
    {"I - IV - V",  0, R"(\Mid\5\47.mid)", "CMaj, FMaj, GMaj, CMaj"},
    {"I - IV - V",  1, R"(\Mid\5\46.mid)", "DbMaj, GbMaj, AbMaj, DbMaj"},
    {"I - IV - V",  2, R"(\Mid\5\45.mid)", "DMaj, GMaj, AMaj, DMaj"},
    {"I - IV - V",  3, R"(\Mid\5\44.mid)", "EbMaj, AbMaj, BbMaj, EbMaj"},
    {"I - IV - V",  4, R"(\Mid\5\39.mid)", "EMaj, AMaj, BMaj, EMaj"},
    {"I - IV - V",  5, R"(\Mid\5\43.mid)", "FMaj, BbMaj, CMaj, FMaj"},
    {"I - IV - V",  6, R"(\Mid\5\42.mid)", "GbMaj, CbMaj, DbMaj, GbMaj"},
    {"I - IV - V",  7, R"(\Mid\5\41.mid)", "GMaj, CMaj, DMaj, GMaj"},
    {"I - IV - V",  8, R"(\Mid\5\40.mid)", "AbMaj, DbMaj, EbMaj, AbMaj"},
    {"I - IV - V",  9, R"(\Mid\5\50.mid)", "AMaj, DMaj, EMaj, AMaj"},
    {"I - IV - V", 10, R"(\Mid\5\49.mid)", "BbMaj, EbMaj, FMaj, BbMaj"},
    {"I - IV - V", 11, R"(\Mid\5\48.mid)", "BMaj, EMaj, F#Maj, BMaj"},

    // "minor i - iv - v", folder 3
    {"minor i - iv - v",  0, R"(\Mid\3\32.mid)", "Cmi, Fmi, Gmi, Cmi"},
    {"minor i - iv - v",  1, R"(\Mid\3\30.mid)", "C#mi, F#mi, G#mi, C#mi"},
    {"minor i - iv - v",  2, R"(\Mid\3\36.mid)", "Dmi, Gmi, Ami, Dmi"},
    {"minor i - iv - v",  3, R"(\Mid\3\28.mid)", "Ebmi, Abmi, Bbmi, Ebmi"},
    {"minor i - iv - v",  4, R"(\Mid\3\26.mid)", "Emi, Ami, Bmi, Emi"},
    {"minor i - iv - v",  5, R"(\Mid\3\25.mid)", "Fmi, Bbmi, Cmi, Fmi"},
    {"minor i - iv - v",  6, R"(\Mid\3\27.mid)", "F#mi, Bmi, C#mi, F#mi"},
    {"minor i - iv - v",  7, R"(\Mid\3\29.mid)", "Gmi, Cmi, Dmi, Gmi"},
    {"minor i - iv - v",  8, R"(\Mid\3\31.mid)", "G#mi, C#mi, D#mi, G#mi"},
    {"minor i - iv - v",  9, R"(\Mid\3\33.mid)", "Ami, Dmi, Emi, Ami"},
    {"minor i - iv - v", 10, R"(\Mid\3\35.mid)", "Bbmi, Ebmi, Fmi, Bbmi"},
    {"minor i - iv - v", 11, R"(\Mid\3\34.mid)", "Bmi, Emi, F#mi, Bmi"},

    // "vi - ii - V - I", folder 6
    {"vi - ii - V - I",  0, R"(\Mid\6\56.mid)", "Ami7, Dmi7,  G7,  CMaj7"},
    {"vi - ii - V - I",  1, R"(\Mid\6\58.mid)", "Bbmi7, Ebmi7,  Ab7,  DbMaj7"},
    {"vi - ii - V - I",  2, R"(\Mid\6\57.mid)", "Bmi7, Emi7,  A7,  DMaj7"},
    {"vi - ii - V - I",  3, R"(\Mid\6\59.mid)", "Cmi7, Fmi7,  Bb7,  EbMaj7"},
    {"vi - ii - V - I",  4, R"(\Mid\6\55.mid)", "C#mi7, F#mi7,  B7,  EMaj7"},
    {"vi - ii - V - I",  5, R"(\Mid\6\54.mid)", "Dmi7, Gmi7,  C7,  FMaj7"},
    {"vi - ii - V - I",  6, R"(\Mid\6\53.mid)", "Ebmi7, Abmi7,  Db7,  GbMaj7"},
    {"vi - ii - V - I",  7, R"(\Mid\6\52.mid)", "Emi7, Ami7,  D7,  GMaj7"},
    {"vi - ii - V - I",  8, R"(\Mid\6\51.mid)", "Fmi7, Bbmi7,  Eb7,  AbMaj7"},
    {"vi - ii - V - I",  9, R"(\Mid\6\62.mid)", "F#mi7, Bmi7,  E7,  AMaj7"},
    {"vi - ii - V - I", 10, R"(\Mid\6\61.mid)", "Gmi7, Cmi7,  F7,  BbMaj7"},
    {"vi - ii - V - I", 11, R"(\Mid\6\60.mid)", "G#mi7, C#mi7,  F#7,  BMaj7"},

    // "I7 - IV7 - V7", folder 4
    {"I7 - IV7 - V7",  0, R"(\Mid\4\71.mid)", "C7, F7, G7, C7"},
    {"I7 - IV7 - V7",  1, R"(\Mid\4\70.mid)", "Db7, Gb7, Ab7, Db7"},
    {"I7 - IV7 - V7",  2, R"(\Mid\4\69.mid)", "D7, G7, A7, D7"},
    {"I7 - IV7 - V7",  3, R"(\Mid\4\68.mid)", "Eb7, Ab7, Bb7, Eb7"},
    {"I7 - IV7 - V7",  4, R"(\Mid\4\67.mid)", "E7, A7, B7, E7"},
    {"I7 - IV7 - V7",  5, R"(\Mid\4\66.mid)", "F7, Bb7, C7, F7"},
    {"I7 - IV7 - V7",  6, R"(\Mid\4\65.mid)", "Gb7, Cb7, Db7, Gb7"},
    {"I7 - IV7 - V7",  7, R"(\Mid\4\64.mid)", "G7, C7, D7, G7"},
    {"I7 - IV7 - V7",  8, R"(\Mid\4\63.mid)", "Ab7, Db7, Eb7, Ab7"},
    {"I7 - IV7 - V7",  9, R"(\Mid\4\74.mid)", "A7, D7, E7, A7"},
    {"I7 - IV7 - V7", 10, R"(\Mid\4\73.mid)", "Bb7, Eb7, F7, Bb7"},
    {"I7 - IV7 - V7", 11, R"(\Mid\4\72.mid)", "B7, E7, F#7, B7"},

    // "I - IV - V7", folder 8
    {"I - IV - V7",  0, R"(\Mid\8\83.mid)", "CMaj, FMaj, G7, CMaj"},
    {"I - IV - V7",  1, R"(\Mid\8\82.mid)", "DbMaj, GbMaj, Ab7, DbMaj"},
    {"I - IV - V7",  2, R"(\Mid\8\75.mid)", "DMaj, GMaj, A7, DMaj"},
    {"I - IV - V7",  3, R"(\Mid\8\76.mid)", "EbMaj, AbMaj, Bb7, EbMaj"},
    {"I - IV - V7",  4, R"(\Mid\8\77.mid)", "EMaj, AMaj, B7, EMaj"},
    {"I - IV - V7",  5, R"(\Mid\8\78.mid)", "FMaj, BbMaj, C7, FMaj"},
    {"I - IV - V7",  6, R"(\Mid\8\79.mid)", "GbMaj, CbMaj, Db7, GbMaj"},
    {"I - IV - V7",  7, R"(\Mid\8\80.mid)", "GMaj, CMaj, D7, GMaj"},
    {"I - IV - V7",  8, R"(\Mid\8\81.mid)", "AbMaj, DbMaj, Eb7, AbMaj"},
    {"I - IV - V7",  9, R"(\Mid\8\86.mid)", "AMaj, DMaj, E7, AMaj"},
    {"I - IV - V7", 10, R"(\Mid\8\85.mid)", "BbMaj, EbMaj, F7, BbMaj"},
    {"I - IV - V7", 11, R"(\Mid\8\84.mid)", "BMaj, EMaj, F#7, BMaj"},

    // "I - I7 - IV - V", folder 7
    {"I - I7 - IV - V",  0, R"(\Mid\7\92.mid)", "C, C7, F, G, C"},
    {"I - I7 - IV - V",  1, R"(\Mid\7\93.mid)", "Db, Db7, Gb, Ab, Db"},
    {"I - I7 - IV - V",  2, R"(\Mid\7\94.mid)", "D, D7, G, A, D"},
    {"I - I7 - IV - V",  3, R"(\Mid\7\95.mid)", "Eb, Eb7, Ab, Bb, Eb"},
    {"I - I7 - IV - V",  4, R"(\Mid\7\96.mid)", "E, E7, A, B, E"},
    {"I - I7 - IV - V",  5, R"(\Mid\7\97.mid)", "F, F7, Bb, C, F"},
    {"I - I7 - IV - V",  6, R"(\Mid\7\98.mid)", "Gb, Gb7, Cb, Db, Gb"},
    {"I - I7 - IV - V",  7, R"(\Mid\7\87.mid)", "G, G7, C, D, G"},
    {"I - I7 - IV - V",  8, R"(\Mid\7\88.mid)", "Ab, Ab7, Db, Eb, Ab"},
    {"I - I7 - IV - V",  9, R"(\Mid\7\89.mid)", "A, A7, D, E, A"},
    {"I - I7 - IV - V", 10, R"(\Mid\7\90.mid)", "Bb, Bb7, Eb, F, Bb"},
    {"I - I7 - IV - V", 11, R"(\Mid\7\91.mid)", "B, B7, E, F#, B"},
}};

}  // namespace

std::span<const Progression> progressions()
{
    return kProgressions;
}

std::span<const std::string_view> keyCaptions()
{
    return kKeyCaptions;
}

std::span<const ProgressionRow> progressionTable()
{
    return kRows;
}

const ProgressionRow* findProgression(std::string_view progression, int keyIndex)
{
    for (const ProgressionRow& row : kRows) {
        if (row.keyIndex == keyIndex && row.progression == progression)
            return &row;
    }
    return nullptr;
}

std::string progressionFilePath(std::string_view programDir, std::string_view pathLiteral)
{
    std::string path(programDir);
    path += pathLiteral;
    std::replace(path.begin() + static_cast<std::ptrdiff_t>(programDir.size()), path.end(), '\\', '/');
    return path;
}

}  // namespace player

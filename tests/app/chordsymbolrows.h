#pragma once
// The chord symbols page's 36 rows in list order, written out as the page's table prints
// them (never read from the program): chord type, then the symbols shown, or for "7th" the
// message. Two rows share one text, with two blanks before "Cm7(b5)".

namespace chordsymbolrows {

struct Row {
    const char* chordType;
    const char* symbols;  // null for the row that answers with a message
    const char* message;
};

inline constexpr Row kRows[36] = {
    {"Major", "C, CMaj, CMa", nullptr},
    {"Major 7th", "CMaj7, CMa7", nullptr},
    {"Major 6th", "CMaj6, CMa6, C6", nullptr},
    {"Major 9th", "CMaj9, CMa9", nullptr},
    {"Add9th", "C add9", nullptr},
    {"Suspended 2nd", "C sus2", nullptr},
    {"Suspended 4th", "C sus, C sus4", nullptr},
    {"Major 6th Add9th", "C9/6, CMaj9/6, CMa9/6", nullptr},
    {"minor", "Cmin, Cmi, Cm, C -", nullptr},
    {"minor 7th", "Cmin7, Cmi7, Cm7, C -7", nullptr},
    {"minor #7th", "Cmin#7, Cmi#7, Cm#7, C -#7", nullptr},
    {"minor 6th", "Cmin6, Cmi6, Cm6, C -6", nullptr},
    {"minor 9th", "Cmin9, Cmi9, Cm9, C -9", nullptr},
    {"minor 6th Add9th", "Cmin9/6, Cmi9/6, Cm9/6, C -9/6", nullptr},
    {"minor 9th (#7)", "Cmin9(#7), Cmi9(#7), Cm9(#7), C -9(#7)", nullptr},
    {"minor 11th", "Cmin11, Cmi11, Cm11, C -11", nullptr},
    {"minor 7th (b5)", "Cmin7(b5), Cmi7(b5),  Cm7(b5), C -7(b5)", nullptr},
    {"Augmented", "C Aug, C+", nullptr},
    {"Diminished", "C Dim, C Dim7, C o", nullptr},
    {"Half Diminished", "Cmin7(b5), Cmi7(b5),  Cm7(b5), C -7(b5)", nullptr},
    {"7th", nullptr, "Refer to Dominant 7th chord"},
    {"Dominant 7th", "C7, CDom7", nullptr},
    {"Dominant 7th Suspended", "C7 sus, CDom7 sus", nullptr},
    {"Dominant 7th (b5)", "C7(b5), CDom7(b5)", nullptr},
    {"Dominant 7th (b9)", "C7(b9), CDom7(b9)", nullptr},
    {"Dominant 7th (#9)", "C7(#9), CDom7(#9)", nullptr},
    {"Dominant 7th (#5)", "C7(#5), C7+5, CDom7(#5), CDom7+5", nullptr},
    {"Dominant 7th (b9)(#5)", "C7(b9)(#5), C7+5(b9), CDom7+5(b9)", nullptr},
    {"Dominant 9th", "C9, CDom9", nullptr},
    {"Dominant 9th (b5)", "C9(b5), CDom9(b5)", nullptr},
    {"Dominant 9th (#11)", "C9(#11), CDom9(#11)", nullptr},
    {"Dominant 9th (#5)", "C9(#5), C9+5, CDom9(#5), CDom9+5", nullptr},
    {"Dominant 11th", "C11, CDom11", nullptr},
    {"Dominant 13th", "C13, CDom13", nullptr},
    {"Dominant 13th (b9)", "C13(b9), CDom13(b9)", nullptr},
    {"Dominant 13th (b9)(b5)", "C13(b9)(b5), CDom13(b9)(b5)", nullptr},
};

}  // namespace chordsymbolrows

#pragma once
// What each lesson window answers for every key of its list, written out from each lesson's
// own table as printed, never read from the program: the lesson tests and the random-use
// test hold the windows to these, so a wrong row in the program's tables shows.

#include <QString>

#include <optional>

namespace lessonkeys {

// The answer of a Strum with every choice made: a diagram with its fret label, or a message
// (a referral, or a lesson's own check) and no diagram. Neither: the table has no row.
struct Answer {
    int id = 0;
    QString fret;
    QString message;
};

// A diagram and its fret number (a base fret where the form moves with the root).
struct Cell {
    int id, fret;
};

// Chord type by list position, then root index and form (or inversion) index.
namespace basic {
inline constexpr const char* kTypes[2] = {"Major", "minor"};
// Form 1 by root, and forms 2 to 4: one diagram each and its fret numbers by root.
inline constexpr int kMajorForm1[12] = {101, 113, 117, 121, 125, 129, 133, 137, 141, 145, 149, 153};
inline constexpr int kMinorForm1[12] = {104, 114, 118, 122, 126, 130, 134, 138, 142, 146, 150, 154};
inline constexpr int kMovableIds[2][3] = {{102, 103, 185}, {105, 106, 186}};
inline constexpr int kMovableFrets[3][12] = {
    {8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6, 7},
    {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2},
    {10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9},
};
Answer answer(int type, int root, int form);
}  // namespace basic

namespace seventh {
// Form 1 per root, then (diagram, base fret) of forms 2 to 4.
struct Row {
    const char* type;
    int form1[12];
    int movable[3][2];
};
inline constexpr Row kRows[4] = {
    {"Major7th", {110, 116, 120, 124, 128, 132, 136, 140, 144, 148, 152, 156}, {{111, 8}, {112, 3}, {188, 10}}},
    {"minor7th", {161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171, 172}, {{157, 8}, {158, 3}, {189, 10}}},
    {"7th", {107, 115, 119, 123, 127, 131, 135, 139, 143, 147, 151, 155}, {{108, 8}, {109, 3}, {187, 10}}},
    {"minor7th(b5)", {173, 174, 175, 176, 177, 178, 179, 180, 181, 182, 183, 184}, {{159, 7}, {160, 3}, {190, 10}}},
};
Answer answer(int type, int root, int form);
}  // namespace seventh

namespace inversions {
inline constexpr const char* kNoThirdMajor = "There is no 3rd. Inversion for a Major chord";
inline constexpr const char* kNoThirdMinor = "There is no 3rd. Inversion for a minor chord";
// (diagram, base fret) by inversion; 0 where the triads have no third inversion.
struct Row {
    const char* type;
    int entry[4][2];
};
inline constexpr Row kRows[8] = {
    {"Major", {{197, 8}, {198, 10}, {199, 1}, {0, 0}}},
    {"minor", {{105, 8}, {200, 10}, {201, 3}, {0, 0}}},
    {"Major7th", {{111, 8}, {202, 10}, {203, 1}, {204, 5}}},
    {"minor7th", {{205, 8}, {206, 10}, {207, 1}, {208, 4}}},
    {"Major6th", {{206, 7}, {207, 10}, {208, 1}, {205, 5}}},
    {"minor6th", {{209, 7}, {210, 10}, {211, 1}, {212, 4}}},
    {"7th", {{213, 8}, {214, 10}, {215, 1}, {216, 5}}},
    {"minor7th(b5)", {{212, 7}, {209, 10}, {210, 1}, {211, 4}}},
};
// The fret label numbers by base fret and root, as the lesson's table prints them.
struct FretRow {
    int baseFret;
    int fret[12];
};
inline constexpr FretRow kFrets[7] = {
    {1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},  {3, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2}},
    {4, {4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3}},  {5, {5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3, 4}},
    {7, {7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6}},  {8, {8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6, 7}},
    {10, {10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
};
int fretNumber(int baseFret, int root);
Answer answer(int type, int root, int inversion);
}  // namespace inversions

namespace susadd {
inline constexpr const char* kTypes[6] = {"Suspended 2nd",     "Suspended 4th",     "Add 9th",
                                          "Major 6th add 9th", "minor 6th add 9th", "Dominant 7th Suspended"};
// Form 1 of the first three chord types per root (diagram, fret), and diagram / base fret
// of every movable form (0 where form 1 is per root).
inline constexpr Cell kForm1[3][12] = {
    {{317, 1}, {322, 1}, {318, 1}, {323, 1}, {319, 1}, {320, 1}, {324, 1}, {321, 1}, {325, 1}, {315, 1}, {326, 1}, {316, 1}},
    {{291, 1}, {293, 1}, {292, 1}, {294, 1}, {295, 1}, {296, 3}, {296, 4}, {297, 1}, {298, 1}, {299, 1}, {300, 1}, {300, 2}},
    {{332, 1}, {335, 1}, {333, 1}, {335, 3}, {334, 1}, {335, 5}, {339, 1}, {336, 1}, {338, 1}, {330, 1}, {337, 1}, {331, 1}},
};
inline constexpr Cell kMovable[6][4] = {
    {{0, 0}, {312, 7}, {313, 3}, {314, 10}},   {{0, 0}, {288, 8}, {289, 3}, {290, 8}},
    {{0, 0}, {327, 8}, {328, 3}, {329, 8}},    {{304, 5}, {305, 2}, {306, 9}, {307, 7}},
    {{308, 8}, {309, 1}, {310, 8}, {311, 6}},  {{276, 8}, {301, 3}, {302, 10}, {303, 1}},
};
Answer answer(int type, int root, int form);
}  // namespace susadd

namespace extensions {
inline constexpr const char* kTypes[5] = {"Major9th", "minor9th", "minor#7th", "minor9th(#7)", "minor11th"};
// Diagram / base fret of each chord type's four forms.
inline constexpr Cell kTable[5][4] = {
    {{237, 7}, {238, 2}, {239, 10}, {240, 5}},
    {{241, 8}, {242, 1}, {243, 8}, {244, 6}},
    {{245, 8}, {246, 3}, {247, 10}, {248, 4}},
    {{249, 8}, {250, 1}, {251, 3}, {252, 6}},
    {{253, 8}, {254, 3}, {255, 10}, {256, 1}},
};
Answer answer(int type, int root, int form);
}  // namespace extensions

namespace dominant {
inline constexpr const char* kList[15] = {
    "Dominant 7th",      "Dominant 7th(b5)", "Dominant 7th(#5)",  "Dominant 7th(b9)",      "Dominant 7th(b9)(#5)",
    "Dominant 7th(#9)",  "Dominant 9th",     "Dominant 9th(b5)",  "Dominant 9th(#5)",      "Dominant 9th(#11)",
    "Dominant 11th",     "Dominant 13th",    "Dominant 13th(b9)", "Dominant 13th(b9)(b5)", "Dominant 7th sus",
};
// (diagram id, base fret) of forms 1 to 4, and the fret labels the text prints for roots
// "G#/Ab" to "B".
struct Row {
    int listIndex;
    int cell[4][2];
    const char* high[4][4];
};
inline constexpr Row kRows[9] = {
    {1, {{257, 7}, {258, 3}, {259, 10}, {260, 7}},
     {{"3rd Fret", "4th Fret", "5th Fret", "6th Fret"}, {"11th Fret", "12th Fret", "1st Fret", "2nd Fret"},
      {"6th Fret", "7th Fret", "8th Fret", "9th Fret"}, {"3rd Fret", "4th Fret", "5th Fret", "6th Fret"}}},
    {3, {{261, 6}, {262, 2}, {263, 9}, {235, 11}},
     {{"2nd Fret", "3rd Fret", "4th Fret", "5th Fret"}, {"10th Fret", "11th Fret", "12th Fret", "1st Fret"},
      {"5th Fret", "6th Fret", "7th Fret", "8th Fret"}, {"7th Fret", "8th Fret", "9th Fret", "10th Fret"}}},
    {5, {{264, 8}, {265, 2}, {266, 9}, {267, 7}},
     {{"4th Fret", "5th Fret", "6th Fret", "7th Fret"}, {"10th Fret", "11th Fret", "12th Fret", "1st Fret"},
      {"5th Fret", "6th Fret", "7th Fret", "8th Fret"}, {"3rd Fret", "4th Fret", "5th Fret", "6th Fret"}}},
    {6, {{268, 8}, {269, 2}, {270, 9}, {271, 5}},
     {{"4th Fret", "5th Fret", "6th Fret", "7th Fret"}, {"10th Fret", "11th Fret", "12th Fret", "1st Fret"},
      {"5th Fret", "6th Fret", "7th Fret", "8th Fret"}, {"1st Fret", "2nd Fret", "3rd Fret", "4th Fret"}}},
    {7, {{272, 7}, {273, 3}, {274, 10}, {275, 4}},
     {{"3rd Fret", "4th Fret", "5th Fret", "6th Fret"}, {"11th Fret", "12th Fret", "1st Fret", "2nd Fret"},
      {"6th Fret", "7th Fret", "8th Fret", "9th Fret"}, {"12th Fret", "1st Fret", "2nd Fret", "3rd Fret"}}},
    {10, {{276, 8}, {253, 3}, {254, 10}, {255, 5}},
     {{"4th Fret", "5th Fret", "6th Fret", "7th Fret"}, {"11th Fret", "12th Fret", "1st Fret", "2nd Fret"},
      {"6th Fret", "7th Fret", "8th Fret", "9th Fret"}, {"1st Fret", "2nd Fret", "3rd Fret", "4th Fret"}}},
    {11, {{277, 8}, {278, 2}, {279, 8}, {280, 8}},
     {{"4th Fret", "5th Fret", "6th Fret", "7th Fret"}, {"10th Fret", "11th Fret", "12th Fret", "1st Fret"},
      {"4th Fret", "5th Fret", "6th Fret", "7th Fret"}, {"4th Fret", "5th Fret", "6th Fret", "7th Fret"}}},
    {12, {{281, 5}, {282, 2}, {283, 8}, {284, 8}},
     {{"1st Fret", "2nd Fret", "3rd Fret", "4th Fret"}, {"10th Fret", "11th Fret", "12th Fret", "1st Fret"},
      {"4th Fret", "5th Fret", "6th Fret", "7th Fret"}, {"4th Fret", "5th Fret", "6th Fret", "7th Fret"}}},
    {13, {{285, 1}, {264, 2}, {286, 3}, {287, 8}},
     {{"9th Fret", "10th Fret", "11th Fret", "12th Fret"}, {"10th Fret", "11th Fret", "12th Fret", "1st Fret"},
      {"11th Fret", "12th Fret", "1st Fret", "2nd Fret"}, {"4th Fret", "5th Fret", "6th Fret", "7th Fret"}}},
};
// The referral types by list position, each with its one prompt.
struct Referral {
    int listIndex;
    const char* prompt;
};
inline constexpr Referral kReferrals[6] = {
    {0, "Please refer to 7th chords under 7th Type Chords"},
    {2, "Please refer to Augmented chords"},
    {4, "Please refer to Augmented chords"},
    {8, "Please refer to Augmented chords"},
    {9, "Please refer to Dominant 9th(b5) chords"},
    {14, "Please refer to Suspended chords"},
};
Answer answer(int listIndex, int root, int form);
}  // namespace dominant

namespace dimaug {
inline constexpr const char* kList[6] = {"Augmented",  "Dominant 7th(#5)", "Dominant 9th(#5)", "Dominant 7th(b9)(#5)",
                                         "Diminished", "Half Diminished"};
inline constexpr const char* kHalfDiminished = "Please refer to minor7th(b5) chords under 7th Type Chords";
// (diagram id, base fret) of forms 1 to 4 of the first five list entries.
inline constexpr int kCells[5][4][2] = {
    {{217, 8}, {218, 1}, {219, 3}, {220, 8}},
    {{221, 8}, {222, 3}, {223, 10}, {224, 1}},
    {{225, 8}, {226, 2}, {227, 9}, {228, 1}},
    {{229, 8}, {230, 2}, {231, 9}, {232, 6}},
    {{233, 7}, {234, 2}, {235, 10}, {236, 5}},
};
Answer answer(int listIndex, int root, int form);
}  // namespace dimaug

// The answer of the lesson window of that class name; none for a window not listed here.
std::optional<Answer> answer(const QString& windowName, int listIndex, int root, int form);

}  // namespace lessonkeys

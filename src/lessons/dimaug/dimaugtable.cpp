#include "lessons/dimaug/dimaugtable.h"

namespace lessons {

namespace {

// In the list's order. Every form is movable: (diagram id, fret label number for "C").
constexpr ChordTypeRecord kRecords[] = {
    //  chord type             referral  form 1           form 2           form 3            form 4
    {"Augmented", nullptr,            {movable(217, 8), movable(218, 1), movable(219, 3),  movable(220, 8)}},
    {"Dominant 7th(#5)", nullptr,     {movable(221, 8), movable(222, 3), movable(223, 10), movable(224, 1)}},
    {"Dominant 9th(#5)", nullptr,     {movable(225, 8), movable(226, 2), movable(227, 9),  movable(228, 1)}},
    {"Dominant 7th(b9)(#5)", nullptr, {movable(229, 8), movable(230, 2), movable(231, 9),  movable(232, 6)}},
    {"Diminished", nullptr,           {movable(233, 7), movable(234, 2), movable(235, 10), movable(236, 5)}},
    {"Half Diminished", "Please refer to minor7th(b5) chords " "under 7th Type Chords"},
};

}  // namespace

const LessonTable kDimAugTable{kRecords};

}  // namespace lessons

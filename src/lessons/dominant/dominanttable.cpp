#include "lessons/dominant/dominanttable.h"

namespace lessons {

namespace {

constexpr const char* kSeeAugmented = "Please refer to Augmented chords";

// In the list's order. Every form is movable: (diagram id, fret label number for "C").
constexpr ChordTypeRecord kRecords[] = {
    //  chord type              referral
    {"Dominant 7th", "Please refer to 7th chords " "under 7th Type Chords"},
    {"Dominant 7th(b5)", nullptr,      {movable(257, 7), movable(258, 3), movable(259, 10), movable(260, 7)}},
    {"Dominant 7th(#5)", kSeeAugmented},
    {"Dominant 7th(b9)", nullptr,      {movable(261, 6), movable(262, 2), movable(263, 9), movable(235, 11)}},
    {"Dominant 7th(b9)(#5)", kSeeAugmented},
    {"Dominant 7th(#9)", nullptr,      {movable(264, 8), movable(265, 2), movable(266, 9), movable(267, 7)}},
    {"Dominant 9th", nullptr,          {movable(268, 8), movable(269, 2), movable(270, 9), movable(271, 5)}},
    {"Dominant 9th(b5)", nullptr,      {movable(272, 7), movable(273, 3), movable(274, 10), movable(275, 4)}},
    {"Dominant 9th(#5)", kSeeAugmented},
    {"Dominant 9th(#11)", "Please refer to Dominant 9th(b5) chords"},
    {"Dominant 11th", nullptr,         {movable(276, 8), movable(253, 3), movable(254, 10), movable(255, 5)}},
    {"Dominant 13th", nullptr,         {movable(277, 8), movable(278, 2), movable(279, 8), movable(280, 8)}},
    {"Dominant 13th(b9)", nullptr,     {movable(281, 5), movable(282, 2), movable(283, 8), movable(284, 8)}},
    {"Dominant 13th(b9)(b5)", nullptr, {movable(285, 1), movable(264, 2), movable(286, 3), movable(287, 8)}},
    {"Dominant 7th sus", "Please refer to Suspended chords"},
};

}  // namespace

const LessonTable kDominantTable{kRecords};

}  // namespace lessons

#include "lessons/susadd/susaddtable.h"

namespace lessons {

namespace {

//                                                C  C#/Db    D  D#/Eb    E    F  F#/Gb    G  G#/Ab    A  A#/Bb    B
constexpr RootRows kSus2Form1 = atFirstFret(     {317, 322, 318, 323, 319, 320, 324, 321, 325, 315, 326, 316});

// Two diagrams serve two roots each, placed one fret higher for the second.
constexpr RootRows kSus4Form1 = {{
    {291, 1}, {293, 1}, {292, 1}, {294, 1}, {295, 1}, {296, 3},  // C .. F
    {296, 4}, {297, 1}, {298, 1}, {299, 1}, {300, 1}, {300, 2},  // F#/Gb .. B
}};

// One diagram serves C#/Db, D#/Eb and F, moved up the neck.
constexpr RootRows kAdd9Form1 = {{
    {332, 1}, {335, 1}, {333, 1}, {335, 3}, {334, 1}, {335, 5},  // C .. F
    {339, 1}, {336, 1}, {338, 1}, {330, 1}, {337, 1}, {331, 1},  // F#/Gb .. B
}};

constexpr ChordTypeRecord kRecords[] = {
    //  chord type                   referral  form 1                     form 2           form 3           form 4
    {"Suspended 2nd", nullptr,          {rootSpecific(kSus2Form1), movable(312, 7), movable(313, 3), movable(314, 10)}},
    {"Suspended 4th", nullptr,          {rootSpecific(kSus4Form1), movable(288, 8), movable(289, 3), movable(290, 8)}},
    {"Add 9th", nullptr,                {rootSpecific(kAdd9Form1), movable(327, 8), movable(328, 3), movable(329, 8)}},
    {"Major 6th add 9th", nullptr,      {movable(304, 5),          movable(305, 2), movable(306, 9), movable(307, 7)}},
    {"minor 6th add 9th", nullptr,      {movable(308, 8),          movable(309, 1), movable(310, 8), movable(311, 6)}},
    {"Dominant 7th Suspended", nullptr, {movable(276, 8),          movable(301, 3), movable(302, 10), movable(303, 1)}},
};

}  // namespace

const LessonTable kSusAddTable{kRecords};

}  // namespace lessons

#include "lessons/seventh/seventhtable.h"

namespace lessons {

namespace {

//                                                  C  C#/Db    D  D#/Eb    E    F  F#/Gb    G  G#/Ab    A  A#/Bb    B
constexpr RootRows kMajor7thForm1 = atFirstFret({110, 116, 120, 124, 128, 132, 136, 140, 144, 148, 152, 156});
constexpr RootRows kMinor7thForm1 = atFirstFret({161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171, 172});
constexpr RootRows k7thForm1 = atFirstFret(     {107, 115, 119, 123, 127, 131, 135, 139, 143, 147, 151, 155});
constexpr RootRows kMinor7thB5Form1 = atFirstFret({173, 174, 175, 176, 177, 178, 179, 180, 181, 182, 183, 184});

constexpr ChordTypeRecord kRecords[] = {
    //  chord type         referral  form 1                          form 2          form 3          form 4
    {"Major7th", nullptr,     {rootSpecific(kMajor7thForm1),   movable(111, 8), movable(112, 3), movable(188, 10)}},
    {"minor7th", nullptr,     {rootSpecific(kMinor7thForm1),   movable(157, 8), movable(158, 3), movable(189, 10)}},
    {"7th", nullptr,          {rootSpecific(k7thForm1),        movable(108, 8), movable(109, 3), movable(187, 10)}},
    {"minor7th(b5)", nullptr, {rootSpecific(kMinor7thB5Form1), movable(159, 7), movable(160, 3), movable(190, 10)}},
};

}  // namespace

const LessonTable kSeventhTable{kRecords};

}  // namespace lessons

#include "lessons/majorminor/majorminortable.h"

namespace lessons {

namespace {

//                                            C  C#/Db    D  D#/Eb    E    F  F#/Gb    G  G#/Ab    A  A#/Bb    B
constexpr RootRows kMajorForm1 = atFirstFret({101, 113, 117, 121, 125, 129, 133, 137, 141, 145, 149, 153});
constexpr RootRows kMinorForm1 = atFirstFret({104, 114, 118, 122, 126, 130, 134, 138, 142, 146, 150, 154});

constexpr ChordTypeRecord kRecords[] = {
    //  chord type  referral   form 1                     form 2          form 3          form 4
    {"Major", nullptr, {rootSpecific(kMajorForm1), movable(102, 8), movable(103, 3), movable(185, 10)}},
    {"minor", nullptr, {rootSpecific(kMinorForm1), movable(105, 8), movable(106, 3), movable(186, 10)}},
};

}  // namespace

const LessonTable kMajorMinorTable{kRecords};

}  // namespace lessons

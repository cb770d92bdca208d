#include "lessons/inversions/inversionstable.h"

namespace lessons {

namespace {

// Several chord types share a diagram: a sixth chord is a seventh chord of another root
// ("Major6th" on C is "minor7th" on A, "minor7th(b5)" on A is "minor6th" on C).
constexpr ChordTypeRecord kRecords[] = {
    //  chord type        referral   root position     1st inversion     2nd inversion     3rd inversion
    {"Major", nullptr,        {movable(197, 8), movable(198, 10), movable(199, 1), absent()}},
    {"minor", nullptr,        {movable(105, 8), movable(200, 10), movable(201, 3), absent()}},
    {"Major7th", nullptr,     {movable(111, 8), movable(202, 10), movable(203, 1), movable(204, 5)}},
    {"minor7th", nullptr,     {movable(205, 8), movable(206, 10), movable(207, 1), movable(208, 4)}},
    {"Major6th", nullptr,     {movable(206, 7), movable(207, 10), movable(208, 1), movable(205, 5)}},
    {"minor6th", nullptr,     {movable(209, 7), movable(210, 10), movable(211, 1), movable(212, 4)}},
    {"7th", nullptr,          {movable(213, 8), movable(214, 10), movable(215, 1), movable(216, 5)}},
    {"minor7th(b5)", nullptr, {movable(212, 7), movable(209, 10), movable(210, 1), movable(211, 4)}},
};

}  // namespace

const LessonTable kInversionsTable{kRecords};

}  // namespace lessons

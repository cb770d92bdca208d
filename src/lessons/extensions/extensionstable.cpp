#include "lessons/extensions/extensionstable.h"

namespace lessons {

namespace {

constexpr ChordTypeRecord kRecords[] = {
    //  chord type         referral  form 1           form 2           form 3            form 4
    {"Major9th", nullptr,     {movable(237, 7), movable(238, 2), movable(239, 10), movable(240, 5)}},
    {"minor9th", nullptr,     {movable(241, 8), movable(242, 1), movable(243, 8),  movable(244, 6)}},
    {"minor#7th", nullptr,    {movable(245, 8), movable(246, 3), movable(247, 10), movable(248, 4)}},
    {"minor9th(#7)", nullptr, {movable(249, 8), movable(250, 1), movable(251, 3),  movable(252, 6)}},
    {"minor11th", nullptr,    {movable(253, 8), movable(254, 3), movable(255, 10), movable(256, 1)}},
};

}  // namespace

const LessonTable kExtensionsTable{kRecords};

}  // namespace lessons

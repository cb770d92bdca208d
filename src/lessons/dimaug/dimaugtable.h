#pragma once

#include "lessons/core/lessontable.h"

namespace lessons {

// Augmented, the three altered-fifth dominants and diminished, four movable forms each;
// "Half Diminished" refers the user to the seventh chords lesson.
extern const LessonTable kDimAugTable;

}  // namespace lessons

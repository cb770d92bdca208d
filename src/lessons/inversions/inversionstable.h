#pragma once

#include "lessons/core/lessontable.h"

namespace lessons {

// Triads, seventh and sixth chords in root position and their inversions, all movable:
// "Major" and "minor" have no third inversion.
extern const LessonTable kInversionsTable;

}  // namespace lessons

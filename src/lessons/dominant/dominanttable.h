#pragma once

#include "lessons/core/lessontable.h"

namespace lessons {

// The extended and altered dominants: nine chord types with four movable forms each, and
// six that refer the user to the lesson where that chord is taught.
extern const LessonTable kDominantTable;

}  // namespace lessons

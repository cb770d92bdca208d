#pragma once

#include "lessons/core/lessontable.h"

namespace lessons {

// "Major" and "minor": form 1 a diagram of its own for each root, forms 2 to 4 movable.
extern const LessonTable kMajorMinorTable;

}  // namespace lessons

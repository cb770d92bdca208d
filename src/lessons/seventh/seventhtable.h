#pragma once

#include "lessons/core/lessontable.h"

namespace lessons {

// "Major7th", "minor7th", "7th" and "minor7th(b5)": form 1 per root, forms 2 to 4 movable.
extern const LessonTable kSeventhTable;

}  // namespace lessons

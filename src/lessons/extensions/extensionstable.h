#pragma once

#include "lessons/core/lessontable.h"

namespace lessons {

// "Major9th", "minor9th", "minor#7th", "minor9th(#7)" and "minor11th": every form movable.
extern const LessonTable kExtensionsTable;

}  // namespace lessons

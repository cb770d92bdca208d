#pragma once

#include "lessons/core/lessontable.h"

namespace lessons {

// Suspended, add-9, 6/9 and suspended dominant chords: form 1 of the first three chord
// types per root, every other form movable.
extern const LessonTable kSusAddTable;

}  // namespace lessons

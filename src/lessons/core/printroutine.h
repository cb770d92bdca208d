#pragma once

namespace lessons {

class LessonWindow;

// "Print Chord": copies the shown diagram, its fret label and the chord's name into the
// print preview window, or says "Nothing to print".
void PrintRoutine(LessonWindow& lesson);

}  // namespace lessons

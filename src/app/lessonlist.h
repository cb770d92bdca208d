#pragma once
// Every lesson window the program has, for tools and tests that go through them all.

#include <vector>

namespace lessons {
class LessonWindow;
}

std::vector<lessons::LessonWindow*> allLessonWindows();

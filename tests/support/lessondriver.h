#pragma once
// Picks choices in a lesson window the way a user does: mouse clicks on the real widgets.

#include "lessons/core/lessonwindow.h"
#include "uitest.h"

namespace lessondriver {

void pickChordType(const lessons::LessonWindow& w, int index);
void pickRoot(const lessons::LessonWindow& w, int root);
void pickForm(const lessons::LessonWindow& w, int form);
// Clicks the one visible Strum button.
void strum(const lessons::LessonWindow& w);
// The diagram the window shows, 0 when its picture is empty or hidden.
int shownDiagram(const lessons::LessonWindow& w);

}  // namespace lessondriver

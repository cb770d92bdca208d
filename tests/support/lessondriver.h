#pragma once
// Picks choices in a lesson window the way a user does: mouse clicks on the real widgets.

#include "lessons/core/lessonwindow.h"
#include "uitest.h"

#include <QString>

namespace lessondriver {

void pickChordType(const lessons::LessonWindow& w, int index);
void pickRoot(const lessons::LessonWindow& w, int root);
void pickForm(const lessons::LessonWindow& w, int form);
// Clicks the one visible Strum button.
void strum(const lessons::LessonWindow& w);
// Picks a chord type, a root and a form, then clicks the visible Strum button.
void show(const lessons::LessonWindow& w, int type, int root, int form);
// Presses Enter with the focus in the chord type list, which is no button: the window's
// default button, if any, takes it.
void pressEnterInList(const lessons::LessonWindow& w);
// The diagram the window shows, 0 when its picture is empty or hidden.
int shownDiagram(const lessons::LessonWindow& w);

// The visible ones of the window's Strum buttons, numbered from 1 in the order of its
// design, with "*" after the default one: "1*23".
QString visibleStrumButtons(const lessons::LessonWindow& w);

// The fret label of a fret number: "1st Fret" to "12th Fret", "" for 0 (a cleared label).
const char* fretCaption(int fret);
// The fret label number of a movable form at a root, from its number at C: one fret up
// a semitone, and past 12 back to 1.
int fretAtRoot(int fretAtC, int root);

// One chord a lesson's text works out: its choices, the diagram and the fret label.
struct WorkedValue {
    int type, root, form, id;
    const char* fret;
};

}  // namespace lessondriver

#pragma once
// The major and minor extensions lesson: ninth, sharp-seventh and eleventh chords, with one
// Strum button for the roots "C" to "F" and one for "F#/Gb" to "B".

#include "lessons/core/lessonwindow.h"

class frmMajMinExt : public lessons::LessonWindow {
public:
    frmMajMinExt();

    rt::CommandButton cmdStrumMe2{this, "cmdStrumMe2"};
    rt::CommandButton cmdStrumMe3{this, "cmdStrumMe3"};

    void cmdStrumMe2_Click();
    void cmdStrumMe3_Click();
};

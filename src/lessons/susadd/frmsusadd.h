#pragma once
// The suspended and added-note lesson: suspended, add-9, 6/9 and suspended dominant
// chords, with one Strum button for the roots "C" to "F" and one for "F#/Gb" to "B".

#include "lessons/core/lessonwindow.h"

class frmSusAdd : public lessons::LessonWindow {
public:
    frmSusAdd();

    rt::CommandButton cmdStrumMe{this, "cmdStrumMe"};
    rt::CommandButton cmdStrumMe2{this, "cmdStrumMe2"};

    void cmdStrumMe_Click();
    void cmdStrumMe2_Click();
};

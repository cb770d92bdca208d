#pragma once
// The seventh chords lesson: "Major7th", "minor7th", "7th" and "minor7th(b5)".

#include "lessons/core/lessonwindow.h"

class frm7thType : public lessons::LessonWindow {
public:
    frm7thType();

    rt::CommandButton cmdStrumMe2{this, "cmdStrumMe2"};

    void cmdStrumMe2_Click();
};

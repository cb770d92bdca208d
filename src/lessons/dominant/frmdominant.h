#pragma once
// The dominant chords lesson: extended and altered dominants, three root groups of four
// roots, each with its own Strum button at one spot.

#include "lessons/core/lessonwindow.h"

class frmDominant : public lessons::LessonWindow {
public:
    frmDominant();

    rt::CommandButton cmdStrumMe{this, "cmdStrumMe"};
    rt::CommandButton cmdStrumMe2{this, "cmdStrumMe2"};
    rt::CommandButton cmdStrumMe3{this, "cmdStrumMe3"};

    void cmdStrumMe_Click();
    void cmdStrumMe2_Click();
    void cmdStrumMe3_Click();
};

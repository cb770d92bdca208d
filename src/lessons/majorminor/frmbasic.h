#pragma once
// The major/minor lesson: "Major" and "minor" in four forms on every root.

#include "lessons/core/lessonwindow.h"

class frmBasic : public lessons::LessonWindow {
public:
    frmBasic();

    rt::CommandButton cmdStrumMe{this, "cmdStrumMe"};

    void cmdStrumMe_Click();
};

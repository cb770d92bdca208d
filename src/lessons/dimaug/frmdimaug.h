#pragma once
// The diminished and augmented lesson: two root groups of six roots, each with its own
// Strum button at one spot, and a button that opens the symmetrical-chords page.

#include "lessons/core/lessonwindow.h"

class frmDimAug : public lessons::LessonWindow {
public:
    frmDimAug();

    rt::CommandButton cmdStrumMe{this, "cmdStrumMe"};
    rt::CommandButton cmdStrumMe2{this, "cmdStrumMe2"};
    rt::CommandButton cmdMoreDim{this, "cmdMoreDim"};

    void cmdStrumMe_Click();
    void cmdStrumMe2_Click();
    void cmdMoreDim_Click();

protected:
    void extraControls(rt::Layout& rows) override;
};

#pragma once
// The inversions lesson: triads, seventh and sixth chords in root position and their
// inversions, with two root groups ("C" to "F" and "F#/Gb" to "B").

#include "lessons/core/lessonwindow.h"

class frmInversions : public lessons::LessonWindow {
public:
    frmInversions();

    // The inversion picker stands where other lessons have their form options.
    rt::ControlArray<rt::OptionButton, lessons::kForms>& optInversion = optForm;
    rt::CommandButton cmdStrumMe3{this, "cmdStrumMe3"};
    rt::CommandButton cmdStrumMe4{this, "cmdStrumMe4"};

    void optInversion_Click(int Index);
    void cmdStrumMe3_Click();
    void cmdStrumMe4_Click();

    int pickedInversion() const { return pickedForm(); }

protected:
    bool choiceChecks(const lessons::RootGroup& group) override;
    bool lessonChecks() override;
};

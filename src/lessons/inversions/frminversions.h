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
    bool choiceChecks() override;
    bool lessonChecks() override;

private:
    // What tells the two Strum handlers apart: their roots and their root message.
    struct Twin {
        int firstRoot, lastRoot;
        const char* rootMessage;
    };
    void strumAs(const rt::CommandButton& button, const Twin& twin);
    const Twin* strumming_ = nullptr;  // set only while a Strum handler runs
};

#pragma once
// The lesson window every lesson shares: the root and form pickers, the chord type list,
// the chord diagram with its fret label, the Strum buttons (one per root group), "Print
// Chord" and the exit button. A lesson adds only its own data (LessonDesign) and, where it
// has them, its own checks.

#include "lessons/core/lessontable.h"
#include "runtime/form.h"

#include <vector>

namespace lessons {

// A control's place and tab index in the window's layout, in twips.
struct Place {
    int left, top, width, height;
    int tab;
};

// One root group: the roots first..last and the Strum button that serves them.
struct RootGroup {
    rt::CommandButton* button;
    int firstRoot, lastRoot;
    // A lesson whose Strum buttons each name their own roots when none of them is picked.
    const char* rootMessage = nullptr;
};

struct StrumButtonDesign {
    rt::CommandButton* button;
    const char* caption = "Strum Me";
    const char* tip = "Click to display Chord";  // null: no tooltip
    bool visible = true;
    bool isDefault = false;
    int tab = 17;
};

// The root options as most lessons place them in their frame: 480 twips apart, as wide as
// their captions need, tab indexes from firstTab on.
std::array<Place, kRoots> standardRootOptions(int firstTab);
// The form options "1" to "4" as most lessons place them, tab indexes from firstTab on.
std::array<Place, kForms> standardFormOptions(int firstTab);

// What a lesson window sets for itself. The defaults are the major/minor lesson's layout.
struct LessonDesign {
    rt::WindowDesign window;  // caption, position and client size; the rest is the same in every lesson

    Place fraRootNote{240, 240, 2175, 7095, 21};
    Place fraForm{2880, 240, 2055, 2055, 20};
    Place label2{5280, 360, 1335, 255, 22};
    Place lstChordType{5520, 720, 2535, 1020, 16};
    Place imgChord{3360, 2640, 3255, 3975, -1};
    Place lblFretNumber{7080, 3000, 315, 405, 19};
    Place cmdPrint{8760, 6000, 1215, 735, 23};
    Place cmdExit{8760, 7080, 1215, 735, 18};
    const char* exitCaption = "Exit to Main";
    Place strumButton{3600, 7080, 2895, 735, 17};  // the one spot of every Strum button

    // The pickers' options, placed inside their frames.
    std::array<Place, kRoots> rootOptions = standardRootOptions(0);
    std::array<Place, kForms> formOptions = standardFormOptions(12);
    // The form picker: "Form" with "1" to "4", or the inversions lesson's "Inversion".
    const char* formFrameCaption = "Form";
    const char* formFrameTip = "Choose a chord form";
    std::array<const char*, kForms> formCaptions{"1", "2", "3", "4"};
    std::array<const char*, kForms> formTips{};

    std::vector<StrumButtonDesign> strumButtons;
    std::vector<RootGroup> rootGroups;
    std::vector<const char*> chordTypes;  // the list, in its order
    LessonTable table;
};

class LessonWindow : public rt::Form {
public:
    // formOptionName names the form picker's options ("optForm", or "optInversion").
    explicit LessonWindow(const char* className, const char* formOptionName = "optForm");

    rt::Frame fraRootNote{this, "fraRootNote"};
    rt::ControlArray<rt::OptionButton, kRoots> optRoot{this, "optRoot"};
    rt::Frame fraForm{this, "fraForm"};
    rt::ControlArray<rt::OptionButton, kForms> optForm;
    rt::Label Label2{this, "Label2"};
    rt::ListBox lstChordType{this, "lstChordType"};
    rt::Image imgChord{this, "imgChord"};
    rt::Label lblFretNumber{this, "lblFretNumber"};
    rt::CommandButton cmdPrint{this, "cmdPrint"};
    rt::CommandButton cmdExit{this, "cmdExit"};

    void Form_Load() override;
    void optRoot_Click(int Index);
    void optForm_Click(int Index);
    void lstChordType_Click();
    void cmdExit_Click();
    void cmdPrint_Click();

    const LessonDesign& design() const { return design_; }
    // The set root or form option's index, or -1.
    int pickedRoot() const;
    int pickedForm() const;

protected:
    // Called once by the lesson's constructor with its data.
    void setDesign(LessonDesign design) { design_ = std::move(design); }

    // The Strum handler of one root group's button.
    void Strum(const rt::CommandButton& button);
    // The choice checks for the Strum button of the given root group: false stops the
    // handler after its message.
    virtual bool choiceChecks(const RootGroup& group);
    // A lesson's own checks and referral messages, after the choice checks and before
    // the picture is made visible: false stops the handler after its message.
    virtual bool lessonChecks();

    void clearDiagram();
    void switchRootGroup();
    // Controls a lesson has beyond the shared ones, added after them.
    virtual void extraControls(rt::Layout& rows) { (void)rows; }

    rt::WindowDesign Window() const override;
    rt::Layout Design() override;

private:
    LessonDesign design_;
};

}  // namespace lessons

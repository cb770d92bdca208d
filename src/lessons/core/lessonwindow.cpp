#include "lessons/core/lessonwindow.h"

#include "lessons/core/messages.h"
#include "lessons/core/printroutine.h"
#include "runtime/app.h"
#include "runtime/errors.h"

using namespace rt;

namespace lessons {

namespace {

constexpr Font kStrumFont{"MS Serif", 13.5, false, true};
constexpr Font kPrintFont{"MS Serif", 12, true, true};
constexpr Font kFretFont{"MS Serif", 18, true, true};
constexpr Font kListFont{"MS Sans Serif", 9.75};

const char* const kRootCaptions[kRoots] = {"C", "C#/Db", "D", "D#/Eb", "E", "F", "F#/Gb", "G", "G#/Ab", "A", "A#/Bb", "B"};

// The root options are as wide as their captions need.
int rootOptionWidth(int root) {
    switch (root) {
    case 7: case 9: case 11: return 615;             // G, A, B
    case 0: case 2: case 4: case 5: return 735;      // C, D, E, F
    case 6: case 8: return 855;                      // F#/Gb, G#/Ab
    default: return 975;                             // C#/Db, D#/Eb, A#/Bb
    }
}


ControlRow placed(ControlRow s, const Place& p) {
    s.left = p.left;
    s.top = p.top;
    s.width = p.width;
    s.height = p.height;
    s.tabIndex = p.tab;
    return s;
}

}  // namespace

std::array<Place, kRoots> standardRootOptions(int firstTab) {
    std::array<Place, kRoots> places{};
    for (int i = 0; i < kRoots; ++i) places[i] = {240, 360 + 480 * i, rootOptionWidth(i), 375, firstTab + i};
    return places;
}

std::array<Place, kForms> standardFormOptions(int firstTab) {
    constexpr int kTops[kForms] = {240, 600, 1080, 1560};
    std::array<Place, kForms> places{};
    for (int i = 0; i < kForms; ++i) places[i] = {240, kTops[i], 495, i == 0 ? 255 : 375, firstTab + i};
    return places;
}

LessonWindow::LessonWindow(const char* className, const char* formOptionName)
    : Form(className), optForm(this, formOptionName) {
    optRoot.Click = [this](int i) { optRoot_Click(i); };
    optForm.Click = [this](int i) { optForm_Click(i); };
    lstChordType.Click = [this] { lstChordType_Click(); };
    cmdExit.Click = [this] { cmdExit_Click(); };
    cmdPrint.Click = [this] { cmdPrint_Click(); };
}

WindowDesign LessonWindow::Window() const {
    WindowDesign w = design_.window;
    // Every lesson window: fixed, no control box, light blue, the guitar cursor.
    w.border = Border::FixedSingle;
    w.controlBox = false;
    w.backColor = kLightBlue;
    w.pointer = Pointer::Guitar;
    w.icon = Icon::None;
    return w;
}

Layout LessonWindow::Design() {
    const LessonDesign& d = design_;
    Layout rows;
    rows.push_back(placed(frame(fraRootNote, 0, 0, 0, 0), d.fraRootNote)
                       .caption("Root Note").tip("Choose the letter name of the chord").back(kLightBlue));
    for (int i = 0; i < kRoots; ++i)
        rows.push_back(placed(option(optRoot(i), 0, 0, 0, 0), d.rootOptions[i]).caption(kRootCaptions[i]).in(fraRootNote).back(kLightBlue));
    rows.push_back(placed(frame(fraForm, 0, 0, 0, 0), d.fraForm).caption(d.formFrameCaption).tip(d.formFrameTip).back(kLightBlue));
    for (int i = 0; i < kForms; ++i) {
        ControlRow s = placed(option(optForm(i), 0, 0, 0, 0), d.formOptions[i]).caption(d.formCaptions[i]).in(fraForm).back(kLightBlue);
        if (d.formTips[i]) s.tip(d.formTips[i]);
        rows.push_back(s);
    }
    rows.push_back(placed(label(Label2, 0, 0, 0, 0), d.label2).caption("Chord Types").back(kLightBlue).buddy(lstChordType));
    rows.push_back(placed(list(lstChordType, 0, 0, 0, 0), d.lstChordType).font(kListFont).tip("Choose a chord type"));
    rows.push_back(placed(image(imgChord, 0, 0, 0, 0), d.imgChord).stretch().hidden());
    rows.push_back(placed(label(lblFretNumber, 0, 0, 0, 0), d.lblFretNumber).autoSize().font(kFretFont).back(kLightBlue));
    for (const StrumButtonDesign& b : d.strumButtons) {
        ControlRow s = placed(button(*b.button, 0, 0, 0, 0), d.strumButton).caption(b.caption).font(kStrumFont).back(kLightBlue).tab(b.tab);
        if (b.tip) s.tip(b.tip);
        if (!b.visible) s.hidden();
        if (b.isDefault) s.isDefault();
        rows.push_back(s);
    }
    rows.push_back(placed(button(cmdPrint, 0, 0, 0, 0), d.cmdPrint).caption("Print Chord").font(kPrintFont).back(kLightBlue));
    rows.push_back(placed(button(cmdExit, 0, 0, 0, 0), d.cmdExit)
                       .caption(d.exitCaption).font(kStrumFont).back(kLightBlue).tip("Exit to Strumvane Welcome window"));
    extraControls(rows);
    return rows;
}

void LessonWindow::Form_Load() {
    for (const char* type : design_.chordTypes) lstChordType.AddItem(QString::fromUtf8(type));
}

int LessonWindow::pickedRoot() const {
    for (int i = 0; i < kRoots; ++i)
        if (optRoot(i).Value()) return i;
    return -1;
}

int LessonWindow::pickedForm() const {
    for (int i = 0; i < kForms; ++i)
        if (optForm(i).Value()) return i;
    return -1;
}

void LessonWindow::clearDiagram() {
    imgChord.setPicture(LoadPicture());
    lblFretNumber.setCaption("");
    imgChord.setVisible(false);
}

void LessonWindow::switchRootGroup() {
    const int root = pickedRoot();
    for (const RootGroup& g : design_.rootGroups) {
        if (root < g.firstRoot || root > g.lastRoot) continue;
        for (const RootGroup& other : design_.rootGroups)
            if (other.button != g.button) other.button->setVisible(false);
        g.button->setVisible(true);
        g.button->setDefault(true);
        break;
    }
}

void LessonWindow::optRoot_Click(int) {
    if (design_.rootGroups.size() > 1) {
        // The switch goes by the set root: with none set it changes nothing, not even the diagram.
        if (pickedRoot() < 0) return;
        switchRootGroup();
    }
    clearDiagram();
}

void LessonWindow::optForm_Click(int) { clearDiagram(); }
void LessonWindow::lstChordType_Click() { clearDiagram(); }
void LessonWindow::cmdExit_Click() { Unload(); }
void LessonWindow::cmdPrint_Click() { PrintRoutine(*this); }

bool LessonWindow::choiceChecks(const RootGroup&) {
    if (lstChordType.Text().isEmpty()) {
        MsgBox(kSelectChordType);
        return false;
    }
    if (pickedRoot() < 0) {
        MsgBox(kPickRoot);
        return false;
    }
    if (pickedForm() < 0) {
        MsgBox(kPickForm);
        return false;
    }
    return true;
}

bool LessonWindow::lessonChecks() {
    const ChordTypeRecord* rec = findRecord(design_.table, lstChordType.Text().toStdString());
    if (rec && rec->referral) {
        MsgBox(QString::fromUtf8(rec->referral));
        return false;
    }
    return true;
}

void LessonWindow::Strum(const CommandButton& button) {
    const RootGroup* group = nullptr;
    for (const RootGroup& g : design_.rootGroups)
        if (g.button == &button) group = &g;
    if (!group) return;
    try {
        if (!choiceChecks(*group) || !lessonChecks()) return;
        // Visible before the look-up, so it shows even when the look-up finds nothing.
        imgChord.setVisible(true);
        // Each Strum button holds the rows of its own group's roots only.
        const int root = pickedRoot();
        if (root < group->firstRoot || root > group->lastRoot) return;
        const auto hit = lookUp(design_.table, lstChordType.Text().toStdString(), root, pickedForm());
        if (!hit) return;
        imgChord.setPicture(LoadResPicture(hit->diagramId, 0));
        const std::string_view caption = fretLabelCaption(hit->fret);
        lblFretNumber.setCaption(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())));
        lblFretNumber.setVisible(true);
    } catch (const RuntimeError&) {
        MsgBox(kUnexpectedError);
    }
}

}  // namespace lessons

#include "player/frmpro.h"

#include "player/progressiontable.h"
#include "runtime/app.h"
#include "runtime/errors.h"

using namespace rt;

namespace {
constexpr Rgb kHeading{128, 128, 255};
const QString kPlayCaption = QStringLiteral("Play Chord Progression");
const QString kStopCaption = QStringLiteral("Stop Progression");
const QString kSoundError = QStringLiteral("An unexpected error has occurred.Please check ") + QStringLiteral("soundcard");

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
}  // namespace

frmPro::frmPro() : Form("frmPro") {
    cmdPlayChord.Click = [this] { cmdPlayChord_Click(); };
    MMControl1.StatusUpdate = [this] { MMControl1_LoopCheck(); };
    MMControl1.OutputLost = [this] { MMControl1_OutputLost(); };
}

WindowDesign frmPro::Window() const {
    return {
        .caption = "Chord Progressions",
        .left = 2250,
        .top = 435,
        .width = 6585,
        .height = 7950,
        .border = Border::FixedSingle,
        .backColor = kLightBlue,
        .pointer = Pointer::Guitar,
        .icon = Icon::Notes,
    };
}

Layout frmPro::Design() {
    Layout rows = {
        //                               left   top  width height
        frame(Frame1,                     360,  600, 1575, 6255).caption("Keys").back(kLightBlue).tab(0),
        label(Label1,                    2880,  720, 1815,  375).caption("Chord Progressions").back(kHeading).tab(15)
            .buddy(cmbProgression),
        comboList(cmbProgression,        2880, 1080, 2055,  360).back(kHeading).font({"MS Sans Serif", 9.75, true})
            .tip("Pick a chord progression").tab(14),
        label(lblChords,                 2520, 1920,   75,  360).autoSize().back(kLightBlue).font({"MS Sans Serif", 13.5}).tab(16),
        button(cmdPlayChord,             2880, 3120, 1935,  495).caption(kPlayCaption).back(kLightBlue).tab(13),
        multimedia(MMControl1,           1560, 8160, 3540,  375).tab(17),
    };
    const auto keys = player::keyCaptions();
    for (int i = 0; i < 12; ++i)
        rows.push_back(option(optKey(i), 240, 480 + 480 * i, 855, 375).caption(qs(keys[i])).in(Frame1).back(kLightBlue).tab(1 + i));
    return rows;
}

void frmPro::Form_Load() {
    for (const player::Progression& p : player::progressions()) cmbProgression.AddItem(qs(p.name));
}

void frmPro::cmdPlayChord_Click() {
    try {
        if (cmbProgression.Text().isEmpty()) {
            MsgBox("Please pick a Chord Progression");
            return;
        }
        bool anyKey = false;
        for (int k = 0; k < 12; ++k) anyKey = optKey(k).Value() || anyKey;
        if (!anyKey) {
            MsgBox("Please pick a Key");
            return;
        }
        cmbProgression.SetFocus();

        if (cmdPlayChord.Caption() == kStopCaption) {
            stopBranch();
            return;
        }

        MMControl1.setWait(true);
        MMControl1.setNotify(false);
        MMControl1.setDeviceType("Sequencer");
        for (const player::ProgressionRow& row : player::progressionTable()) {
            if (optKey(row.keyIndex).Value() && cmbProgression.Text() == qs(row.progression)) {
                MMControl1.setFileName(qs(player::progressionFilePath(App::Path().toStdString(), row.pathLiteral)));
                lblChords.setCaption(qs(row.chordLine));
            }
        }
        cmdPlayChord.setCaption(kStopCaption);
        MMControl1.setCommand("open");
        MMControl1.setCommand("Play");
        PlayLoop = true;
    } catch (const RuntimeError&) {
        MsgBox(kSoundError);
    }
}

void frmPro::stopBranch() {
    cmdPlayChord.setCaption(kPlayCaption);
    lblChords.setCaption("");
    MMControl1.setCommand("Stop");
    PlayLoop = false;
    MMControl1.setCommand("Seek");
    MMControl1.setCommand("Close");
}

// The control raises this event as soon as the file has played to its end (and from its
// timer besides); the device plays the file on from its start meanwhile, so that this Seek
// and Play carry the start on from the frame the file ended, on the beat.
void frmPro::MMControl1_LoopCheck() {
    if (MMControl1.Mode() == MMControl::kModeStopped && PlayLoop) {
        try {
            MMControl1.setCommand("Seek");
            MMControl1.setCommand("Play");
        } catch (const RuntimeError&) {
            // The restart cannot sound (after a start whose Play failed while PlayLoop was still
            // True from a close while playing): close quietly; the button still reads "Stop
            // Progression", so the next click tidies up, as after that start.
            try {
                MMControl1.setCommand("Close");
            } catch (const RuntimeError&) {
            }
        }
    }
}

// The sound went away while playing (its server ended): the window goes to the Stopped look
// the stop branch leaves, so no loop restarts, and the user is told why the music stopped with
// the message a start gives when there is no sound.
void frmPro::MMControl1_OutputLost() {
    // (The device is closed already: the branch's commands do nothing and cannot fail.)
    if (cmdPlayChord.Caption() == kStopCaption) stopBranch();
    MsgBox(kSoundError);
}

void frmPro::Form_Unload(int&) {
    // Closing never fails the unload: the window goes whatever the device says.
    try {
        MMControl1.setCommand("Close");
    } catch (const RuntimeError&) {
    }
}

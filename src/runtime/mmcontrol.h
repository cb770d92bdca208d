#pragma once
// The multimedia control: opens, plays, seeks, stops and closes a MIDI file on the
// "Sequencer" device, reports its mode, and raises StatusUpdate again and again while
// its window is loaded, and at once when the file has played to its end. Playback goes
// through one synthesizer for the whole program, loaded in the background when the
// control is created and kept, so that a start sounds at once.

#include "runtime/controls.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QTimer;

namespace rt {

class MMControl : public Control {
public:
    using Control::Control;

    // Mode values as the multimedia interface numbers them.
    static constexpr int kModeNotReady = 524;
    static constexpr int kModeStopped = 525;
    static constexpr int kModePlaying = 526;

    QString DeviceType() const { return deviceType_; }
    void setDeviceType(const QString& type) { deviceType_ = type; }
    QString FileName() const { return fileName_; }
    void setFileName(const QString& path) { fileName_ = path; }
    // Two settings the player writes before each start; accepted and kept.
    bool Wait() const { return wait_; }
    void setWait(bool wait) { wait_ = wait; }
    bool Notify() const { return notify_; }
    void setNotify(bool notify) { notify_ = notify; }

    // "open", "Play", "Stop", "Seek" or "Close", in any case. Raises RuntimeError when the
    // device cannot carry it out (no audio output, no SoundFont, a missing or unreadable
    // file). "Stop", "Seek" and "Close" do nothing while no device is open.
    void setCommand(const QString& command);
    // kModeStopped while a file is open and not playing (also once it has played to its
    // end), kModePlaying while it plays, kModeNotReady while no device is open. Never fails.
    int Mode() const;

    // Raised on the program's own thread: from a timer while the window is loaded, and as
    // soon as the file has played to its end, so that a Seek and a Play in answer restart it
    // on the beat (the device plays the file on from its start meanwhile, see midi/synth.h).
    std::function<void()> StatusUpdate;
    // Raised once when the audio output goes away while the device is open (its sound server
    // ended, say); the device is closed by then.
    std::function<void()> OutputLost;
    // Neither event comes while another handler runs (one waiting in its message box, say):
    // it comes once that handler has returned.

    // The control's timer.
    void raiseStatusUpdate();

private:
    friend struct DeviceNews;
    void raise(const std::function<void()>& event, QPointer<QTimer>& waiting);
    void loseOutput();

    QPointer<QTimer> waitingStatus_;  // an event held back while a handler runs
    QPointer<QTimer> waitingLost_;
    QString deviceType_;
    QString fileName_;
    bool wait_ = false;
    bool notify_ = false;
    bool open_ = false;
};

// How the program's synthesizer makes its sound. Audio: the default audio output.
// Offline: no device at all; time moves only through advanceMidi, so tests never wait.
// None: a machine without any audio output, where every start fails.
enum class MidiOutput { Audio, Offline, None };
// Replaces the synthesizer (closing what plays); the next command loads it afresh with
// these SoundFont paths (empty: the system's General MIDI SoundFont).
void configureMidi(MidiOutput output, std::vector<std::string> soundFontPaths = {});
// Starts loading the synthesizer and its SoundFont on a thread of their own, if they are
// not loaded, so that the first start sounds at once and no window waits meanwhile. A
// command that needs the synthesizer waits for the rest of the load and reports its failure.
void preloadMidi();
// True once the synthesizer and its SoundFont are loaded. Never waits.
bool midiLoaded();
// Offline only: renders the next milliseconds; returns the loudest sample.
float advanceMidi(int milliseconds);
// How often StatusUpdate is raised, in milliseconds.
constexpr int kStatusUpdateInterval = 100;

}  // namespace rt

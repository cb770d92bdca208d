#include "runtime/mmcontrol.h"

#include "midi/synth.h"
#include "runtime/errors.h"
#include "runtime/form.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace rt {

namespace {

// How soon an event held back while a handler runs is tried again.
constexpr int kHeldBackRetry = 10;

struct Engine {
    MidiOutput output = MidiOutput::Audio;
    std::vector<std::string> soundFonts;
    std::unique_ptr<midi::Synth> synth;
    MMControl* owner = nullptr;  // the control whose device is open
};

Engine& engine() {
    static Engine e;
    return e;
}

}  // namespace

// What the device tells its control, on the program's thread (a friend of the control's).
struct DeviceNews {
    static void tell(midi::Synth::Notice notice);
};

namespace {

midi::Synth& synth() {
    Engine& e = engine();
    if (!e.synth) {
        const auto out = e.output == MidiOutput::Audio ? midi::Synth::Output::Audio : midi::Synth::Output::Offline;
        // (With no output at all the synthesizer still reads files, as the device would.)
        e.synth = e.soundFonts.empty() ? std::make_unique<midi::Synth>(out) : std::make_unique<midi::Synth>(out, e.soundFonts);
        // The engine speaks from its own threads; the news is handled on this one.
        e.synth->setListener([](midi::Synth::Notice notice) {
            if (QCoreApplication* app = QCoreApplication::instance())
                QMetaObject::invokeMethod(app, [notice] { DeviceNews::tell(notice); }, Qt::QueuedConnection);
        });
    }
    return *e.synth;
}

[[noreturn]] void fail(const midi::SynthError& err) {
    switch (err.kind()) {
    case midi::SynthError::Kind::FileMissing:
        throw RuntimeError(errFileNotFound, "File not found");
    case midi::SynthError::Kind::NoAudioOutput:
    case midi::SynthError::Kind::NoSynthesizer:
    case midi::SynthError::Kind::NoSoundFont:
        throw RuntimeError(errDeviceUnavailable, "Device unavailable");
    default:
        throw RuntimeError(errMci, QString::fromStdString(err.what()));
    }
}

}  // namespace

void DeviceNews::tell(midi::Synth::Notice notice) {
    Engine& e = engine();
    MMControl* c = e.owner;
    if (!c || !e.synth) return;
    if (notice == midi::Synth::Notice::End) {
        c->raiseStatusUpdate();
    } else if (e.synth->outputLost()) {  // (not opened again since)
        c->loseOutput();
    }
}

void configureMidi(MidiOutput output, std::vector<std::string> soundFontPaths) {
    Engine& e = engine();
    e.synth.reset();
    e.owner = nullptr;
    e.output = output;
    e.soundFonts = std::move(soundFontPaths);
}

float advanceMidi(int milliseconds) { return synth().advance(milliseconds); }

bool midiLoaded() {
    const Engine& e = engine();
    return e.synth && e.synth->isLoaded();
}

void preloadMidi() { synth().startLoading(); }

void MMControl::setCommand(const QString& command) {
    const QString c = command.trimmed().toLower();
    Engine& e = engine();
    const bool mine = open_ && e.owner == this;
    try {
        if (c == "open") {
            if (deviceType_.compare("Sequencer", Qt::CaseInsensitive) != 0)
                throw RuntimeError(errMci, "The specified device is not open or is not recognized by MCI.");
            open_ = false;
            synth().open(fileName_.toStdString());
            e.owner = this;
            open_ = true;
        } else if (c == "play") {
            if (!mine) throw RuntimeError(errMci, "The specified device is not open or is not recognized by MCI.");
            if (e.output == MidiOutput::None) throw RuntimeError(errDeviceUnavailable, "Device unavailable");
            synth().play();
        } else if (c == "stop") {
            if (mine) synth().stop();
        } else if (c == "seek") {
            if (mine) synth().seekToStart();
        } else if (c == "close") {
            if (mine) synth().close();
            open_ = false;
            if (e.owner == this) e.owner = nullptr;
        } else {
            throw RuntimeError(errInvalidProcedureCall, "Invalid property value");
        }
    } catch (const midi::SynthError& err) {
        fail(err);
    }
}

void MMControl::raiseStatusUpdate() { raise(StatusUpdate, waitingStatus_); }

void MMControl::loseOutput() {
    // The engine has closed the file; the dead driver goes too (off this thread).
    engine().synth->close();
    open_ = false;
    engine().owner = nullptr;
    raise(OutputLost, waitingLost_);
}

void MMControl::raise(const std::function<void()>& event, QPointer<QTimer>& waiting) {
    QWidget* w = boundWidget();
    if (!w) return;  // the window is not loaded
    if (!handlerRunning()) {
        dispatch(event);
        return;
    }
    if (waiting) return;
    waiting = new QTimer(w);
    waiting->setSingleShot(true);
    QObject::connect(waiting, &QTimer::timeout, w, [this, &event, &waiting] {
        waiting->deleteLater();
        waiting = nullptr;
        raise(event, waiting);
    });
    waiting->start(kHeldBackRetry);
}

int MMControl::Mode() const {
    const Engine& e = engine();
    if (!open_ || e.owner != this || !e.synth) return kModeNotReady;
    switch (e.synth->state()) {
    case midi::Synth::State::Playing:
        return kModePlaying;
    case midi::Synth::State::Stopped:
        return kModeStopped;
    case midi::Synth::State::Closed:
        break;
    }
    return kModeNotReady;
}

}  // namespace rt

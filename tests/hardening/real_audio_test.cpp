// The sound through a real PulseAudio daemon, started by the test in a folder of its own with
// a null sink whose monitor is recorded, and ALSA as the machine has it (on a desktop, its
// default device is PulseAudio's plugin): the progression player's window plays, loops and is
// heard without a break, and is silent right after Stop; a daemon held up for a moment loses
// nothing, and neither does the program held up as a whole; a daemon that hangs at Play gives
// the soundcard message in time, as does an ALSA device that hangs on opening; when the daemon
// is killed the window goes to its Stopped look with the soundcard message, a start gives the
// message while the output is gone, and plays once it is back. The engine is held to the same:
// it tells of a lost output (killed, or hung for seconds) and never makes its caller wait for
// the dead or hung server. Each case is a test of its own, so that the loss checks run apart
// from the check of continuous sound. Skipped where pulseaudio or parec is missing or the
// daemon cannot start.
#include "midi/audiooutput.h"
#include "midi/synth.h"
#include "player/frmpro.h"
#include "player/progressiontable.h"
#include "runtime/mmcontrol.h"
#include "support/pulseserver.h"
#include "support/uitest.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>

#include <signal.h>
#include <unistd.h>

namespace {

using namespace rt;

const QString kSoundError = "An unexpected error has occurred.Please check soundcard";
const char* const kLiteral = R"(\Mid\2\4.mid)";  // "ii - V - I" in C: three bars at 96 bpm
constexpr double kFileSeconds = 7.5;
constexpr float kHeard = 0.01f;     // -40 dB
constexpr float kRinging = 0.001f;  // -60 dB: no break in the sound
constexpr double kBreakSeconds = 0.020;  // a break a listener hears
// A bound for what must come about at once (the Stopped look within a second of the loss, a
// close that must not wait for the server): far above it, so that a busy machine passes, and
// far below a hang.
constexpr int kPromptlyMs = 5000;
// After a Stop click the sink plays nothing more from this long on.
constexpr double kStopSilentSeconds = 0.050;

std::vector<std::string> installedSoundFonts() {
    std::vector<std::string> found;
    for (const char* path : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
        if (std::filesystem::exists(path)) found.push_back(path);
    }
    return found;
}

std::string soundFontName(const testing::TestParamInfo<std::string>& info) {
    return std::filesystem::path(info.param).stem().string() == "TimGM6mb" ? "TimGM6mb" : "FluidR3";
}

bool alsaHasPulseAudioPlugin() {
    for (const auto& lib : std::filesystem::directory_iterator("/usr/lib")) {
        if (std::filesystem::exists(lib.path() / "alsa-lib/libasound_module_pcm_pulse.so")) return true;
    }
    return false;
}

// Runs the event loop until `done` or `ms` have passed; the milliseconds it took, or -1.
int waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return -1;
        processEventsFor(10);
    }
    return static_cast<int>(clock.elapsed());
}

// Where the recording first has sound, in seconds, or -1.
double firstSound(const Recording& r, double from = 0) { return r.firstSound(from, kHeard); }

std::string describe(const std::vector<Break>& breaks) {
    std::string said;
    for (const Break& b : breaks) said += " " + std::to_string(b.length * 1000) + " ms at " + std::to_string(b.start) + " s;";
    return said;
}

class RealAudioTest : public UiTest {
protected:
    PulseServer pulse;
    std::string file = player::progressionFilePath(App::Path().toStdString(), kLiteral);

    void SetUp() override {
        UiTest::SetUp();
        QString why;
        if (!pulse.start(&why)) GTEST_SKIP() << "no PulseAudio daemon could start here: " << why.toStdString();
        pulse.useForThisProcess();
        if (installedSoundFonts().empty()) GTEST_SKIP() << "no General MIDI SoundFont (scripts/deps.sh installs them)";
    }
    void TearDown() override {
        UiTest::TearDown();
        configureMidi(MidiOutput::Offline);
        qunsetenv("ALSA_CONFIG_PATH");
    }

    // ALSA's default device from now on: the machine's configuration with `device` defined
    // after it (none: the machine's own).
    void useAlsaDefault(const QString& device) {
        if (device.isEmpty()) {
            qunsetenv("ALSA_CONFIG_PATH");
            return;
        }
        QFile conf(alsaDir.filePath(QStringLiteral("alsa-%1.conf").arg(++alsaConfigs)));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write(device.toUtf8());
        conf.close();
        qputenv("ALSA_CONFIG_PATH", ("/usr/share/alsa/alsa.conf:" + conf.fileName()).toLocal8Bit());
    }

    // Waits until the recording under way has sound from `from` seconds of it on (the null
    // sink may take a moment to take a new stream's first sound).
    bool heardWithin(int ms, double from = 0) {
        return waitFor([&] { return firstSound(pulse.recordedSoFar(), from) >= 0; }, ms) >= 0;
    }

    // The progression player's window, "ii - V - I" in C chosen, with the SoundFont given.
    frmPro& player(const std::string& soundFont, bool loop) {
        configureMidi(MidiOutput::Audio, {soundFont});
        frmPro& w = instance<frmPro>();
        w.PlayLoop = loop;
        w.Show();
        qobject_cast<QComboBox*>(w.cmbProgression.widget())->setCurrentIndex(0);
        click(w.optKey(0).widget());
        return w;
    }
    void play(frmPro& w) { click(w, "cmdPlayChord"); }

    // Records the null sink and starts the window: it plays, says nothing, and is heard.
    void startPlaying(frmPro& w, const char* through = "the null sink") {
        ASSERT_TRUE(pulse.startRecording());
        play(w);
        ASSERT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
        EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
        ASSERT_TRUE(heardWithin(10000)) << "nothing was recorded through " << through;
    }

    // Clicks Play while the daemon is stopped, which lets it go again after the click or, should
    // the click wait for it, after a while. The click gives the soundcard message in time;
    // nothing of the file sounds once the server answers again, and the next click goes back
    // to the Stopped look.
    void expectAPlayGivenUpOn(frmPro& w) {
        const pid_t daemon = static_cast<pid_t>(pulse.processId());
        ASSERT_GT(daemon, 0) << "the daemon is not running";  // (0 would stop the whole process group)
        // The SoundFont loads behind the window: not part of opening the output.
        ASSERT_GE(waitFor([] { return midiLoaded(); }, 120000), 0) << "the synthesizer never loaded";
        prompts.clear();
        std::promise<void> clicked;
        ::kill(daemon, SIGSTOP);
        auto letGo = std::async(std::launch::async, [&, done = clicked.get_future()] {
            done.wait_for(std::chrono::seconds(30));
            ::kill(daemon, SIGCONT);
        });
        QElapsedTimer clock;
        clock.start();
        play(w);
        const int held = static_cast<int>(clock.elapsed());
        clicked.set_value();
        letGo.wait();
        RecordProperty("play_held_ms", held);
        EXPECT_LT(held, midi::kHungMs + kPromptlyMs) << "Play waited for the hung output";
        EXPECT_EQ(prompts, QStringList({kSoundError}));
        EXPECT_NE(w.MMControl1.Mode(), MMControl::kModePlaying);

        RecordingClock recording(pulse);
        recording.watch(1500);
        EXPECT_LT(firstSound(pulse.recordedSoFar(), recording.place(0)), 0) << "an output given up on played";
        play(w);
        EXPECT_EQ(w.cmdPlayChord.Caption(), "Play Chord Progression");
    }

    QTemporaryDir alsaDir;
    int alsaConfigs = 0;
};

TEST_F(RealAudioTest, TheEngineTellsOfALostServerAndNeverWaitsForIt) {
    midi::Synth synth(midi::Synth::Output::Audio, {installedSoundFonts().front()});
    std::atomic<int> losses{0};
    synth.setListener([&](midi::Synth::Notice n) {
        if (n == midi::Synth::Notice::OutputLost) ++losses;
    });
    struct Ending {
        const char* what;
        std::function<void()> end;
    };
    const Ending endings[] = {
        {"the daemon killed", [&] { pulse.kill(); }},
        {"the daemon hung", [&] { pulse.pause(); }},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.what);
        if (!pulse.running()) {
            ASSERT_TRUE(pulse.start());
        }
        ASSERT_TRUE(pulse.startRecording());
        losses = 0;
        synth.open(file);
        EXPECT_FALSE(synth.outputLost());
        synth.play();
        ASSERT_TRUE(heardWithin(10000));

        ending.end();
        EXPECT_GE(waitFor([&] { return losses > 0; }, midi::kHungMs + kPromptlyMs), 0) << "the loss was not told";
        EXPECT_EQ(losses, 1);
        EXPECT_EQ(synth.state(), midi::Synth::State::Closed);
        EXPECT_TRUE(synth.outputLost());
        EXPECT_THROW(synth.play(), midi::SynthError);

        // (On a thread of the test's, so that a close that waits for the hung server fails the
        // test instead of hanging it: the server then resumes and lets it go.)
        auto closing = std::async(std::launch::async, [&] { synth.close(); });
        EXPECT_EQ(closing.wait_for(std::chrono::milliseconds(kPromptlyMs)), std::future_status::ready)
            << "closing waited for the server";
        pulse.resume();
        closing.wait();
        pulse.stopRecording();
        pulse.kill();
    }
    // No server at all: a start reports it and changes nothing.
    synth.open(file);
    try {
        synth.play();
        ADD_FAILURE() << "played with no server";
    } catch (const midi::SynthError& e) {
        EXPECT_EQ(e.kind(), midi::SynthError::Kind::NoAudioOutput);
    }
    EXPECT_EQ(synth.state(), midi::Synth::State::Stopped);
}

// A server held up for a moment (stopped and continued, as a busy machine or a debugger may
// do) is late, not lost: the window keeps playing and the sound goes on.
TEST_F(RealAudioTest, AServerHeldUpForAMomentIsNotLost) {
    frmPro& w = player(installedSoundFonts().front(), false);
    ASSERT_NO_FATAL_FAILURE(startPlaying(w));
    processEventsFor(1000);

    pulse.pause();
    processEventsFor(1000);
    pulse.resume();
    const double resumedAt = pulse.secondsRecorded();
    EXPECT_TRUE(heardWithin(kPromptlyMs, resumedAt)) << "the sound did not go on after the server did";
    processEventsFor(500);
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying) << "a server held up for a second was taken for lost";
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Stop Progression");
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
    play(w);
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
}

TEST_F(RealAudioTest, TheWindowGoesToItsStoppedLookWhenTheServerGoes) {
    frmPro& w = player(installedSoundFonts().front(), false);
    ASSERT_NO_FATAL_FAILURE(startPlaying(w));

    // The daemon ends: the Stopped look, as the stop branch leaves it.
    pulse.kill();
    const int stoppedAfter = waitFor([&] { return w.cmdPlayChord.Caption() == "Play Chord Progression"; }, kPromptlyMs);
    EXPECT_GE(stoppedAfter, 0) << "the window kept its playing look";
    RecordProperty("stopped_look_after_ms", stoppedAfter);
    EXPECT_EQ(w.lblChords.Caption(), "");
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
    EXPECT_FALSE(w.PlayLoop);
    // The user is told why the music stopped, once.
    processEventsFor(2 * kStatusUpdateInterval);
    EXPECT_EQ(prompts, QStringList({kSoundError}));
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);  // no loop restarts

    // No output: a start gives the message; the next click goes back to the Stopped look.
    play(w);
    EXPECT_EQ(prompts, QStringList({kSoundError, kSoundError}));
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Stop Progression");
    EXPECT_NE(w.MMControl1.Mode(), MMControl::kModePlaying);
    play(w);
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Play Chord Progression");

    // The output is back: it plays.
    ASSERT_TRUE(pulse.start());
    ASSERT_TRUE(pulse.startRecording());
    play(w);
    EXPECT_EQ(prompts.size(), 2) << prompts.join(" | ").toStdString();
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
    EXPECT_TRUE(heardWithin(10000)) << "nothing was recorded after the daemon came back";
    play(w);
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
}

// A daemon that hangs when Play is pressed: the click gives the soundcard message within the
// time a hung server takes to count as lost, whatever ALSA's default device is (PulseAudio's
// plugin on that same server, or the hardware, as on a machine without the plugin), and
// nothing of the file sounds when the server answers again.
TEST_F(RealAudioTest, AServerThatHangsAtPlayGivesTheSoundcardMessageInTime) {
    frmPro& w = player(installedSoundFonts().front(), false);
    ASSERT_TRUE(pulse.startRecording());
    const struct {
        const char* what;
        QString device;
    } alsaDefaults[] = {
        {"ALSA as the machine has it", {}},
        {"ALSA without PulseAudio's plugin", "pcm.!default { type hw card 0 }\n"},
    };
    for (const auto& alsa : alsaDefaults) {
        SCOPED_TRACE(alsa.what);
        useAlsaDefault(alsa.device);
        expectAPlayGivenUpOn(w);
    }
    // With the server answering, it plays.
    useAlsaDefault({});
    prompts.clear();
    play(w);
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
    EXPECT_TRUE(heardWithin(10000, pulse.secondsRecorded())) << "nothing was recorded after the server answered again";
    play(w);
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
}

// Where PulseAudio is not there, ALSA plays; and an ALSA device that hangs on opening (its
// PulseAudio plugin on a server that does not answer) is given up on in time as well, and what
// it opens once the server answers never sounds.
TEST_F(RealAudioTest, AnAlsaDeviceThatHangsOnOpeningIsGivenUpOn) {
    if (!std::filesystem::exists("/usr/share/alsa/alsa.conf") || !alsaHasPulseAudioPlugin())
        GTEST_SKIP() << "no ALSA with PulseAudio's plugin here (libasound2-plugins)";
    // PulseAudio is asked where nothing answers; ALSA's plugin reaches the test's daemon.
    useAlsaDefault("pcm.!default { type pulse server \"" + pulse.server() + "\" }\n");
    qputenv("PULSE_SERVER", ("unix:" + alsaDir.filePath("nothing-here")).toLocal8Bit());
    frmPro& w = player(installedSoundFonts().front(), false);
    ASSERT_NO_FATAL_FAILURE(startPlaying(w, "ALSA"));
    play(w);
    processEventsFor(500);

    expectAPlayGivenUpOn(w);
}

// The program held up as a whole while it plays, for longer than a hung server may take (as a
// suspend and resume, or a debugger, does): it plays on, and nothing is said.
TEST_F(RealAudioTest, TheProgramHeldUpWhileItPlaysPlaysOn) {
    frmPro& w = player(installedSoundFonts().front(), true);
    ASSERT_NO_FATAL_FAILURE(startPlaying(w));

    // The daemon, stopped first and continued half a second after the program, has nothing to
    // ask for the moment the program goes on: then only the watchdog's own clock tells the
    // program's hold from a hung server.
    ASSERT_TRUE(pulse.running()) << "the daemon is not running";
    QProcess holder;
    const QString seconds = QString::number((midi::kHungMs + 1500) / 1000.0);
    holder.start("sh", {"-c", R"(kill -STOP "$2"; kill -STOP "$1"; sleep "$3"; kill -CONT "$1"; sleep 0.5; kill -CONT "$2")",
                        "sh", QString::number(getpid()), QString::number(pulse.processId()), seconds});
    ASSERT_TRUE(holder.waitForFinished(60000));
    ASSERT_EQ(holder.exitCode(), 0);
    const double resumedAt = pulse.secondsRecorded();
    EXPECT_TRUE(heardWithin(kPromptlyMs, resumedAt)) << "the sound did not go on after the program did";
    processEventsFor(1000);
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Stop Progression");
    EXPECT_NE(w.MMControl1.Mode(), MMControl::kModeNotReady) << "the program held up took its output for lost";
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
    play(w);
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
}

class RealAudioPlayerTest : public RealAudioTest, public testing::WithParamInterface<std::string> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RealAudioPlayerTest);

// What a listener hears: the whole file and on over the loop's seam into the next pass, with
// no break of 20 ms or more, whatever else the machine is doing (the test suite runs beside it).
TEST_P(RealAudioPlayerTest, LoopsWithoutABreakInTheSound) {
    frmPro& w = player(GetParam(), true);
    ASSERT_NO_FATAL_FAILURE(startPlaying(w));
    const double start = firstSound(pulse.recordedSoFar());
    const double until = start + kFileSeconds + 2.5;
    waitFor([&] { return pulse.secondsRecorded() > until; }, static_cast<int>(kFileSeconds * 1000) + 10000);
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
    // Where the Stop click has returned, in the recording, from the recorder's writes before
    // and after it.
    RecordingClock recording(pulse);
    recording.watch(1000);
    play(w);
    const double stoppedWall = recording.wall();
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Play Chord Progression");
    recording.watch(1000);
    const double stopAt = recording.place(stoppedWall);
    waitFor([&] { return pulse.secondsRecorded() > stopAt + 1.5; }, 10000);
    const Recording heard = pulse.stopRecording();
    ASSERT_GE(heard.seconds(), until) << "the recording stopped short";
    const std::vector<Break> breaks = heard.breaks(start, until, kBreakSeconds, kRinging);
    EXPECT_TRUE(breaks.empty()) << "the sound broke off:" << describe(breaks);
    // Stop is heard at once: what the output held is dropped with it.
    ASSERT_GE(heard.seconds(), stopAt + 1.5) << "the recording stopped short";
    RecordProperty("sound_after_stop_ms", static_cast<int>((heard.silentFrom(stopAt, stopAt + 1.5, kRinging) - stopAt) * 1000));
    EXPECT_LT(heard.peak(stopAt + kStopSilentSeconds, stopAt + 1.5), kRinging) << "the sound went on after Stop";
}

INSTANTIATE_TEST_SUITE_P(GeneralMidi, RealAudioPlayerTest, testing::ValuesIn(installedSoundFonts()), soundFontName);

}  // namespace

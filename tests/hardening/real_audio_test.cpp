// The sound through a real PulseAudio daemon, started by the test in a folder of its own with
// a null sink whose monitor is recorded: the progression player's window plays and is heard,
// and when the daemon is killed the window goes to its Stopped look, a start gives the
// soundcard message while the output is gone, and plays once it is back. The engine is held
// to the same: it tells of the lost output and never makes its caller wait for the dead (or
// hung) server. Skipped where pulseaudio or parec is missing or the daemon cannot start.
#include "midi/synth.h"
#include "player/frmpro.h"
#include "player/progressiontable.h"
#include "runtime/mmcontrol.h"
#include "support/pulseserver.h"
#include "support/uitest.h"

#include <QComboBox>
#include <QElapsedTimer>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <future>

namespace {

using namespace rt;

const QString kSoundError = "An unexpected error has occurred.Please check soundcard";
const char* const kLiteral = R"(\Mid\2\4.mid)";  // "ii - V - I" in C: three bars at 96 bpm
constexpr double kFileSeconds = 7.5;
constexpr float kHeard = 0.01f;     // -40 dB
constexpr float kRinging = 0.001f;  // -60 dB: no break in the sound
// A bound for what must come about at once (the Stopped look within a second of the loss, a
// close that must not wait for the server): far above it, so that a busy machine passes, and
// far below a hang.
constexpr int kPromptlyMs = 5000;

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
double firstSound(const Recording& r) {
    const auto& x = r.samples();
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (std::fabs(x[i]) > kHeard) return static_cast<double>(i) / r.rate();
    }
    return -1;
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
    }

    // Waits until the recording under way has sound (the null sink may take a moment to
    // take a new stream's first sound).
    bool heardWithin(int ms) {
        return waitFor([&] { return firstSound(pulse.recordedSoFar()) >= 0; }, ms) >= 0;
    }
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
        EXPECT_GE(waitFor([&] { return losses > 0; }, kPromptlyMs), 0) << "the loss was not told";
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

class RealAudioPlayerTest : public RealAudioTest, public testing::WithParamInterface<std::string> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RealAudioPlayerTest);

TEST_P(RealAudioPlayerTest, PlaysAndGoesToTheStoppedLookWhenTheServerGoes) {
    configureMidi(MidiOutput::Audio, {GetParam()});
    frmPro& w = instance<frmPro>();
    w.PlayLoop = false;
    w.Show();
    qobject_cast<QComboBox*>(w.cmbProgression.widget())->setCurrentIndex(0);
    click(w.optKey(0).widget());
    auto play = [&] { click(w, "cmdPlayChord"); };

    // Heard through the null sink, without a break, for the whole file and into its next pass.
    ASSERT_TRUE(pulse.startRecording());
    play();
    ASSERT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
    ASSERT_TRUE(heardWithin(10000)) << "nothing was recorded from the null sink";
    processEventsFor(static_cast<int>(kFileSeconds * 1000) + 1500);
    const Recording heard = pulse.recordedSoFar();
    const double start = firstSound(heard);
    EXPECT_GE(heard.soundsUntil(start, kRinging) - start, kFileSeconds + 0.5)
        << "the sound broke off; " << heard.seconds() - start << " s recorded after the first sound";
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);

    // The daemon ends: the Stopped look, as the stop branch leaves it.
    pulse.kill();
    const int stoppedAfter = waitFor([&] { return w.cmdPlayChord.Caption() == "Play Chord Progression"; }, kPromptlyMs);
    EXPECT_GE(stoppedAfter, 0) << "the window kept its playing look";
    RecordProperty("stopped_look_after_ms", stoppedAfter);
    EXPECT_EQ(w.lblChords.Caption(), "");
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
    EXPECT_FALSE(w.PlayLoop);
    EXPECT_TRUE(prompts.isEmpty()) << prompts.join(" | ").toStdString();
    processEventsFor(2 * kStatusUpdateInterval);
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);  // no loop restarts

    // No output: a start gives the message; the next click goes back to the Stopped look.
    play();
    EXPECT_EQ(prompts, QStringList({kSoundError}));
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Stop Progression");
    EXPECT_NE(w.MMControl1.Mode(), MMControl::kModePlaying);
    play();
    EXPECT_EQ(w.cmdPlayChord.Caption(), "Play Chord Progression");

    // The output is back: it plays.
    ASSERT_TRUE(pulse.start());
    ASSERT_TRUE(pulse.startRecording());
    play();
    EXPECT_EQ(prompts.size(), 1) << prompts.join(" | ").toStdString();
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModePlaying);
    EXPECT_TRUE(heardWithin(10000)) << "nothing was recorded after the daemon came back";
    play();
    EXPECT_EQ(w.MMControl1.Mode(), MMControl::kModeNotReady);
}

INSTANTIATE_TEST_SUITE_P(GeneralMidi, RealAudioPlayerTest, testing::ValuesIn(installedSoundFonts()), soundFontName);

}  // namespace

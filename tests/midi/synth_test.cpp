// The playback engine, rendered offline so nothing waits in real time.
#include "midi/synth.h"
#include "player/progressiontable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include <unistd.h>

namespace {

// PulseAudio and ALSA point nowhere before any engine starts: the tests never
// sound, whatever the machine has, and the missing-output path is what they see.
const bool kNoAudioOutput = [] {
    setenv("PULSE_SERVER", "unix:/nonexistent/pulse/native", 1);
    setenv("ALSA_CONFIG_PATH", "/nonexistent/alsa.conf", 1);
    return true;
}();

using midi::Synth;
using midi::SynthError;
using Kind = SynthError::Kind;

constexpr float kAudible = 0.01f;
// Silence: -120 dB, far below a 16-bit sample's step. (The reverb keeps a tiny offset of
// its own against denormal numbers, so an empty reverb is not exactly zero.)
constexpr float kSilent = 1e-6f;

std::string progression(std::string_view literal)
{
    return player::progressionFilePath(STRUMVANE_PROGRAM_DIR, literal);
}

// "ii - V - I" in C: three bars of 4/4 at 96 bpm.
const std::string kThreeBars = progression(R"(\Mid\2\4.mid)");
constexpr int kThreeBarsMs = 3 * 4 * 60000 / 96;

std::filesystem::path scratchFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    // One name per process: each SoundFont's tests may run at the same time.
    auto path = std::filesystem::path(testing::TempDir()) / ("synth-" + std::to_string(getpid()) + "-" + name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Advances in steps until playing stops; returns the milliseconds it took.
int playOut(Synth& synth, int limitMs, int stepMs = 10)
{
    int elapsed = 0;
    while (synth.isPlaying() && elapsed < limitMs) {
        synth.advance(stepMs);
        elapsed += stepMs;
    }
    return elapsed;
}

Kind kindOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const SynthError& error) {
        EXPECT_FALSE(std::string(error.what()).empty());
        return error.kind();
    }
    ADD_FAILURE() << "no SynthError";
    return Kind::NotOpen;
}

// Debian's General MIDI SoundFonts, by path: the sound must hold with each one installed
// (default-GM.sf2 is whichever of them the system chose).
std::vector<std::string> installedSoundFonts()
{
    std::vector<std::string> found;
    for (const char* path : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                             "/usr/share/sounds/sf2/default-GM.sf2"}) {
        if (std::filesystem::exists(path))
            found.push_back(path);
    }
    return found;
}

std::string soundFontName(const testing::TestParamInfo<std::string>& info)
{
    std::string name = std::filesystem::path(info.param).stem().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

TEST(SynthSoundFont, AGeneralMidiSoundFontIsInstalled)
{
    EXPECT_FALSE(installedSoundFonts().empty()) << "scripts/deps.sh installs timgm6mb-soundfont and fluid-soundfont-gm";
}

// The tests that listen to the sound, once for each installed SoundFont.
class SynthTest : public testing::TestWithParam<std::string> {
protected:
    Synth synth{Synth::Output::Offline, {GetParam()}};
};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(SynthTest);

TEST_P(SynthTest, PlaysAFileToItsEndAndAgainFromTheStart)
{
    synth.open(kThreeBars);
    EXPECT_TRUE(synth.isLoaded());
    EXPECT_FALSE(synth.soundFontPath().empty());
    EXPECT_EQ(synth.state(), Synth::State::Stopped);
    EXPECT_FALSE(synth.atEnd());
    EXPECT_LT(synth.advance(100), kAudible / 100) << "sound before play";

    synth.play();
    EXPECT_EQ(synth.state(), Synth::State::Playing);
    EXPECT_GT(synth.advance(50), kAudible) << "no sound within 50 ms of play";
    int length = 50 + playOut(synth, 20000);
    EXPECT_NEAR(length, kThreeBarsMs, 20);
    EXPECT_TRUE(synth.atEnd());
    EXPECT_EQ(synth.state(), Synth::State::Stopped);

    // At the end, play has nothing left to play.
    synth.play();
    EXPECT_EQ(synth.state(), Synth::State::Stopped);
    EXPECT_TRUE(synth.atEnd());

    // What the progression player does at the end: seek, play.
    synth.seekToStart();
    EXPECT_FALSE(synth.atEnd());
    EXPECT_EQ(synth.state(), Synth::State::Stopped);
    synth.play();
    EXPECT_GT(synth.advance(50), kAudible);
    EXPECT_NEAR(50 + playOut(synth, 20000), kThreeBarsMs, 20);
    EXPECT_TRUE(synth.atEnd());
}

// A loop: the end is told at once, and the seek and play that answer it a little later go on
// from the frame where the file ended, so that the next pass keeps the beat.
TEST_P(SynthTest, ASeekAndPlayAnsweringTheEndGoOnFromTheFrameItEnded)
{
    std::vector<Synth::Notice> notices;
    synth.setListener([&](Synth::Notice notice) { notices.push_back(notice); });
    synth.open(kThreeBars);
    synth.play();
    EXPECT_NEAR(playOut(synth, 20000, 1), kThreeBarsMs, 2);
    EXPECT_EQ(notices, std::vector<Synth::Notice>{Synth::Notice::End});

    synth.advance(40);  // the answer's way from the audio thread to the caller's
    EXPECT_TRUE(synth.atEnd());
    EXPECT_EQ(synth.state(), Synth::State::Stopped);
    synth.seekToStart();
    EXPECT_FALSE(synth.atEnd());
    synth.play();
    EXPECT_EQ(synth.state(), Synth::State::Playing);
    // The second pass ends one file's length after the first, not after the answer.
    EXPECT_NEAR(40 + playOut(synth, 20000, 1), kThreeBarsMs, 2);
    EXPECT_EQ(notices.size(), 2u);
}

// Any other answer to the end, or none in time, leaves the file where the answer put it, and
// what the next pass had begun to sound dies away; a seek and a play later start it afresh.
TEST_P(SynthTest, AnEndNotAnsweredWithSeekAndPlayLeavesTheFileThere)
{
    struct Answer {
        const char* what;
        std::function<void(Synth&)> act;
        bool atEnd;
    };
    const Answer answers[] = {
        {"none", [](Synth&) {}, true},
        {"stop", [](Synth& s) { s.stop(); }, true},
        {"play, then seek", [](Synth& s) { s.play(); s.seekToStart(); }, false},
        {"seek and no play", [](Synth& s) { s.seekToStart(); }, false},
    };
    for (const Answer& answer : answers) {
        SCOPED_TRACE(answer.what);
        Synth s(Synth::Output::Offline, {GetParam()});
        s.open(kThreeBars);
        s.play();
        playOut(s, 20000);
        const float struck = s.advance(20);  // the next pass's downbeat, on trial
        answer.act(s);
        s.advance(Synth::kRunOnMs);
        EXPECT_EQ(s.state(), Synth::State::Stopped);
        EXPECT_EQ(s.atEnd(), answer.atEnd);
        // No further strum: three seconds on, what was struck has died away (-30 dB).
        s.advance(3000);
        EXPECT_LT(s.advance(500), struck / 30);

        s.seekToStart();
        s.play();
        EXPECT_GT(s.advance(50), kAudible);
        EXPECT_NEAR(50 + playOut(s, 20000), kThreeBarsMs, 20);
    }
}

// However long the engine waits for an answer to the end, the next pass must not sound on
// by itself: one second after an end nobody answered, nothing is struck any more. (The
// file strums every 0.3 to 0.6 s.)
TEST_P(SynthTest, AnUnansweredEndStrikesNothingAfterASecond)
{
    Synth s(Synth::Output::Offline, {GetParam()});
    s.open(kThreeBars);
    s.play();
    playOut(s, 20000);
    ASSERT_TRUE(s.atEnd());
    s.advance(950);
    // What still rings out then, give or take the reverb's swell.
    const float ringing = std::max(1.5f * s.advance(50), kAudible);
    for (int ms = 1000; ms < 6000; ms += 50)
        ASSERT_LE(s.advance(50), ringing) << "a strum sounded " << ms << " ms after the end nobody answered";
}

TEST_P(SynthTest, StopSilencesAtOnceAndKeepsThePosition)
{
    synth.open(kThreeBars);
    synth.play();
    synth.advance(2000);  // mid-bar: notes sound, the reverb and chorus are full
    synth.stop();
    EXPECT_EQ(synth.state(), Synth::State::Stopped);
    EXPECT_FALSE(synth.atEnd());
    // No release, no reverb or chorus tail: the very next frames are silent.
    EXPECT_LT(synth.advance(10), kSilent) << "sound right after stop";
    EXPECT_LT(synth.advance(500), kSilent) << "sound after stop";

    synth.play();
    EXPECT_GT(synth.advance(600), kAudible);  // the next bar (at 2500 ms) sounds
    EXPECT_NEAR(600 + playOut(synth, 20000), kThreeBarsMs - 2000, 20);
}

// A MIDI file of one track, a ticks-per-quarter division of 480 at 120 bpm (1 ms is 0.96 ticks).
std::vector<std::uint8_t> midiFile(std::vector<std::uint8_t> track)
{
    const std::uint8_t end[] = {0x00, 0xFF, 0x2F, 0x00};
    track.insert(track.end(), std::begin(end), std::end(end));
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                                      'M', 'T', 'r', 'k', 0, 0, 0, static_cast<std::uint8_t>(track.size())};
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

// Renders the next milliseconds and returns the frames.
std::vector<float> render(Synth& synth, int milliseconds)
{
    std::vector<float> frames;
    synth.advance(milliseconds, &frames);
    return frames;
}

// How far b strays from a, relative to a's loudest sample, over their common start (time
// comes in whole blocks, so the two may differ by one block at the end).
float strayFrom(const std::vector<float>& a, const std::vector<float>& b)
{
    float loudest = 0;
    float most = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        loudest = std::max(loudest, std::fabs(a[i]));
        most = std::max(most, std::fabs(a[i] - b[i]));
    }
    EXPECT_GT(loudest, kAudible);
    return loudest > 0 ? most / loudest : 1;
}

// Half a second of nothing, then one note of a church organ (far from the default piano)
// at the file's own volume and pan, held for half a second.
std::vector<std::uint8_t> organNote()
{
    return midiFile({
        0x00, 0xC0, 19,             // program: church organ
        0x00, 0xB0, 7, 60,          // volume
        0x00, 0xB0, 10, 20,         // pan to the left
        0x83, 0x60, 0x90, 60, 100,  // 480 ticks on (500 ms): middle C
        0x83, 0x60, 0x80, 60, 0,
    });
}

TEST_P(SynthTest, PlayAfterStopStartsClean)
{
    const std::string organ = scratchFile("organ.mid", organNote()).string();

    // Stopped while the note and its reverb sound, back to the start, played again: the
    // half second before the note is silent, nothing of before comes back.
    synth.open(organ);
    synth.play();
    synth.advance(800);
    synth.stop();
    synth.seekToStart();
    synth.play();
    EXPECT_LT(synth.advance(480), kSilent);
    EXPECT_GT(synth.advance(100), kAudible);

    // Stopped and played on before the note: the note sounds as if nothing had stopped, the
    // channel set up as the file set it. Compared over the note's first 40 ms, before the
    // reverb's first echo (the reverb is modulated, so later the two differ by its phase).
    Synth stopped(Synth::Output::Offline, {GetParam()});
    Synth straight(Synth::Output::Offline, {GetParam()});
    for (Synth* s : {&stopped, &straight}) {
        s->open(organ);
        s->play();
        s->advance(200);
    }
    stopped.stop();
    stopped.play();
    EXPECT_LT(strayFrom(render(straight, 340), render(stopped, 340)), 1e-4f);
}

TEST_P(SynthTest, StopSeekAndCloseOnNoFileDoNothingButPlayFails)
{
    synth.stop();
    synth.seekToStart();
    synth.close();
    EXPECT_EQ(synth.state(), Synth::State::Closed);
    EXPECT_EQ(kindOf([&] { synth.play(); }), Kind::NotOpen);

    synth.open(kThreeBars);
    synth.play();
    synth.advance(500);
    synth.close();
    EXPECT_EQ(synth.state(), Synth::State::Closed);
    EXPECT_FALSE(synth.atEnd());
    EXPECT_EQ(kindOf([&] { synth.play(); }), Kind::NotOpen);
    synth.close();
}

TEST_P(SynthTest, BadFilesGiveErrorsAndLeaveTheEngineUsable)
{
    std::mt19937 random(7);
    std::vector<std::uint8_t> noise(4096);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    std::vector<std::uint8_t> whole = readBytes(kThreeBars);
    ASSERT_GT(whole.size(), 100u);

    const std::pair<std::string, Kind> cases[] = {
        {progression(R"(\Mid\9\99.mid)"), Kind::FileMissing},
        {"", Kind::FileMissing},
        {testing::TempDir(), Kind::FileUnreadable},
        {scratchFile("noise.mid", noise).string(), Kind::FileCorrupt},
        {scratchFile("empty.mid", {}).string(), Kind::FileCorrupt},
        {scratchFile("header.mid", {whole.begin(), whole.begin() + 14}).string(), Kind::FileCorrupt},
        {scratchFile("half.mid", {whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2)}).string(),
         Kind::FileCorrupt},
        {scratchFile("short.mid", {whole.begin(), whole.end() - 1}).string(), Kind::FileCorrupt},
    };
    for (const auto& [path, kind] : cases) {
        synth.open(kThreeBars);  // a failing open also closes what was open
        testing::internal::CaptureStderr();
        EXPECT_EQ(kindOf([&] { synth.open(path); }), kind) << path;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(synth.state(), Synth::State::Closed) << path;
    }

    synth.open(kThreeBars);
    synth.play();
    EXPECT_GT(synth.advance(100), kAudible);
}

INSTANTIATE_TEST_SUITE_P(GeneralMidi, SynthTest, testing::ValuesIn(installedSoundFonts()), soundFontName);

TEST(SynthSoundFont, NoSoundFontGivesAnError)
{
    const std::vector<std::string> lists[] = {
        {},
        {"/nonexistent/default-GM.sf2"},
        {kThreeBars, "/nonexistent/other.sf2"},  // a file, but no SoundFont
    };
    for (const auto& paths : lists) {
        Synth synth(Synth::Output::Offline, paths);
        testing::internal::CaptureStderr();
        EXPECT_EQ(kindOf([&] { synth.load(); }), Kind::NoSoundFont);
        EXPECT_EQ(kindOf([&] { synth.open(kThreeBars); }), Kind::NoSoundFont);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_FALSE(synth.isLoaded());
        EXPECT_EQ(synth.state(), Synth::State::Closed);
    }
}

TEST(SynthSoundFont, TakesTheFirstPathThatIsASoundFont)
{
    const std::vector<std::string> installed = installedSoundFonts();
    ASSERT_FALSE(installed.empty());
    Synth synth(Synth::Output::Offline, {"/nonexistent/a.sf2", kThreeBars, installed.back()});
    synth.load();
    EXPECT_EQ(synth.soundFontPath(), installed.back());
    // The program takes the system's choice of General MIDI SoundFont first.
    EXPECT_EQ(Synth::defaultSoundFontPaths().front(), "/usr/share/sounds/sf2/default-GM.sf2");
}

// Loading in the background: whatever needs the synthesizer waits for the rest of the load.
TEST(SynthLoad, InTheBackgroundThenOpenWaitsForTheRest)
{
    const std::vector<std::string> installed = installedSoundFonts();
    ASSERT_FALSE(installed.empty());
    for (const std::string& path : installed) {
        SCOPED_TRACE(path);
        Synth synth(Synth::Output::Offline, {path});
        synth.startLoading();
        synth.startLoading();  // still loading: nothing more
        synth.open(kThreeBars);
        EXPECT_TRUE(synth.isLoaded());
        EXPECT_EQ(synth.soundFontPath(), path);
        synth.startLoading();  // loaded: nothing more
        synth.play();
        EXPECT_GT(synth.advance(100), kAudible);
    }
    // Given up while loading: the load finishes and everything is released.
    Synth leftAlone(Synth::Output::Offline, {installed.back()});
    leftAlone.startLoading();
}

TEST(SynthLoad, AFailedBackgroundLoadIsReportedAndTriedAgain)
{
    Synth synth(Synth::Output::Offline, {"/nonexistent/default-GM.sf2"});
    synth.startLoading();
    EXPECT_EQ(kindOf([&] { synth.open(kThreeBars); }), Kind::NoSoundFont);
    EXPECT_FALSE(synth.isLoaded());
    EXPECT_EQ(synth.state(), Synth::State::Closed);
    EXPECT_EQ(kindOf([&] { synth.open(kThreeBars); }), Kind::NoSoundFont);  // tried again, here
    synth.startLoading();
    EXPECT_EQ(kindOf([&] { synth.load(); }), Kind::NoSoundFont);
}

TEST(SynthAudio, NoAudioOutputGivesOneErrorAndNothingPlays)
{
    Synth synth(Synth::Output::Audio);
    synth.open(kThreeBars);
    testing::internal::CaptureStderr();
    EXPECT_EQ(kindOf([&] { synth.play(); }), Kind::NoAudioOutput);
    // The audio libraries may complain on their own; FluidSynth stays quiet.
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("fluidsynth"), std::string::npos);
    EXPECT_EQ(synth.state(), Synth::State::Stopped);
    synth.stop();
    synth.close();
    EXPECT_THROW(synth.advance(10), std::logic_error);
}

// A file past the engine's size limit is refused before it is read: here a whole
// progression file followed by a hole to 17 MiB, which would open and play if it were read.
TEST(SynthFile, AFileOverTheSizeLimitIsRefusedAsCorruptUnread)
{
    const std::vector<std::string> installed = installedSoundFonts();
    ASSERT_FALSE(installed.empty());
    const std::filesystem::path big = scratchFile("big.mid", readBytes(kThreeBars));
    std::filesystem::resize_file(big, 17u * 1024u * 1024u);  // sparse: no disk taken
    Synth synth(Synth::Output::Offline, {installed.front()});
    EXPECT_EQ(kindOf([&] { synth.open(big.string()); }), Kind::FileCorrupt)
        << "a MIDI file of 17 MiB was not refused as too large";
    EXPECT_EQ(synth.state(), Synth::State::Closed);
    std::filesystem::remove(big);

    synth.open(kThreeBars);
    synth.play();
    EXPECT_GT(synth.advance(100), kAudible);
}

}  // namespace

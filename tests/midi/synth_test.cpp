// The playback engine, rendered offline so nothing waits in real time.
#include "midi/synth.h"
#include "player/progressiontable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

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

std::string progression(std::string_view literal)
{
    return player::progressionFilePath(STRUMVANE_PROGRAM_DIR, literal);
}

// "ii - V - I" in C: three bars of 4/4 at 96 bpm.
const std::string kThreeBars = progression(R"(\Mid\2\4.mid)");
constexpr int kThreeBarsMs = 3 * 4 * 60000 / 96;

std::filesystem::path scratchFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    auto path = std::filesystem::path(testing::TempDir()) / name;
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
int playOut(Synth& synth, int limitMs)
{
    int elapsed = 0;
    while (synth.isPlaying() && elapsed < limitMs) {
        synth.advance(10);
        elapsed += 10;
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

class SynthTest : public testing::Test {
protected:
    Synth synth{Synth::Output::Offline};
};

TEST_F(SynthTest, PlaysAFileToItsEndAndAgainFromTheStart)
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

TEST_F(SynthTest, StopSilencesAndKeepsThePosition)
{
    synth.open(kThreeBars);
    synth.play();
    synth.advance(2000);
    synth.stop();
    EXPECT_EQ(synth.state(), Synth::State::Stopped);
    EXPECT_FALSE(synth.atEnd());
    synth.advance(200);  // the reverb's tail
    EXPECT_LT(synth.advance(100), kAudible / 2) << "sound after stop";

    synth.play();
    EXPECT_GT(synth.advance(600), kAudible);
    EXPECT_NEAR(600 + playOut(synth, 20000), kThreeBarsMs - 2000, 20);
}

TEST_F(SynthTest, StopSeekAndCloseOnNoFileDoNothingButPlayFails)
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

TEST_F(SynthTest, BadFilesGiveErrorsAndLeaveTheEngineUsable)
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
    Synth synth(Synth::Output::Offline, {"/nonexistent/a.sf2", kThreeBars, "/usr/share/sounds/sf2/default-GM.sf2"});
    synth.load();
    EXPECT_EQ(synth.soundFontPath(), "/usr/share/sounds/sf2/default-GM.sf2");
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

}  // namespace

// How soon a progression sounds after "play", with the synthesizer and its
// SoundFont already loaded (the engine keeps them). Target: under 50 ms.
#include "midi/synth.h"
#include "player/progressiontable.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
using midi::Synth;

constexpr float kAudible = 0.001f;  // -60 dB

const std::string kFile = player::progressionFilePath(STRUMVANE_PROGRAM_DIR, R"(\Mid\2\4.mid)");

// Renders in 1 ms steps until a sample is audible; returns the audio time passed.
int renderUntilSound(Synth& synth)
{
    for (int ms = 1; ms <= 1000; ++ms) {
        if (synth.advance(1) > kAudible)
            return ms;
    }
    return -1;
}

// Times start() up to the first audible sample rendered, offline, after an untimed
// reset(). The counter is the audio time (ms) at which the first audible sample lies.
template <typename Reset, typename Start>
void timeToFirstSound(benchmark::State& state, Reset reset, Start start, Synth& synth)
{
    int audioMs = 0;
    for (auto _ : state) {
        reset();  // silent at once
        auto begin = Clock::now();
        start();
        audioMs = renderUntilSound(synth);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - begin).count());
        if (audioMs < 0)
            state.SkipWithError("no sound");
    }
    state.counters["audio_ms"] = audioMs;
}

// Wall time from play() to the first audible sample: the engine's own share of the
// delay; an audio driver adds its buffer on top.
void BM_PlayToFirstSound(benchmark::State& state)
{
    Synth synth(Synth::Output::Offline);
    synth.open(kFile);
    timeToFirstSound(
        state, [&] { synth.stop(); synth.seekToStart(); }, [&] { synth.play(); }, synth);
}
BENCHMARK(BM_PlayToFirstSound)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

// The same, from opening the file: the whole start of the progression player.
void BM_OpenAndPlayToFirstSound(benchmark::State& state)
{
    Synth synth(Synth::Output::Offline);
    synth.load();
    timeToFirstSound(
        state, [&] { synth.close(); }, [&] { synth.open(kFile); synth.play(); }, synth);
}
BENCHMARK(BM_OpenAndPlayToFirstSound)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

// Opening the audio driver, which play() does each time after a stop. Skipped
// where the machine has no audio output.
void BM_AudioDriverStart(benchmark::State& state)
{
    Synth synth(Synth::Output::Audio);
    synth.open(kFile);
    for (auto _ : state) {
        try {
            synth.seekToStart();
            auto start = Clock::now();
            synth.play();
            state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
            synth.stop();
        } catch (const midi::SynthError& error) {
            state.SkipWithError(error.what());
            break;
        }
    }
}
BENCHMARK(BM_AudioDriverStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// The one-time cost the engine keeps off every start.
void BM_LoadSynthesizerAndSoundFont(benchmark::State& state)
{
    for (auto _ : state) {
        Synth synth(Synth::Output::Offline);
        synth.load();
    }
}
BENCHMARK(BM_LoadSynthesizerAndSoundFont)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

#pragma once
// Where the engine's sound goes: an audio output that asks for sound on a thread of its own,
// and a watchdog that tells when the output is gone.
//
// PulseAudio is spoken to directly, with a stream that asks the server to keep a second of
// sound (kPulseBufferMs) and a thread raised to real-time priority where the system grants
// it: a busy machine may keep either of them waiting for a while without the sound breaking.
// The server keeps about half of that second in the stream's own buffer and leaves the rest
// to the sink, whose part shrinks to a few ms when another stream (a recorder on its monitor,
// say) asks for a short latency: so the stream's half alone must bridge the waits. With
// every core busy, the thread and the server were each seen held up for over 400 ms at a time.
// Stopping drops the stream, and what it held with it, at once.
// Else, where PulseAudio is not there or refuses, ALSA through FluidSynth's own driver. A
// server that does not answer within kHungMs is hung: ALSA is not tried then, since its
// default device is most often PulseAudio's plugin on that same server.
//
// An output is lost when its server is gone (the connection broke, the stream failed, a
// render failed) or when it has asked for no sound for kHungMs of watching on time: a server
// that is merely slow under load keeps asking, a hung or dead one does not, and a program
// held up as a whole (stopped and continued) was not watching meanwhile.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace midi {

// How long an output may go without asking for sound before it counts as lost; also how long
// opening an output may take.
inline constexpr int kHungMs = 3000;
// What the PulseAudio stream asks its server to keep between rendering and hearing.
inline constexpr int kPulseBufferMs = 1000;

// What an output renders from: whole blocks of 64 frames at the synthesizer's rate.
class SoundSource {
public:
    virtual ~SoundSource() = default;
    // Stereo, left and right interleaved; false when rendering failed.
    virtual bool renderInterleaved(float* frames, int count) = 0;
    // One buffer a channel, as FluidSynth's drivers hand them (effects in nfx, or mixed in).
    virtual bool renderPlanar(int len, int nfx, float* fx[], int nout, float* out[]) = 0;
};

// Outputs whose server stopped answering, being closed on threads of their own so that
// nobody waits for them; the engine's end waits a little for the last of them.
class Reapers {
public:
    Reapers() = default;
    Reapers(const Reapers&) = delete;
    Reapers& operator=(const Reapers&) = delete;
    ~Reapers() { finish(); }
    void add(std::function<void()> close);
    // Waits a little for the closings under way and leaves the rest to themselves.
    void finish();

private:
    struct Reaper {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    void joinFinished();
    std::vector<Reaper> reapers_;
};

class AudioOutput {
public:
    using LostListener = std::function<void()>;

    virtual ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Opens PulseAudio, else ALSA; null when neither opens within kHungMs, and never later.
    // `source` renders on the output's thread until close(); `lost` is called once, on the
    // watchdog's thread, when the output is gone. An opening given up on goes on among
    // `reapers`, cut off from `source`.
    static std::unique_ptr<AudioOutput> open(double sampleRate, SoundSource& source, LostListener lost,
                                             Reapers& reapers);

    // Stops asking for sound and releases the output; after it `source` is not called again.
    // An output that has stopped answering is handed to `reapers` to close.
    static void close(std::unique_ptr<AudioOutput> output, Reapers& reapers);

    bool lost() const { return lost_.load(); }

protected:
    using Clock = std::chrono::steady_clock;
    explicit AudioOutput(LostListener lost);

    // On the output's thread, each time it is asked for sound.
    void asked() { lastAsked_.store(Clock::now().time_since_epoch().count()); }
    // The server is gone, or rendering failed: the watchdog tells at once.
    void fail();
    void startWatching();
    void stopWatching();
    bool answering() const;

    // The output's own release; `hung` when it has stopped answering (a server that may
    // keep a closing call waiting).
    virtual void shutDown(bool hung, Reapers& reapers) = 0;

private:
    void watch();

    LostListener listener_;
    std::atomic<Clock::rep> lastAsked_;
    std::atomic<bool> failed_{false};
    std::atomic<bool> lost_{false};
    std::thread watchdog_;
    std::mutex watchMutex_;
    std::condition_variable watchWake_;
    bool watchStop_ = false;
};

}  // namespace midi

#include "midi/synth.h"

#include "midi/audiooutput.h"
#include "midi/sequence.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <iterator>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include <sys/resource.h>
#include <unistd.h>

namespace midi {
namespace {

constexpr double kSampleRate = 44100.0;
// Events are handed to the synthesizer in steps of this many frames (1.5 ms),
// the synthesizer's own block size.
constexpr int kStep = 64;
// The loader thread's niceness, above the program's own 0.
constexpr int kLoaderNice = 10;

void silenceFluidLog()
{
    // Expected failures (no audio server, a path that is no SoundFont) are
    // reported to the caller; FluidSynth would also print them to stderr.
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

}  // namespace

struct Synth::Impl final : SoundSource {
    Output output;
    std::vector<std::string> soundFontPaths;
    Listener listener;

    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    std::unique_ptr<AudioOutput> audio;  // Output::Audio only: from play() to stop() or close()
    Reapers reapers;                     // outputs that stopped answering, being closed
    std::string soundFont;
    double sampleRate = kSampleRate;
    double offlineFrames = 0;  // Output::Offline: frames asked for and not yet rendered

    // Shared with the audio output's thread and its watchdog.
    mutable std::mutex mutex;
    bool open = false;
    bool playing = false;
    // Played to its end, the next pass sounds on trial (run-on, see synth.h); `position` and
    // `next` are then that pass's. `rewound` once seekToStart() has come meanwhile.
    bool runOn = false;
    bool rewound = false;
    bool lost = false;  // the output was lost since the last open()
    Sequence sequence;
    std::size_t next = 0;       // next event to send
    std::int64_t position = 0;  // frames played since the start of the file

    // A load started by startLoading(), on a thread of its own. Only that thread writes
    // settings, synth, soundFont and sampleRate while it runs; the caller's thread reads them
    // once loaderDone is set (its store publishes them) or the thread is joined.
    std::thread loader;
    std::atomic<bool> loaderDone{false};
    std::exception_ptr loaderError;  // its failure, for the next load() to report

    ~Impl() override
    {
        if (loader.joinable())
            loader.join();
        closeOutput();
        reapers.finish();
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }

    void startLoading()
    {
        if (loader.joinable()) {
            if (!loaderDone.load(std::memory_order_acquire))
                return;  // still loading
            loader.join();
        }
        if (synth)
            return;
        loaderError = nullptr;  // an earlier failure: this is the next try
        loaderDone.store(false, std::memory_order_relaxed);
        try {
            loader = std::thread([this] {
                // Behind the program's own thread when they share the processor: the
                // window is what the user waits for. (Failing that, it loads as it is.)
                setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kLoaderNice);
                try {
                    loadHere();
                } catch (...) {
                    loaderError = std::current_exception();
                }
                loaderDone.store(true, std::memory_order_release);
            });
        } catch (const std::system_error&) {
            // No thread to be had: load() loads on the caller's thread instead.
        }
    }

    bool loading() const
    {
        return loader.joinable() && !loaderDone.load(std::memory_order_acquire);
    }

    // Waits for the rest of a load on the loader thread and reports its failure once;
    // otherwise (or after such a failure was reported) loads here.
    void load()
    {
        if (loader.joinable()) {
            loader.join();
            if (loaderError)
                std::rethrow_exception(std::exchange(loaderError, nullptr));
        }
        loadHere();
    }

    void loadHere()
    {
        if (synth)
            return;
        silenceFluidLog();
        settings = new_fluid_settings();
        if (!settings)
            throw SynthError(SynthError::Kind::NoSynthesizer, "The synthesizer cannot be created");
        fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
        fluid_settings_setnum(settings, "synth.gain", 0.8);
        synth = new_fluid_synth(settings);
        if (!synth) {
            delete_fluid_settings(settings);
            settings = nullptr;
            throw SynthError(SynthError::Kind::NoSynthesizer, "The synthesizer cannot be created");
        }
        for (const std::string& path : soundFontPaths) {
            if (fluid_is_soundfont(path.c_str()) && fluid_synth_sfload(synth, path.c_str(), 1) != FLUID_FAILED) {
                soundFont = path;
                break;
            }
        }
        if (soundFont.empty()) {
            delete_fluid_synth(synth);
            delete_fluid_settings(settings);
            synth = nullptr;
            settings = nullptr;
            std::string tried;
            for (const std::string& path : soundFontPaths)
                tried += (tried.empty() ? "" : ", ") + path;
            throw SynthError(SynthError::Kind::NoSoundFont,
                             "No SoundFont could be loaded (tried: " + (tried.empty() ? "none" : tried) + ")");
        }
        fluid_settings_getnum(settings, "synth.sample-rate", &sampleRate);
    }

    void openOutput()
    {
        if (audio) {
            if (!audio->lost())
                return;
            closeOutput();
        }
        audio = AudioOutput::open(sampleRate, *this, [this] { loseOutput(); }, reapers);
        if (!audio)
            throw SynthError(SynthError::Kind::NoAudioOutput,
                             "No audio output could be opened (neither PulseAudio nor ALSA)");
    }

    // Opens the output for a play that has begun; where none opens, the play is taken back
    // whole, with anything an output that failed on its way may have rendered of the file.
    void startOutput(std::size_t startNext, std::int64_t startPosition)
    {
        try {
            openOutput();
        } catch (...) {
            std::lock_guard lock(mutex);
            if (open) {
                playing = false;
                runOn = false;  // a short file may have played to its end meanwhile
                rewound = false;
                next = startNext;
                position = startPosition;
                silence();
            }
            throw;
        }
    }

    // Never with the mutex held: closing waits for the output's thread, which may be
    // waiting for the mutex.
    void closeOutput() { AudioOutput::close(std::exchange(audio, nullptr), reapers); }

    // The output is gone: the file is closed, as a device whose driver failed.
    void loseOutput()
    {
        {
            std::lock_guard lock(mutex);
            lost = true;
            open = false;
            playing = false;
            runOn = false;
            rewound = false;
            next = 0;
            position = 0;
        }
        if (listener)
            listener(Notice::OutputLost);
    }

    // Everything that sounds ends now: every note without its release, and whatever the
    // reverb and chorus still hold. FluidSynth 2.3 has no call that empties the effects
    // (its system reset leaves the reverb ringing); setting the sample rate builds them
    // afresh, and the channels keep their programs and controllers. Both take effect as
    // the next block renders, and until then a note-off (a seek's all-notes-off) would
    // bring the voices back into their release: so that block is rendered here, silent,
    // and dropped, and nothing is left pending. Only while nothing else renders.
    void silence()
    {
        fluid_synth_all_sounds_off(synth, -1);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        fluid_synth_set_sample_rate(synth, static_cast<float>(sampleRate));
#pragma GCC diagnostic pop
        float left[kStep];
        float right[kStep];
        fluid_synth_write_float(synth, kStep, left, 0, 1, right, 0, 1);
    }

    // Sends the events due within the next frames and moves the position on; true when the
    // file has just played to its end.
    bool dispatch(int frames)
    {
        std::lock_guard lock(mutex);
        if (!playing && !runOn)
            return false;
        position += frames;
        sendDue();
        if (runOn && !playing) {
            if (position >= runOnFrames() || position >= sequence.endFrame)
                endRunOn();
            return false;
        }
        if (position < sequence.endFrame || next < sequence.events.size())
            return false;
        playing = false;
        // Like a sequencer at the end of a song: let held notes ring out.
        fluid_synth_all_notes_off(synth, -1);
        // The next pass starts on trial at the frame this one ended: its first events are
        // due within this very step.
        runOn = true;
        rewound = false;
        position -= sequence.endFrame;
        next = 0;
        sendDue();
        return true;
    }

    void sendDue()
    {
        const auto& events = sequence.events;
        while (next < events.size() && events[next].frame < position) {
            send(events[next]);
            ++next;
        }
    }

    std::int64_t runOnFrames() const
    {
        return static_cast<std::int64_t>(Synth::kRunOnMs * sampleRate / 1000);
    }

    // The run-on ends unanswered: what it struck rings out, and the file is back at its end
    // (or at its start, after a seek).
    void endRunOn()
    {
        runOn = false;
        fluid_synth_all_notes_off(synth, -1);
        next = rewound ? 0 : sequence.events.size();
        position = rewound ? 0 : sequence.endFrame;
        rewound = false;
    }

    void tell(Notice notice) const
    {
        if (listener)
            listener(notice);
    }

    void send(const TimedEvent& e) const
    {
        int channel = e.status & 0x0F;
        switch (e.status & 0xF0) {
        case 0x80: fluid_synth_noteoff(synth, channel, e.data1); break;
        case 0x90:
            if (e.data2 == 0)
                fluid_synth_noteoff(synth, channel, e.data1);
            else
                fluid_synth_noteon(synth, channel, e.data1, e.data2);
            break;
        case 0xA0: fluid_synth_key_pressure(synth, channel, e.data1, e.data2); break;
        case 0xB0: fluid_synth_cc(synth, channel, e.data1, e.data2); break;
        case 0xC0: fluid_synth_program_change(synth, channel, e.data1); break;
        case 0xD0: fluid_synth_channel_pressure(synth, channel, e.data1); break;
        case 0xE0: fluid_synth_pitch_bend(synth, channel, e.data1 | (e.data2 << 7)); break;
        default: break;
        }
    }

    bool renderInterleaved(float* frames, int count) override
    {
        for (int done = 0; done < count; done += kStep) {
            const int step = std::min(kStep, count - done);
            if (dispatch(step))
                tell(Notice::End);
            float* at = frames + 2 * done;
            if (fluid_synth_write_float(synth, step, at, 0, 2, at, 1, 2) != FLUID_OK)
                return false;
        }
        return true;
    }

    bool renderPlanar(int len, int nfx, float* fx[], int nout, float* out[]) override
    {
        constexpr int kMaxBuffers = 16;
        if (nout > kMaxBuffers || nfx > kMaxBuffers || nout < 1) {
            if (dispatch(len))
                tell(Notice::End);
            return mix(synth, len, nfx, fx, nout, out) == FLUID_OK;
        }
        float* outPart[kMaxBuffers];
        float* fxPart[kMaxBuffers];
        for (int done = 0; done < len;) {
            int frames = std::min(kStep, len - done);
            for (int i = 0; i < nout; ++i)
                outPart[i] = out[i] + done;
            for (int i = 0; i < nfx; ++i)
                fxPart[i] = fx[i] + done;
            if (dispatch(frames))
                tell(Notice::End);
            if (mix(synth, frames, nfx, fxPart, nout, outPart) != FLUID_OK)
                return false;
            done += frames;
        }
        return true;
    }

    static int mix(fluid_synth_t* synth, int len, int nfx, float* fx[], int nout, float* out[])
    {
        if (nfx == 0) {
            // Drivers other than JACK give no effect buffers: mix reverb and
            // chorus into the dry ones.
            float* fxMix[4] = {out[0], out[nout > 1 ? 1 : 0], out[0], out[nout > 1 ? 1 : 0]};
            return fluid_synth_process(synth, len, 4, fxMix, nout, out);
        }
        return fluid_synth_process(synth, len, nfx, fx, nout, out);
    }
};

std::vector<std::string> Synth::defaultSoundFontPaths()
{
    return {
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/soundfonts/default.sf2",
        "/usr/share/soundfonts/FluidR3_GM.sf2",
    };
}

Synth::Synth(Output output, std::vector<std::string> soundFontPaths) : impl_(std::make_unique<Impl>())
{
    impl_->output = output;
    impl_->soundFontPaths = std::move(soundFontPaths);
}

Synth::~Synth()
{
    close();
}

void Synth::startLoading()
{
    impl_->startLoading();
}

void Synth::load()
{
    impl_->load();
}

bool Synth::isLoaded() const
{
    return !impl_->loading() && impl_->synth != nullptr;
}

std::string Synth::soundFontPath() const
{
    return impl_->loading() ? std::string() : impl_->soundFont;
}

void Synth::setListener(Listener listener)
{
    impl_->listener = std::move(listener);
}

void Synth::open(const std::string& path)
{
    close();
    impl_->load();
    Sequence sequence = readSequence(path, impl_->sampleRate);

    // No output runs here (close() removed it), so nothing renders meanwhile.
    fluid_synth_system_reset(impl_->synth);
    std::lock_guard lock(impl_->mutex);
    impl_->sequence = std::move(sequence);
    impl_->next = 0;
    impl_->position = 0;
    impl_->playing = false;
    impl_->runOn = false;
    impl_->rewound = false;
    impl_->lost = false;
    impl_->open = true;
}

void Synth::play()
{
    std::size_t startNext = 0;
    std::int64_t startPosition = 0;
    {
        std::lock_guard lock(impl_->mutex);
        if (!impl_->open)
            throw SynthError(SynthError::Kind::NotOpen, "No MIDI file is open");
        if (impl_->playing)
            return;
        if (impl_->runOn) {
            // Right after the end: after a seek the restart goes on from where the run-on
            // has got to, on the output that kept running; without one there is nothing left.
            if (impl_->rewound) {
                impl_->runOn = false;
                impl_->playing = true;
            } else {
                impl_->endRunOn();
            }
            return;
        }
        if (impl_->position >= impl_->sequence.endFrame)
            return;
        // Playing before the output opens: the first sound it asks for, a whole buffer of it,
        // is the file's start, not silence ahead of it.
        impl_->playing = true;
        startNext = impl_->next;
        startPosition = impl_->position;
    }
    if (impl_->output == Output::Audio)
        impl_->startOutput(startNext, startPosition);
    std::lock_guard lock(impl_->mutex);
    if (!impl_->open)  // the output was lost meanwhile, and the file closed
        throw SynthError(SynthError::Kind::NoAudioOutput, "The audio output was lost");
}

void Synth::stop()
{
    impl_->closeOutput();
    std::lock_guard lock(impl_->mutex);
    if (!impl_->open)
        return;
    if (impl_->runOn)
        impl_->endRunOn();
    impl_->playing = false;
    impl_->silence();
}

void Synth::seekToStart()
{
    std::lock_guard lock(impl_->mutex);
    if (!impl_->open)
        return;
    if (impl_->runOn) {
        // The start is where the file ended: the run-on is that pass.
        impl_->rewound = true;
        return;
    }
    impl_->next = 0;
    impl_->position = 0;
    // The events that would have ended the sounding notes are skipped.
    fluid_synth_all_notes_off(impl_->synth, -1);
}

void Synth::close()
{
    stop();
    std::lock_guard lock(impl_->mutex);
    impl_->open = false;
    impl_->runOn = false;
    impl_->rewound = false;
    impl_->sequence = {};
    impl_->next = 0;
    impl_->position = 0;
}

Synth::State Synth::state() const
{
    std::lock_guard lock(impl_->mutex);
    if (!impl_->open)
        return State::Closed;
    return impl_->playing ? State::Playing : State::Stopped;
}

bool Synth::atEnd() const
{
    std::lock_guard lock(impl_->mutex);
    if (!impl_->open || impl_->playing)
        return false;
    return impl_->runOn ? !impl_->rewound : impl_->position >= impl_->sequence.endFrame;
}

bool Synth::outputLost() const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->lost;
}

float Synth::advance(int milliseconds, std::vector<float>* samples)
{
    if (impl_->output != Output::Offline)
        throw std::logic_error("Synth::advance is for offline rendering only");
    impl_->load();
    // Whole blocks only, as the audio drivers ask: the synthesizer then holds no frames
    // rendered ahead, which would still sound after a stop. The rest carries over.
    impl_->offlineFrames += milliseconds * impl_->sampleRate / 1000.0;
    const auto blocks = static_cast<std::int64_t>(impl_->offlineFrames / kStep);
    impl_->offlineFrames -= static_cast<double>(blocks * kStep);
    float block[2 * kStep];
    float peak = 0;
    for (std::int64_t b = 0; b < blocks; ++b) {
        impl_->renderInterleaved(block, kStep);
        for (float sample : block)
            peak = std::max(peak, std::fabs(sample));
        if (samples)
            samples->insert(samples->end(), std::begin(block), std::end(block));
    }
    return peak;
}

}  // namespace midi

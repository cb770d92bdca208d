#include "midi/synth.h"

#include "midi/midifile.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
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
// No progression file comes near this; a larger file is not a MIDI file.
constexpr std::uintmax_t kMaxFileSize = 16u * 1024u * 1024u;
// The audio drivers, in the order tried (FluidSynth does not fall back from one to
// another by itself), each with the sound it keeps between rendering and hearing: 46 ms,
// PulseAudio in one period (it takes no number of periods) and ALSA in two. Less runs dry
// now and then on a busy machine (the one block of 1.5 ms it was, again and again), and each
// time the sound breaks and all after it comes late. The periods are whole blocks, so the
// synthesizer never holds frames rendered ahead that would still sound after a stop.
struct DriverChoice {
    const char* name;
    int periodSize;
    int periods;
};
constexpr DriverChoice kDrivers[] = {{"pulseaudio", 32 * kStep, 2}, {"alsa", 16 * kStep, 2}};
// The watchdog looks at the audio driver this often.
constexpr auto kWatchInterval = std::chrono::milliseconds(100);
// Until the driver has asked for this many periods, its server counts as starting up.
constexpr int kStartedPeriods = 3;
// A driver that has not asked for sound for this long is closed off the caller's thread,
// where it cannot keep the caller waiting for a server that no longer answers.
constexpr auto kStale = std::chrono::milliseconds(200);
// How long the engine's end waits for drivers still being closed after their server died.
constexpr auto kReapWait = std::chrono::seconds(1);

using Clock = std::chrono::steady_clock;

std::int64_t nowTicks()
{
    return Clock::now().time_since_epoch().count();
}

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

struct TimedEvent {
    std::int64_t frame;
    std::uint8_t status;
    std::uint8_t data1;
    std::uint8_t data2;
};

struct Sequence {
    std::vector<TimedEvent> events;  // channel messages, in playing order
    std::int64_t endFrame = 0;
};

// Merges the tracks in tick order (ties: track order, then file order) and
// turns ticks into sample frames along the tempo changes.
Sequence sequenceOf(const MidiFile& file, double sampleRate)
{
    struct Ref {
        std::uint64_t tick;
        std::size_t track;
        std::size_t index;
    };
    std::vector<Ref> refs;
    for (std::size_t t = 0; t < file.tracks.size(); ++t) {
        for (std::size_t i = 0; i < file.tracks[t].size(); ++i)
            refs.push_back({file.tracks[t][i].tick, t, i});
    }
    std::stable_sort(refs.begin(), refs.end(), [](const Ref& a, const Ref& b) { return a.tick < b.tick; });

    double secondsPerTick = 0.5 / file.division;  // 120 bpm until told otherwise
    double tempoSeconds = 0;
    std::uint64_t tempoTick = 0;
    auto frameAt = [&](std::uint64_t tick) {
        double seconds = tempoSeconds + static_cast<double>(tick - tempoTick) * secondsPerTick;
        return static_cast<std::int64_t>(std::llround(seconds * sampleRate));
    };

    Sequence sequence;
    for (const Ref& ref : refs) {
        const MidiEvent& event = file.tracks[ref.track][ref.index];
        if (event.isMeta(0x51)) {
            tempoSeconds += static_cast<double>(event.tick - tempoTick) * secondsPerTick;
            tempoTick = event.tick;
            std::uint32_t micros = (std::uint32_t{event.payload[0]} << 16) |
                                   (std::uint32_t{event.payload[1]} << 8) | event.payload[2];
            if (micros > 0)
                secondsPerTick = micros / 1e6 / file.division;
        } else if (event.status < 0xF0) {
            sequence.events.push_back({frameAt(event.tick), event.status, event.data1, event.data2});
        }
    }
    sequence.endFrame = frameAt(file.lengthTicks());
    return sequence;
}

std::vector<std::uint8_t> readFileBytes(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        throw SynthError(SynthError::Kind::FileMissing, "The MIDI file " + path + " does not exist");
    if (!fs::is_regular_file(status))
        throw SynthError(SynthError::Kind::FileUnreadable, "The MIDI file " + path + " is not a file");
    std::uintmax_t size = fs::file_size(path, error);
    if (error)
        throw SynthError(SynthError::Kind::FileUnreadable, "The MIDI file " + path + " cannot be read");
    if (size > kMaxFileSize)
        throw SynthError(SynthError::Kind::FileCorrupt, "The file " + path + " is too large for a MIDI file");

    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw SynthError(SynthError::Kind::FileUnreadable, "The MIDI file " + path + " cannot be read");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw SynthError(SynthError::Kind::FileUnreadable, "The MIDI file " + path + " cannot be read");
    return bytes;
}

}  // namespace

struct Synth::Impl {
    // What an audio driver renders through: the engine while the driver is the engine's, nothing
    // once it has been cut off (a driver whose server died, left to close on a thread of its own).
    struct Feed {
        explicit Feed(Impl* owner) : impl(owner) {}
        Impl* impl;
        std::mutex mutex;  // held while rendering, so that cutting off waits for a render under way
        bool cut = false;
    };

    Output output;
    std::vector<std::string> soundFontPaths;
    Listener listener;

    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;  // Output::Audio only: from play() to stop() or close()
    Feed* feed = nullptr;                     // the driver's
    std::string soundFont;
    double sampleRate = kSampleRate;
    double offlineFrames = 0;  // Output::Offline: frames asked for and not yet rendered

    // Shared with the audio driver's thread and the watchdog.
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

    // The watchdog over the open driver: how the driver's callbacks come, and a thread that
    // declares the output lost when they stop (FluidSynth's PulseAudio driver, for one, only
    // logs a dead server and stops calling back) or a render fails.
    std::thread watchdog;
    std::mutex watchMutex;
    std::condition_variable watchWake;
    bool watchStop = false;
    std::atomic<std::int64_t> lastRender{0};  // Clock ticks at the last callback
    std::atomic<int> renders{0};
    std::atomic<bool> renderFailed{false};
    std::atomic<bool> driverLost{false};

    // Drivers being closed on threads of their own, each with a flag set when it is done.
    struct Reaper {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::vector<Reaper> reapers;

    // A load started by startLoading(), on a thread of its own. Only that thread writes
    // settings, synth, soundFont and sampleRate while it runs; the caller's thread reads them
    // once loaderDone is set (its store publishes them) or the thread is joined.
    std::thread loader;
    std::atomic<bool> loaderDone{false};
    std::exception_ptr loaderError;  // its failure, for the next load() to report

    ~Impl()
    {
        if (loader.joinable())
            loader.join();
        closeDriver();
        // A driver whose server hangs may never finish closing; it renders nothing of ours
        // any more (cut off), so after a while it is left to itself.
        const auto giveUp = Clock::now() + kReapWait;
        for (Reaper& r : reapers) {
            while (!r.done->load() && Clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            if (r.done->load())
                r.thread.join();
            else
                r.thread.detach();
        }
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

    void openDriver()
    {
        if (driver) {
            if (!driverLost.load())
                return;
            closeDriver();
        }
        lastRender.store(nowTicks());
        renders.store(0);
        renderFailed.store(false);
        feed = new Feed(this);
        for (const DriverChoice& choice : kDrivers) {
            fluid_settings_setstr(settings, "audio.driver", choice.name);
            fluid_settings_setint(settings, "audio.period-size", choice.periodSize);
            fluid_settings_setint(settings, "audio.periods", choice.periods);
            driver = new_fluid_audio_driver2(settings, &Impl::render, feed);
            if (driver) {
                watchStop = false;
                try {
                    watchdog = std::thread([this] { watch(); });
                } catch (const std::system_error&) {
                    // No thread to be had: it plays unwatched.
                }
                return;
            }
        }
        delete std::exchange(feed, nullptr);
        throw SynthError(SynthError::Kind::NoAudioOutput,
                         "No audio output could be opened (neither PulseAudio nor ALSA)");
    }

    // Never with the mutex held: deleting the driver waits for its thread,
    // which may be waiting for the mutex. A driver that has stopped asking for sound
    // (its server died or hangs) may keep its thread waiting on the server: it is cut
    // off and closed on a thread of its own.
    void closeDriver()
    {
        if (!driver)
            return;
        {
            std::lock_guard lock(watchMutex);
            watchStop = true;
        }
        watchWake.notify_all();
        if (watchdog.joinable())
            watchdog.join();
        const bool stale = driverLost.load() || Clock::duration(nowTicks() - lastRender.load()) > kStale;
        if (stale) {
            {
                std::lock_guard lock(feed->mutex);
                feed->cut = true;
            }
            auto done = std::make_shared<std::atomic<bool>>(false);
            try {
                reapers.push_back({std::thread([d = driver, f = feed, done] {
                                       delete_fluid_audio_driver(d);
                                       delete f;
                                       done->store(true);
                                   }),
                                   done});
            } catch (const std::system_error&) {
                // No thread to be had: close it here after all.
                delete_fluid_audio_driver(driver);
                delete feed;
            }
        } else {
            delete_fluid_audio_driver(driver);
            delete feed;
        }
        driver = nullptr;
        feed = nullptr;
        driverLost.store(false);
        std::erase_if(reapers, [](Reaper& r) {
            if (!r.done->load())
                return false;
            r.thread.join();
            return true;
        });
    }

    // The watchdog's thread, while a driver is open.
    void watch()
    {
        std::unique_lock lock(watchMutex);
        while (!watchWake.wait_for(lock, kWatchInterval, [this] { return watchStop; })) {
            const auto limit = std::chrono::milliseconds(renders.load() >= kStartedPeriods ? kStallMs : kStartupStallMs);
            const auto idle = Clock::duration(nowTicks() - lastRender.load());
            if (idle < limit && !renderFailed.load())
                continue;
            lock.unlock();
            loseOutput();
            return;
        }
    }

    // The output is gone: the file is closed, as a device whose driver failed.
    void loseOutput()
    {
        {
            std::lock_guard lock(mutex);
            driverLost.store(true);
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

    // The audio driver's callback, on the driver's thread.
    static int render(void* data, int len, int nfx, float* fx[], int nout, float* out[])
    {
        auto* feed = static_cast<Feed*>(data);
        std::lock_guard lock(feed->mutex);
        if (feed->cut) {
            for (int i = 0; i < nout; ++i)
                std::memset(out[i], 0, sizeof(float) * static_cast<std::size_t>(len));
            for (int i = 0; i < nfx; ++i)
                std::memset(fx[i], 0, sizeof(float) * static_cast<std::size_t>(len));
            return FLUID_OK;
        }
        Impl* self = feed->impl;
        self->lastRender.store(nowTicks());
        self->renders.fetch_add(1);
        if (self->renderHere(len, nfx, fx, nout, out) == FLUID_OK)
            return FLUID_OK;
        self->renderFailed.store(true);
        return FLUID_FAILED;
    }

    int renderHere(int len, int nfx, float* fx[], int nout, float* out[])
    {
        constexpr int kMaxBuffers = 16;
        if (nout > kMaxBuffers || nfx > kMaxBuffers || nout < 1) {
            if (dispatch(len))
                tell(Notice::End);
            return mix(synth, len, nfx, fx, nout, out);
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
                return FLUID_FAILED;
            done += frames;
        }
        return FLUID_OK;
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
    std::vector<std::uint8_t> bytes = readFileBytes(path);
    MidiFile file;
    try {
        file = readMidiFile(bytes);
    } catch (const MidiFormatError& error) {
        throw SynthError(SynthError::Kind::FileCorrupt, "The file " + path + " is not a MIDI file: " + error.what());
    }
    Sequence sequence = sequenceOf(file, impl_->sampleRate);

    // No driver runs here (close() removed it), so nothing renders meanwhile.
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
    {
        std::lock_guard lock(impl_->mutex);
        if (!impl_->open)
            throw SynthError(SynthError::Kind::NotOpen, "No MIDI file is open");
        if (impl_->playing)
            return;
        if (impl_->runOn) {
            // Right after the end: after a seek the restart goes on from where the run-on
            // has got to, on the driver that kept running; without one there is nothing left.
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
    }
    if (impl_->output == Output::Audio)
        impl_->openDriver();
    std::lock_guard lock(impl_->mutex);
    if (!impl_->open)  // the output was lost meanwhile, and the file closed
        throw SynthError(SynthError::Kind::NoAudioOutput, "The audio output was lost");
    impl_->playing = true;
}

void Synth::stop()
{
    impl_->closeDriver();
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
    float left[kStep];
    float right[kStep];
    float peak = 0;
    for (std::int64_t b = 0; b < blocks; ++b) {
        if (impl_->dispatch(kStep))
            impl_->tell(Notice::End);
        fluid_synth_write_float(impl_->synth, kStep, left, 0, 1, right, 0, 1);
        for (int i = 0; i < kStep; ++i) {
            peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
            if (samples) {
                samples->push_back(left[i]);
                samples->push_back(right[i]);
            }
        }
    }
    return peak;
}

}  // namespace midi

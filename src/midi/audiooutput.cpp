#include "midi/audiooutput.h"

#include <fluidsynth.h>
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <cstring>
#include <system_error>

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace midi {
namespace {

using Clock = std::chrono::steady_clock;

// How an output's opening ended: a server that refuses (or is not there) lets another output
// be tried; one that did not answer in time is hung.
enum class Opening { Opened, Refused, TimedOut };

// The synthesizer renders in blocks of this many frames: an output takes whole blocks only,
// so that the synthesizer never holds frames rendered ahead that would still sound after a stop.
constexpr int kBlock = 64;
// The PulseAudio stream is topped up whenever this much of it has played (46 ms).
constexpr int kPulseRequestFrames = 32 * kBlock;
// ALSA through FluidSynth's driver: two periods of 23 ms.
constexpr int kAlsaPeriodFrames = 16 * kBlock;
constexpr int kAlsaPeriods = 2;
// The watchdog looks this often.
constexpr auto kWatchInterval = std::chrono::milliseconds(100);
// A watchdog that wakes this late has not been watching.
constexpr auto kOverslept = std::chrono::milliseconds(500);
// An output that has asked for nothing for this long may keep a closing call waiting.
constexpr auto kStale = std::chrono::milliseconds(200);
// How long the engine's end waits for outputs still being closed.
constexpr auto kReapWait = std::chrono::seconds(1);
// The real-time priority of the thread that renders into the PulseAudio stream: that of
// PulseAudio's own server threads, so that neither holds up the other for long.
constexpr int kRealtimePriority = 5;
// Failing real-time, the niceness asked for instead.
constexpr int kRaisedNice = -11;

// The thread that feeds the sound card can wait neither for the machine's other work nor
// for anything else of ours. Real-time where the system grants it (root, or an rtprio limit
// such as an audio group's), else a raised niceness where that is granted, else as it is:
// the server's buffer then bridges what the scheduler keeps it waiting.
void raiseThisThread()
{
    sched_param param{};
    param.sched_priority = kRealtimePriority;
    if (sched_setscheduler(0, SCHED_RR | SCHED_RESET_ON_FORK, &param) == 0)
        return;
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kRaisedNice);
}

class PulseOutput final : public AudioOutput {
public:
    PulseOutput(SoundSource& source, LostListener lost) : AudioOutput(std::move(lost)), source_(source) {}

    ~PulseOutput() override { release(); }

    Opening open(double sampleRate, Clock::time_point giveUp)
    {
        loop_ = pa_threaded_mainloop_new();
        if (!loop_)
            return Opening::Refused;
        if (pa_threaded_mainloop_start(loop_) < 0) {
            pa_threaded_mainloop_free(loop_);
            loop_ = nullptr;
            return Opening::Refused;
        }
        pa_threaded_mainloop_lock(loop_);
        const Opening opening = connect(sampleRate, giveUp);
        pa_threaded_mainloop_unlock(loop_);
        return opening;
    }

private:
    Opening connect(double sampleRate, Clock::time_point giveUp)
    {
        pa_proplist* props = pa_proplist_new();
        pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Strumvane");
        pa_proplist_sets(props, PA_PROP_APPLICATION_ID, "org.strumvane.Strumvane");
        pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "music");
        context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), "Strumvane", props);
        pa_proplist_free(props);
        if (!context_)
            return Opening::Refused;
        pa_context_set_state_callback(context_, &PulseOutput::contextChanged, this);
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0)
            return Opening::Refused;
        if (const Opening o = waitUntil(giveUp, [this] { return contextState(); }); o != Opening::Opened)
            return o;

        const pa_sample_spec format{PA_SAMPLE_FLOAT32NE, static_cast<std::uint32_t>(sampleRate), 2};
        stream_ = pa_stream_new(context_, "Chord progression", &format, nullptr);
        if (!stream_)
            return Opening::Refused;
        pa_stream_set_state_callback(stream_, &PulseOutput::streamChanged, this);
        pa_stream_set_write_callback(stream_, &PulseOutput::writable, this);
        // A buffer the server keeps full: what it asks for comes whole blocks at a time. A
        // user's PULSE_LATENCY_MSEC still takes precedence (libpulse applies it here).
        const auto bytes = [&](double frames) { return static_cast<std::uint32_t>(frames) * kFrameBytes; };
        const double bufferFrames = sampleRate * kPulseBufferMs / 1000 / kBlock;
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<std::uint32_t>(-1);
        attr.tlength = bytes(static_cast<int>(bufferFrames) * kBlock);
        attr.prebuf = static_cast<std::uint32_t>(-1);
        attr.minreq = bytes(kPulseRequestFrames);
        attr.fragsize = static_cast<std::uint32_t>(-1);
        if (pa_stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, nullptr, nullptr) < 0)
            return Opening::Refused;
        // Once it has taken sound the stream is this output's, whatever comes next: a failure
        // then is a loss, which the watchdog tells, not a reason to try ALSA from further on.
        return waitUntil(giveUp, [this] { return wrote_ ? 1 : streamState(); });
    }

    // Waits, with the loop locked, until `state` says ready (1) or failed (-1), or until
    // `giveUp`: a server that has not answered by then is hung, not absent.
    template <typename State>
    Opening waitUntil(Clock::time_point giveUp, State state)
    {
        for (int s; (s = state()) == 0;) {
            if (Clock::now() > giveUp)
                return Opening::TimedOut;
            pa_threaded_mainloop_unlock(loop_);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            pa_threaded_mainloop_lock(loop_);
        }
        return state() > 0 ? Opening::Opened : Opening::Refused;
    }

    int contextState() const
    {
        const pa_context_state_t s = pa_context_get_state(context_);
        return s == PA_CONTEXT_READY ? 1 : PA_CONTEXT_IS_GOOD(s) ? 0 : -1;
    }

    int streamState() const
    {
        const pa_stream_state_t s = pa_stream_get_state(stream_);
        return s == PA_STREAM_READY ? 1 : PA_STREAM_IS_GOOD(s) ? 0 : -1;
    }

    // On the loop's thread.
    static void contextChanged(pa_context* context, void* data)
    {
        if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)))
            static_cast<PulseOutput*>(data)->fail();
    }

    static void streamChanged(pa_stream* stream, void* data)
    {
        if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
            static_cast<PulseOutput*>(data)->fail();
    }

    static void writable(pa_stream*, std::size_t bytes, void* data)
    {
        static_cast<PulseOutput*>(data)->write(bytes);
    }

    void write(std::size_t wanted)
    {
        if (!raised_) {
            raised_ = true;
            raiseThisThread();
        }
        asked();
        wrote_ = true;
        constexpr std::size_t kBlockBytes = kBlock * kFrameBytes;
        while (wanted >= kBlockBytes) {
            void* buffer = nullptr;
            std::size_t size = wanted;
            if (pa_stream_begin_write(stream_, &buffer, &size) < 0 || !buffer) {
                fail();
                return;
            }
            size = std::min(size, wanted) / kBlockBytes * kBlockBytes;
            if (size == 0) {
                pa_stream_cancel_write(stream_);
                return;
            }
            if (!source_.renderInterleaved(static_cast<float*>(buffer), static_cast<int>(size / kFrameBytes))) {
                pa_stream_cancel_write(stream_);
                fail();
                return;
            }
            if (pa_stream_write(stream_, buffer, size, nullptr, 0, PA_SEEK_RELATIVE) < 0) {
                fail();
                return;
            }
            wanted -= size;
        }
    }

    // Nothing here waits for the server: disconnecting only sends word and closes the
    // socket, so a hung server keeps nobody waiting, and the stream's sound ends at once.
    void shutDown(bool, Reapers&) override { release(); }

    void release()
    {
        if (!loop_)
            return;
        pa_threaded_mainloop_lock(loop_);
        if (stream_) {
            pa_stream_set_write_callback(stream_, nullptr, nullptr);
            pa_stream_set_state_callback(stream_, nullptr, nullptr);
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
            stream_ = nullptr;
        }
        if (context_) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(context_);
            context_ = nullptr;
        }
        pa_threaded_mainloop_unlock(loop_);
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
        loop_ = nullptr;
    }

    static constexpr std::size_t kFrameBytes = 2 * sizeof(float);

    SoundSource& source_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    bool raised_ = false;  // on the loop's thread
    bool wrote_ = false;   // with the loop locked
};

class FluidDriverOutput final : public AudioOutput {
public:
    FluidDriverOutput(SoundSource& source, LostListener lost)
        : AudioOutput(std::move(lost)), feed_(new Feed(this, &source))
    {
    }

    ~FluidDriverOutput() override
    {
        if (driver_)
            delete_fluid_audio_driver(driver_);
        delete feed_;
        if (settings_)
            delete_fluid_settings(settings_);
    }

    // Opens FluidSynth's driver `name` by `giveUp`. A device that hangs on opening (ALSA's
    // PulseAudio plugin waiting for a hung server) keeps nobody waiting: its opening goes on,
    // on a thread of `reapers`, cut off from our sound, and closes what it opens.
    bool open(double sampleRate, const char* name, Clock::time_point giveUp, Reapers& reapers)
    {
        // Settings of its own, which an opening left to itself may go on reading.
        settings_ = new_fluid_settings();
        if (!settings_)
            return false;
        fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
        fluid_settings_setstr(settings_, "audio.driver", name);
        fluid_settings_setint(settings_, "audio.period-size", kAlsaPeriodFrames);
        fluid_settings_setint(settings_, "audio.periods", kAlsaPeriods);

        auto opening = std::make_shared<DriverOpening>();
        try {
            reapers.add([opening, settings = settings_, feed = feed_] {
                fluid_audio_driver_t* driver = new_fluid_audio_driver2(settings, &FluidDriverOutput::render, feed);
                std::unique_lock lock(opening->mutex);
                if (!opening->abandoned) {
                    opening->driver = driver;
                    opening->finished = true;
                    opening->done.notify_all();
                    return;
                }
                lock.unlock();
                if (driver)
                    delete_fluid_audio_driver(driver);
                delete feed;
                delete_fluid_settings(settings);
            });
        } catch (const std::system_error&) {
            // No thread to be had: it opens here, however long that takes.
            driver_ = new_fluid_audio_driver2(settings_, &FluidDriverOutput::render, feed_);
            return driver_ != nullptr;
        }
        std::unique_lock lock(opening->mutex);
        if (!opening->done.wait_until(lock, giveUp, [&] { return opening->finished; })) {
            // (The opening cannot finish meanwhile: it needs the lock to.)
            std::lock_guard cut(feed_->mutex);
            feed_->cut = true;
            opening->abandoned = true;
            feed_ = nullptr;
            settings_ = nullptr;
            return false;
        }
        driver_ = opening->driver;
        return driver_ != nullptr;
    }

private:
    // What the driver renders through: this output until it is cut off (a driver whose
    // device hangs, left to open or close on a thread of its own, after this output is gone).
    struct Feed {
        Feed(FluidDriverOutput* o, SoundSource* s) : owner(o), source(s) {}
        FluidDriverOutput* owner;
        SoundSource* source;
        std::mutex mutex;  // held while rendering, so that cutting off waits for a render under way
        bool cut = false;
    };

    // A driver being opened on a thread of its own.
    struct DriverOpening {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;   // it has opened, or failed to
        bool abandoned = false;  // given up on: the opening closes what it opens
        fluid_audio_driver_t* driver = nullptr;
    };

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
        feed->owner->asked();
        if (feed->source->renderPlanar(len, nfx, fx, nout, out))
            return FLUID_OK;
        feed->owner->fail();
        return FLUID_FAILED;
    }

    void shutDown(bool hung, Reapers& reapers) override
    {
        if (!hung || !driver_)
            return;  // the destructor closes it here
        {
            std::lock_guard lock(feed_->mutex);
            feed_->cut = true;
        }
        try {
            reapers.add([d = driver_, f = feed_, s = settings_] {
                delete_fluid_audio_driver(d);
                delete f;
                delete_fluid_settings(s);
            });
        } catch (const std::system_error&) {
            return;  // no thread to be had: closed here after all
        }
        driver_ = nullptr;
        feed_ = nullptr;
        settings_ = nullptr;
    }

    fluid_settings_t* settings_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    Feed* feed_;
};

}  // namespace

void Reapers::finish()
{
    // A driver whose device hangs may never finish closing; it renders nothing of ours any
    // more (cut off), so after a while it is left to itself.
    const auto giveUp = Clock::now() + kReapWait;
    for (Reaper& r : reapers_) {
        while (!r.done->load() && Clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (r.done->load())
            r.thread.join();
        else
            r.thread.detach();
    }
    reapers_.clear();
}

void Reapers::add(std::function<void()> close)
{
    joinFinished();
    auto done = std::make_shared<std::atomic<bool>>(false);
    reapers_.push_back({std::thread([close = std::move(close), done] {
                            close();
                            done->store(true);
                        }),
                        done});
}

void Reapers::joinFinished()
{
    std::erase_if(reapers_, [](Reaper& r) {
        if (!r.done->load())
            return false;
        r.thread.join();
        return true;
    });
}

AudioOutput::AudioOutput(LostListener lost)
    : listener_(std::move(lost)), lastAsked_(Clock::now().time_since_epoch().count())
{
}

AudioOutput::~AudioOutput()
{
    stopWatching();
}

std::unique_ptr<AudioOutput> AudioOutput::open(double sampleRate, SoundSource& source, LostListener lost,
                                               Reapers& reapers)
{
    // One bound for the whole opening: a click on Play waits no longer than a hung server takes
    // to count as lost.
    const auto giveUp = Clock::now() + std::chrono::milliseconds(kHungMs);
    std::unique_ptr<AudioOutput> output;
    {
        auto pulse = std::make_unique<PulseOutput>(source, lost);
        const Opening opening = pulse->open(sampleRate, giveUp);
        if (opening == Opening::Opened)
            output = std::move(pulse);
        else if (opening == Opening::TimedOut)
            return nullptr;  // ALSA's default device is most often that same server
    }  // (one that failed is gone, its thread with it, before the next is tried)
    if (!output) {
        auto alsa = std::make_unique<FluidDriverOutput>(source, lost);
        if (!alsa->open(sampleRate, "alsa", giveUp, reapers))
            return nullptr;
        output = std::move(alsa);
    }
    output->startWatching();
    return output;
}

void AudioOutput::close(std::unique_ptr<AudioOutput> output, Reapers& reapers)
{
    if (!output)
        return;
    output->stopWatching();
    output->shutDown(output->lost() || !output->answering(), reapers);
}

void AudioOutput::fail()
{
    failed_.store(true);
    watchWake_.notify_all();
}

bool AudioOutput::answering() const
{
    return Clock::now() - Clock::time_point(Clock::duration(lastAsked_.load())) < kStale;
}

void AudioOutput::startWatching()
{
    watchStop_ = false;
    try {
        watchdog_ = std::thread([this] { watch(); });
    } catch (const std::system_error&) {
        // No thread to be had: it plays unwatched.
    }
}

void AudioOutput::stopWatching()
{
    {
        std::lock_guard lock(watchMutex_);
        watchStop_ = true;
    }
    watchWake_.notify_all();
    if (watchdog_.joinable())
        watchdog_.join();
}

void AudioOutput::watch()
{
    std::unique_lock lock(watchMutex_);
    const auto hung = std::chrono::milliseconds(kHungMs);
    // Silence counts only while watched on time: when the watchdog wakes late, the whole program
    // was most likely held up (stopped and continued, a debugger), the output with it.
    auto watchedSince = Clock::now();
    auto looked = watchedSince;
    while (!watchWake_.wait_for(lock, kWatchInterval, [this] { return watchStop_ || failed_.load(); })) {
        const auto now = Clock::now();
        if (now - looked > kOverslept)
            watchedSince = now;
        looked = now;
        const auto lastAsked = Clock::time_point(Clock::duration(lastAsked_.load()));
        if (now - std::max(lastAsked, watchedSince) >= hung)
            break;
    }
    if (watchStop_)
        return;
    lost_.store(true);
    lock.unlock();
    if (listener_)
        listener_();
}

}  // namespace midi

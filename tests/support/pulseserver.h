#pragma once
// A PulseAudio daemon of a test's or benchmark's own, in a private runtime folder, with a
// null sink whose monitor is recorded with parec: the real audio path, heard by no one.
// As root the daemon warns that it is not meant to run so, and runs.

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <cmath>
#include <cstddef>
#include <vector>

// A stretch where the sound stayed below a floor: where it starts and how long it lasts, in
// seconds.
struct Break {
    double start = 0;
    double length = 0;
};

// What the null sink played, mixed to one channel.
class Recording {
public:
    Recording() = default;
    Recording(std::vector<float> samples, int rate) : samples_(std::move(samples)), rate_(rate) {}

    int rate() const { return rate_; }
    double seconds() const { return static_cast<double>(samples_.size()) / rate_; }
    const std::vector<float>& samples() const { return samples_; }
    // The loudest sample between two times, in seconds.
    float peak(double from, double to) const;
    // Where the sound is louder than `floor` in every 50 ms window from `from` up to the
    // end: the first window that is quieter, in seconds (seconds() when none is).
    double soundsUntil(double from, float floor) const;
    // Every run of at least `minSeconds` between two times where no sample reaches `floor`,
    // sample by sample (a run that goes on past `to` ends there).
    std::vector<Break> breaks(double from, double to, double minSeconds, float floor) const;
    // Where the sound first reaches `floor` from `from` on, or -1.
    double firstSound(double from, float floor) const;
    // Just after the last sample that reaches `floor` between two times, or `from`: where the
    // sound falls silent for good.
    double silentFrom(double from, double to, float floor) const;

private:
    std::vector<float> samples_;
    int rate_ = 44100;
};

// A strum found in a recording by matching it against the same strum in a recording of
// reference: how far it lies from where it was sought (seconds), and how alike the two are
// (1: the same sound).
struct Match {
    double off = 0;
    double likeness = 0;
};

// The attacks of a recording: the energy of the difference from sample to sample over 0.7 ms,
// in which a strum stands out over the ringing of what sounded before, and the swaying phase
// of the reverb and chorus does not count, as it would in the waveform itself.
class Attacks {
public:
    explicit Attacks(const Recording& r);

    // The stretch of `length` seconds at `referenceAt` in `reference`, sought here at `at`
    // plus from `early` to `late` seconds; {NAN, 0} where either runs off its recording.
    Match find(const Attacks& reference, double referenceAt, double at, double early, double late, double length) const;
    // The same within this recording.
    Match find(double referenceAt, double at, double early, double late, double length) const {
        return find(*this, referenceAt, at, early, late, length);
    }

private:
    int rate_;
    std::vector<double> e_;
};

// A pattern of strums played over and over, as a progression looped: the length of a pass
// and where each strum begins in it (the first, the downbeat, at 0), in seconds.
struct StrumPattern {
    double length = 0;
    std::vector<double> strums;
};

// One strum of a pass, where the bar grid puts it and where it was heard (NAN: not found).
struct Onset {
    int pass = 0;
    std::size_t strum = 0;
    double grid = 0;
    double heard = NAN;
    double likeness = 0;
};

// Where each strum of `pattern`, looped from the first downbeat at `downbeat` on, begins in
// `recording`, for every strum the grid puts before `until`. The grid runs on from `downbeat`
// by the pattern. Each strum is sought from where the one before it was heard, by the pattern
// and by the breaks in between (everything after a break comes that much later) or without
// them (it catches up), and matched against the same strum of the pass of reference whose
// downbeat is at `referenceDownbeat` in `reference` (a pass heard without a break). A
// downbeat is sought further and over longer; a strum whose best match is not alike is not
// found, and the next is sought from where the grid and the breaks put it.
std::vector<Onset> findOnsets(const Recording& recording, const Attacks& attacks, double downbeat, double until,
                              const StrumPattern& pattern, const Attacks& reference, double referenceDownbeat);

class PulseServer {
public:
    PulseServer();
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    // Starts the daemon with its null sink as the default output and waits until it answers;
    // false with the reason (a tool missing, the daemon's log) otherwise.
    bool start(QString* why = nullptr);
    // Ends the daemon at once, as a crash does (SIGKILL), and waits for it.
    void kill();
    // Stops the daemon (SIGSTOP) without ending it: its clients hang; resume() goes on.
    void pause();
    void resume();
    bool running() const { return daemon_.state() != QProcess::NotRunning; }
    qint64 processId() const { return daemon_.processId(); }
    // Where clients reach the daemon, as PULSE_SERVER takes it.
    QString server() const;

    // This process's PulseAudio clients talk to this daemon from now on, with no autospawned
    // one beside it. ALSA is left as the machine has it: on a desktop its default device is
    // PulseAudio's plugin, which then talks to this daemon too.
    void useForThisProcess() const;

    // Records the null sink's monitor until stopRecording() or the daemon's end.
    bool startRecording(QString* why = nullptr);
    // The recorder stops and what it wrote so far is read back.
    Recording stopRecording();
    // What the recorder has written so far, while it goes on (it writes every 20 ms or so).
    Recording recordedSoFar() const;
    // How many seconds the recorder has written so far: cheap enough to ask every millisecond.
    double secondsRecorded() const;

    // The environment a client program needs to play through this daemon.
    QProcessEnvironment environment() const;

private:
    QTemporaryDir dir_;
    QProcess daemon_;
    QProcess recorder_;
    QString recording_;  // the file the recorder writes
    int recordings_ = 0;
};

// The recording under way against the wall clock: where a moment lies in the recording. The
// null sink plays by the system clock and the recording has no gaps, so the two differ by
// one offset, found where the recorder's writes ran furthest ahead of the wall clock (one
// written just after the sink played it): a place is then at most the shortest delay from the
// sink to the file (some 20 ms) too early.
class RecordingClock {
public:
    explicit RecordingClock(const PulseServer& pulse) : pulse_(pulse) { wall_.start(); }
    // Watches the recorder's file for `ms` while the event loop runs; the longer, the nearer.
    void watch(int ms);
    // Seconds since the clock was made.
    double wall() const { return static_cast<double>(wall_.nsecsElapsed()) / 1e9; }
    // Where that moment of the wall clock lies in the recording, in seconds.
    double place(double wallSeconds) const { return wallSeconds + ahead_; }

private:
    const PulseServer& pulse_;
    QElapsedTimer wall_;
    double ahead_ = -1e9;
};

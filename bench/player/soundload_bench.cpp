// The progression player's sound on a quiet machine and on one with every core busy, through
// the real audio path: a PulseAudio daemon of the benchmark's own with a null sink, the
// progression player's real window looping "ii - V - I" in C (three bars, 7.5 s) for about a
// minute (--seconds=N), the sink's monitor recorded with parec. Beside it, on the same daemon
// and in the same conditions, Debian's fluidsynth program (`fluidsynth -a pulseaudio`, its
// defaults, the same SoundFont) plays the same file as many times over.
//
// Busy: `stress-ng --cpu <2 x cores>` at normal priority, started before the window (or
// fluidsynth) and stopped after it; its --timeout bounds it should the benchmark die.
//
// BM_PlayerSound counters: breaks20_per_min / breaks50_per_min, the runs of at least 20 / 50 ms
// below -60 dBFS, found sample by sample, from the first sound until the Stop click, per
// minute of that; break_ms_per_min the time in 20 ms breaks per minute (also the benchmark's
// time, per minute), longest_break_ms; onset_worst_ms / onset_mean_ms the largest and the mean
// distance of every strum from its place on the bar grid, which runs from the first downbeat
// by the file's own tempo, onset_last_ms the signed lateness of the last strum found, strums
// and strums_missed how many were found and not; play_to_sound_ms from the "Play Chord
// Progression" click to the first sound in the recording; stop_to_silence_ms from the "Stop
// Progression" click until the recording falls below -60 dBFS for good; cpu_ms_per_s the
// benchmark process's CPU time (user + system, getrusage: the window, the engine and its audio
// threads) from the Play click to the Stop click per second of it; played_s from the first
// sound to the click; stopped_itself 1 when the window went back to "Play Chord Progression"
// (or stopped playing) before the click, which then is not made; load1 the machine's load
// average at the start.
//
// Each strum is found by matching the recording's attacks against the same strum of the
// first pass of the quiet run (reference_breaks: gaps of 5 ms or more in that pass, where
// the reference itself was broken), so the quiet run's first pass lies on the grid by
// definition, and time within it is the engine's own (events per 64-frame block).
//
// The Stop click's place in the recording: the recorder's file is watched every millisecond for
// the second before the click, and the recording's clock is set where the frames written
// run furthest ahead of the wall clock (a write just after the sink played them); the click
// then lies at most the shortest delay from the sink to the file (plus a millisecond) too
// early in the recording. marker_lag_ms is how far the plain sample count at the click lagged
// behind that. The Play click lies as far before it in the recording as on the wall clock.
//
// BM_FluidsynthSound counters: the breaks as above, from its first sound to its last, and
// cpu_ms_per_s, fluidsynth's CPU (getrusage of the benchmark's ended children) less what the
// same command without files takes (load_cpu_ms, the SoundFont's load), per second played.
//
// One run of each per General MIDI SoundFont installed (or --soundfont=PATH). Exits 1 when the
// daemon, stress-ng or fluidsynth cannot start, nothing is recorded, the window does not
// play or a message box comes up, or under half the strums are found on the quiet machine.
#include "checkedrun.h"
#include "player/frmpro.h"
#include "player/progressiontable.h"
#include "pulseserver.h"
#include "runtime/app.h"
#include "runtime/mmcontrol.h"
#include "soundfonts.h"
#include "strumpattern.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <csignal>

namespace {

const char* const kLiteral = R"(\Mid\2\4.mid)";  // "ii - V - I" in C
constexpr float kFloor = 0.001f;                  // -60 dBFS
constexpr float kHeard = 0.01f;                   // -40 dBFS: the first sound
const QString kStopCaption = QStringLiteral("Stop Progression");

double gSeconds = 60;  // --seconds=N: how long each run plays
QStringList prompts;

enum class Load { Quiet, Busy };

double loadAverage() {
    QFile f("/proc/loadavg");
    return f.open(QIODevice::ReadOnly) ? f.readLine().split(' ').value(0).toDouble() : NAN;
}

double cpuSeconds(int who) {
    rusage u{};
    getrusage(who, &u);
    auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return s(u.ru_utime) + s(u.ru_stime);
}

// Runs the event loop (waiting for events, as the program's own loop does: the tests' helper
// spins, which would count as the player's CPU) and calls `tick` every `intervalMs` until it
// returns false or `ms` have passed.
void runLoop(int ms, int intervalMs, const std::function<bool()>& tick = [] { return true; }) {
    QEventLoop loop;
    QTimer every;
    every.setTimerType(Qt::PreciseTimer);
    every.setInterval(intervalMs);
    QObject::connect(&every, &QTimer::timeout, [&] {
        if (!tick()) loop.quit();
    });
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    every.start();
    loop.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Every core busy twice over, at normal priority, for at most `bound` seconds.
class BusyMachine {
public:
    bool start(int bound, QString* why) {
        stress_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        stress_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        stress_.setStandardOutputFile(QProcess::nullDevice());
        const int workers = 2 * static_cast<int>(std::thread::hardware_concurrency());
        stress_.start("stress-ng", {"--cpu", QString::number(workers), "--timeout", QStringLiteral("%1s").arg(bound), "--quiet"});
        if (!stress_.waitForStarted(5000)) {
            *why = "stress-ng did not start (Debian's stress-ng): " + stress_.errorString();
            return false;
        }
        QThread::msleep(1000);  // its workers under way
        if (stress_.state() != QProcess::Running) {
            *why = "stress-ng ended at once";
            return false;
        }
        return true;
    }
    ~BusyMachine() {
        if (stress_.state() == QProcess::NotRunning) return;
        stress_.terminate();
        if (!stress_.waitForFinished(10000)) {
            stress_.kill();
            stress_.waitForFinished(5000);
        }
    }

private:
    QProcess stress_;
};

// The sound falls below -60 dBFS for at least 20 and 50 ms, between two times.
void countBreaks(benchmark::State& state, const Recording& r, double from, double to) {
    const std::vector<Break> twenty = r.breaks(from, to, 0.020, kFloor);
    const double perMinute = 60 / std::max(to - from, 1e-9);
    double total = 0, longest = 0;
    for (const Break& b : twenty) total += b.length, longest = std::max(longest, b.length);
    state.counters["breaks20_per_min"] = static_cast<double>(twenty.size()) * perMinute;
    state.counters["breaks50_per_min"] = static_cast<double>(r.breaks(from, to, 0.050, kFloor).size()) * perMinute;
    state.counters["break_ms_per_min"] = total * perMinute * 1e3;
    state.counters["longest_break_ms"] = longest * 1e3;
    state.SetIterationTime(total * perMinute);
}

// One play through the window: the recording and where in it the play began and ended.
struct PlayerRun {
    Recording recording;
    double firstSound = -1;
    double end = 0;          // the click, or where the window stopped by itself
    double playAt = NAN;     // the Play click's place in the recording
    double clickAt = NAN;    // the Stop click's place in the recording
    double markerLag = NAN;  // how far the sample count at the click lagged behind clickAt
    double cpuPerSecond = 0;
    bool stoppedItself = false;
    std::string failure;
};

// Plays the progression looped through the window for `seconds` from its first sound (plus a
// little, so that the click comes while a chord rings), then clicks Stop and records 3 s more.
PlayerRun playThroughWindow(PulseServer& pulse, const std::string& soundFont, double seconds) {
    PlayerRun run;
    QString why;
    rt::configureMidi(rt::MidiOutput::Audio, {soundFont});
    prompts.clear();
    frmPro& w = rt::instance<frmPro>();
    w.Show();
    qobject_cast<QComboBox*>(w.cmbProgression.widget())->setCurrentIndex(0);
    qobject_cast<QAbstractButton*>(w.optKey(0).widget())->click();
    auto button = [&] { return qobject_cast<QAbstractButton*>(w.cmdPlayChord.widget()); };
    auto leave = [&](const std::string& failure) {
        if (w.cmdPlayChord.Caption() == kStopCaption) button()->click();
        pulse.stopRecording();
        w.Unload();
        rt::processEventsFor(0);
        run.failure = failure;
        return run;
    };
    // The synthesizer and SoundFont load on a thread of their own: not part of the play.
    QElapsedTimer clock;
    clock.start();
    runLoop(120000, 50, [] { return !rt::midiLoaded(); });
    if (!rt::midiLoaded()) return leave("the synthesizer and SoundFont never loaded");
    if (!pulse.startRecording(&why)) return leave(why.toStdString());
    // A null sink that nothing plays to runs two seconds ahead of its clock: the recorder's
    // short latency brings it back, once those have passed.
    runLoop(2500, 300);

    const double cpuAtPlay = cpuSeconds(RUSAGE_SELF);
    clock.restart();
    button()->click();
    if (!prompts.isEmpty() || w.MMControl1.Mode() != rt::MMControl::kModePlaying)
        return leave("the progression did not start: " + prompts.join(" | ").toStdString());
    auto now = [&] { return static_cast<double>(clock.nsecsElapsed()) / 1e9; };
    // The null sink may take a moment to take the first sound.
    runLoop(20000, 20, [&] { return pulse.recordedSoFar().firstSound(0, kHeard) < 0; });
    const double clickWall = now() + seconds;
    auto stopped = [&] { return w.cmdPlayChord.Caption() != kStopCaption; };
    double notPlayingSince = -1;
    runLoop(static_cast<int>((clickWall - 1 - now()) * 1000), 100, [&] {
        if (w.MMControl1.Mode() == rt::MMControl::kModePlaying)
            notPlayingSince = -1;
        else if (notPlayingSince < 0)
            notPlayingSince = now();
        run.stoppedItself = stopped() || (notPlayingSince >= 0 && now() - notPlayingSince > 2);
        return !run.stoppedItself;
    });
    // The recording's clock against the wall clock, from the second before the click.
    double ahead = -1e9;
    if (!run.stoppedItself) {
        runLoop(static_cast<int>((clickWall - now()) * 1000), 1, [&] {
            ahead = std::max(ahead, pulse.secondsRecorded() - now());
            run.stoppedItself = stopped();
            return !run.stoppedItself;
        });
    }
    const double endWall = now();
    const double recordedAtEnd = pulse.secondsRecorded();
    run.cpuPerSecond = (cpuSeconds(RUSAGE_SELF) - cpuAtPlay) / endWall;
    if (!run.stoppedItself) {
        button()->click();
        run.clickAt = endWall + ahead;
        run.markerLag = run.clickAt - recordedAtEnd;
        // The null sink plays by the system clock, and the recording has no gaps.
        run.playAt = run.clickAt - endWall;
    }
    runLoop(3000, 100);
    run.recording = pulse.stopRecording();
    w.Unload();
    rt::processEventsFor(0);

    if (!prompts.isEmpty()) run.failure = "a message box came up: " + prompts.join(" | ").toStdString();
    run.firstSound = run.recording.firstSound(0, kHeard);
    if (run.firstSound < 0) run.failure = "nothing was recorded from the null sink";
    // Stopped by itself: the play ended where the sound last fell silent for good.
    run.end = run.stoppedItself ? run.recording.silentFrom(run.firstSound, recordedAtEnd + 0.5, kFloor) : run.clickAt;
    return run;
}

// The quiet run's recording per SoundFont, whose first pass every run's strums are matched
// against.
struct Reference {
    Recording recording;
    std::unique_ptr<Attacks> attacks;
    double downbeat = 0;
};
std::map<std::string, Reference> references;

void BM_PlayerSound(benchmark::State& state, const std::string& soundFont, Load load) {
    auto fail = [&](const std::string& why) {
        std::fprintf(stderr, "soundload_bench: %s\n", why.c_str());
        checkedrun::fail(state, why);
    };
    const StrumPattern pattern = strumPatternOf(player::progressionFilePath(rt::App::Path().toStdString(), kLiteral));
    if (pattern.length <= 0 || pattern.strums.empty()) return fail("cannot read the progression file");
    // A little past the last whole pass, so that the click comes while a chord rings.
    const double seconds = std::ceil(gSeconds / pattern.length) * pattern.length + 0.4;

    for (auto _ : state) {
        PulseServer pulse;
        QString why;
        if (!pulse.start(&why)) return fail(why.toStdString());
        pulse.useForThisProcess();
        if (load == Load::Busy && !references.contains(soundFont)) {
            // Run on its own: a pass on the quiet machine to match the strums against.
            PlayerRun quiet = playThroughWindow(pulse, soundFont, pattern.length + 0.4);
            if (!quiet.failure.empty()) return fail(quiet.failure);
            references[soundFont] = {quiet.recording, std::make_unique<Attacks>(quiet.recording), quiet.firstSound};
        }
        state.counters["load1"] = loadAverage();
        std::unique_ptr<BusyMachine> busy;
        if (load == Load::Busy) {
            busy = std::make_unique<BusyMachine>();
            if (!busy->start(static_cast<int>(seconds) + 120, &why)) return fail(why.toStdString());
        }
        PlayerRun run = playThroughWindow(pulse, soundFont, seconds);
        busy.reset();
        if (!run.failure.empty()) return fail(run.failure);
        const Recording& r = run.recording;
        auto attacks = std::make_unique<Attacks>(r);
        if (load == Load::Quiet) references[soundFont] = {r, std::move(attacks), run.firstSound};
        const Reference& ref = references[soundFont];
        const Attacks& heard = load == Load::Quiet ? *ref.attacks : *attacks;

        countBreaks(state, r, run.firstSound, run.end);
        // Strums the grid puts a little before the end (a late one must still lie in it).
        const std::vector<Onset> onsets =
            findOnsets(r, heard, run.firstSound, run.end - 0.5, pattern, *ref.attacks, ref.downbeat);
        double worst = 0, sum = 0, last = NAN;
        std::size_t found = 0;
        for (const Onset& o : onsets) {
            if (std::isnan(o.heard)) continue;
            const double off = o.heard - o.grid;
            worst = std::max(worst, std::fabs(off));
            sum += std::fabs(off);
            last = off;
            ++found;
        }
        if (load == Load::Quiet && found * 2 < onsets.size())
            return fail("only " + std::to_string(found) + " of " + std::to_string(onsets.size()) + " strums found");
        state.counters["onset_worst_ms"] = worst * 1e3;
        state.counters["onset_mean_ms"] = found ? sum / static_cast<double>(found) * 1e3 : NAN;
        state.counters["onset_last_ms"] = last * 1e3;
        state.counters["strums"] = static_cast<double>(found);
        state.counters["strums_missed"] = static_cast<double>(onsets.size() - found);
        state.counters["reference_breaks"] = static_cast<double>(
            ref.recording.breaks(ref.downbeat, ref.downbeat + pattern.length, 0.005, kFloor).size());
        state.counters["cpu_ms_per_s"] = run.cpuPerSecond * 1e3;
        state.counters["played_s"] = run.end - run.firstSound;
        state.counters["stopped_itself"] = run.stoppedItself ? 1 : 0;
        if (!run.stoppedItself) {
            state.counters["play_to_sound_ms"] = (run.firstSound - run.playAt) * 1e3;
            const double silent = r.silentFrom(run.clickAt, r.seconds(), kFloor);
            // Still sounding at the recording's end: not silent within 3 s.
            state.counters["stop_to_silence_ms"] = (r.seconds() - silent < 0.1 ? NAN : silent - run.clickAt) * 1e3;
            state.counters["marker_lag_ms"] = run.markerLag * 1e3;
        }
    }
}

// Runs fluidsynth with `args` on the daemon until it ends by itself: false when it cannot
// start or fails.
bool runFluidsynth(const PulseServer& pulse, const QStringList& args, int timeoutMs, QString* why) {
    QProcess fs;
    fs.setProcessEnvironment(pulse.environment());
    fs.setProcessChannelMode(QProcess::MergedChannels);
    fs.start("fluidsynth", args);
    if (!fs.waitForStarted(5000)) {
        *why = "fluidsynth did not start (Debian's fluidsynth): " + fs.errorString();
        return false;
    }
    if (!fs.waitForFinished(timeoutMs)) {
        fs.kill();
        fs.waitForFinished(5000);
        *why = "fluidsynth did not end in time";
        return false;
    }
    if (fs.exitStatus() != QProcess::NormalExit || fs.exitCode() != 0) {
        *why = "fluidsynth failed: " + QString::fromLocal8Bit(fs.readAll());
        return false;
    }
    return true;
}

void BM_FluidsynthSound(benchmark::State& state, const std::string& soundFont, Load load) {
    auto fail = [&](const std::string& why) {
        std::fprintf(stderr, "soundload_bench: %s\n", why.c_str());
        checkedrun::fail(state, why);
    };
    const std::string file = player::progressionFilePath(rt::App::Path().toStdString(), kLiteral);
    const StrumPattern pattern = strumPatternOf(file);
    if (pattern.length <= 0) return fail("cannot read " + file);
    const int passes = static_cast<int>(std::ceil(gSeconds / pattern.length));
    const QStringList command = {"-a", "pulseaudio", "-i", "-q", QString::fromStdString(soundFont)};
    QStringList withFiles = command;
    for (int i = 0; i < passes; ++i) withFiles << QString::fromStdString(file);

    for (auto _ : state) {
        PulseServer pulse;
        QString why;
        if (!pulse.start(&why)) return fail(why.toStdString());
        state.counters["load1"] = loadAverage();
        std::unique_ptr<BusyMachine> busy;
        if (load == Load::Busy) {
            busy = std::make_unique<BusyMachine>();
            if (!busy->start(static_cast<int>(passes * pattern.length) + 180, &why)) return fail(why.toStdString());
        }
        // (Nothing else of the benchmark's ends meanwhile, so the ended children's CPU is
        // fluidsynth's alone.)
        double cpu = cpuSeconds(RUSAGE_CHILDREN);
        if (!runFluidsynth(pulse, command, 120000, &why)) return fail(why.toStdString());
        const double loadCpu = cpuSeconds(RUSAGE_CHILDREN) - cpu;
        if (!pulse.startRecording(&why)) return fail(why.toStdString());
        cpu = cpuSeconds(RUSAGE_CHILDREN);
        if (!runFluidsynth(pulse, withFiles, static_cast<int>(passes * pattern.length * 3000) + 120000, &why))
            return fail(why.toStdString());
        const double played = cpuSeconds(RUSAGE_CHILDREN) - cpu;
        const double endedAt = pulse.secondsRecorded();
        busy.reset();
        runLoop(500, 100);
        const Recording r = pulse.stopRecording();
        const double first = r.firstSound(0, kHeard);
        if (first < 0) return fail("nothing was recorded from the null sink");
        const double last = r.silentFrom(first, endedAt, kFloor);
        countBreaks(state, r, first, last);
        state.counters["cpu_ms_per_s"] = (played - loadCpu) / (endedAt - first) * 1e3;
        state.counters["load_cpu_ms"] = loadCpu * 1e3;
        state.counters["played_s"] = last - first;
    }
}

// --seconds=N, taken out of the arguments.
double secondsToPlay(int& argc, char** argv) {
    double seconds = 60;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--seconds=", 0) == 0)
            seconds = std::stod(arg.substr(10));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> soundFonts = soundFontsToMeasure(argc, argv);
    gSeconds = secondsToPlay(argc, argv);
    rt::App::init(argc, argv);
    rt::App::setEndsWhenLastWindowCloses(false);
    rt::setMessageHandler([](const QString& p) { prompts << p; });
    if (soundFonts.empty()) {
        std::fprintf(stderr, "soundload_bench: no General MIDI SoundFont to measure (scripts/deps.sh installs them)\n");
        return 1;
    }
    for (const std::string& path : soundFonts) {
        const std::string name = std::filesystem::path(path).filename().string();
        using Run = void (*)(benchmark::State&, const std::string&, Load);
        const std::pair<Load, std::string> loads[] = {{Load::Quiet, "quiet"}, {Load::Busy, "busy"}};
        const std::pair<std::string, Run> runs[] = {{"BM_PlayerSound/", BM_PlayerSound},
                                                    {"BM_FluidsynthSound/", BM_FluidsynthSound}};
        for (const auto& [load, label] : loads) {
            for (const auto& [what, run] : runs) {
                benchmark::RegisterBenchmark((what + name + "/" + label).c_str(), run, path, load)
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond)
                    ->Iterations(1);
            }
        }
    }
    return checkedrun::runAll(argc, argv);
}

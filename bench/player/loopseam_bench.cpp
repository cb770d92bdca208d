// How far the downbeat after each restart of a progression lies off the bar grid, through
// the real audio path: a PulseAudio daemon of the benchmark's own with a null sink, the
// progression player's real window playing "ii - V - I" in C (three bars, 7.5 s) and looping
// it three times, and the sink's monitor recorded with parec. Target: at most 10 ms.
//
// The bar grid runs on from each pass's downbeat by the file's own length. The first downbeat
// is the first sound recorded; every later strum is found by matching the recording against
// the same strum of the pass before (their attacks, to the sample).
// Counters: seam_late_ms, the latest of the three restarts' downbeats against the grid
// (negative: early), and seam<n>_late_ms each one's; jitter_ms, the standard deviation of the
// other strums of the restarted passes against their places counted from their own downbeat
// (as the pass before placed them), jitter_pp_ms their spread from earliest to latest;
// dropouts and dropped_ms, how often and for how long in all the audio ran dry (the null sink
// played silence in its place, and everything after came that much later); seam_late_net_ms,
// the latest restart's lateness less the silence so played in the pass before it.
// One run per General MIDI SoundFont installed (or --soundfont=PATH). A run where the daemon
// cannot start, nothing is recorded, a downbeat or most strums cannot be matched or a message
// box comes up is an error, and the program exits 1.
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

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr int kPasses = 4;  // the first and three restarts
const char* const kLiteral = R"(\Mid\2\4.mid)";  // "ii - V - I" in C

struct Figures {
    std::vector<double> seamsLate;  // seconds, one per restart
    std::vector<double> dropped;    // seconds of sound dropped in the pass before each restart
    std::size_t dropouts = 0;
    std::vector<double> strumsOff;  // seconds, every other strum, against its pass's downbeat
    std::size_t strumsUnmatched = 0;
};

// Where the audio ran dry the null sink played silence: runs of at least 8 samples of exact
// zero amid the sound. Their count and length, between two times.
std::pair<std::size_t, double> dropouts(const Recording& r, double from, double to) {
    const auto& x = r.samples();
    const auto last = std::min(x.size(), static_cast<std::size_t>(to * r.rate()));
    std::size_t count = 0, zeros = 0;
    for (std::size_t i = static_cast<std::size_t>(from * r.rate()); i < last;) {
        std::size_t j = i;
        while (j < last && x[j] == 0.0f) ++j;
        if (j - i >= 8) ++count, zeros += j - i;
        i = j + 1;
    }
    return {count, static_cast<double>(zeros) / r.rate()};
}

// A strum's match below this likeness is no match: one drowned in the ringing of the one
// before, not sure to the millisecond. A downbeat, the loudest strum, is sought further and
// may be broken by the audio running dry (a gap of silence) and still be found.
constexpr double kAlike = 0.8;
constexpr double kDownbeatAlike = 0.5;

// The first pass's downbeat is the first sound. Each later downbeat is sought from 50 ms early
// to 300 ms late against the grid that the pass before it set, matched against that pass's
// downbeat over 150 ms; every other strum within 20 ms of its place after its own downbeat,
// matched against the same strum of the pass before over 30 ms.
std::string measure(const Recording& recording, const StrumPattern& p, Figures& f) {
    const auto& x = recording.samples();
    const auto firstSound = std::find_if(x.begin(), x.end(), [](float v) { return std::fabs(v) > 0.01f; });
    if (firstSound == x.end()) return "the recording is silent";
    const Attacks matcher(recording);
    // A little before each attack, so that all of it counts.
    constexpr double kLead = 0.003;
    double before = std::max(kLead, static_cast<double>(firstSound - x.begin()) / recording.rate());
    for (int pass = 1; pass < kPasses; ++pass) {
        const double grid = before + p.length;
        const Match seam = matcher.find(before - kLead, grid - kLead, -0.05, 0.3, 0.15);
        if (std::isnan(seam.off) || seam.likeness < kDownbeatAlike)
            return "no downbeat found for pass " + std::to_string(pass + 1) + " (likeness " + std::to_string(seam.likeness) + ")";
        f.seamsLate.push_back(seam.off);
        const auto [count, seconds] = dropouts(recording, before, grid + seam.off);
        f.dropouts += count;
        f.dropped.push_back(seconds);
        const double downbeat = grid + seam.off;
        for (std::size_t s = 1; s < p.strums.size(); ++s) {
            const double offset = p.strums[s] - kLead;
            const Match m = matcher.find(before + offset, downbeat + offset, -0.02, 0.02, 0.03);
            if (std::isnan(m.off) || m.likeness < kAlike)
                ++f.strumsUnmatched;
            else
                f.strumsOff.push_back(m.off);
        }
        before = downbeat;
    }
    return {};
}

QStringList prompts;

void BM_LoopSeam(benchmark::State& state, const std::string& soundFont) {
    auto fail = [&](const std::string& why) {
        std::fprintf(stderr, "loopseam_bench: %s\n", why.c_str());
        checkedrun::fail(state, why);
    };
    const std::string path = player::progressionFilePath(rt::App::Path().toStdString(), kLiteral);
    const StrumPattern pattern = strumPatternOf(path);
    if (pattern.length <= 0 || pattern.strums.empty()) return fail("cannot read " + path);

    for (auto _ : state) {
        PulseServer pulse;
        QString why;
        if (!pulse.start(&why)) return fail(why.toStdString());
        pulse.useForThisProcess();
        rt::configureMidi(rt::MidiOutput::Audio, {soundFont});
        prompts.clear();

        frmPro& w = rt::instance<frmPro>();
        w.Show();
        qobject_cast<QComboBox*>(w.cmbProgression.widget())->setCurrentIndex(0);
        qobject_cast<QAbstractButton*>(w.optKey(0).widget())->click();
        if (!pulse.startRecording(&why)) return fail(why.toStdString());
        rt::processEventsFor(300);
        qobject_cast<QAbstractButton*>(w.cmdPlayChord.widget())->click();
        if (!prompts.isEmpty() || w.MMControl1.Mode() != rt::MMControl::kModePlaying) {
            w.Unload();
            return fail("the progression did not start: " + prompts.join(" | ").toStdString());
        }

        // The null sink may take a moment to take the first sound; then the passes.
        QElapsedTimer clock;
        clock.start();
        while (pulse.recordedSoFar().peak(0, 1e9) < 0.01f && clock.elapsed() < 10000) rt::processEventsFor(100);
        rt::processEventsFor(static_cast<int>(kPasses * pattern.length * 1000) + 600);
        qobject_cast<QAbstractButton*>(w.cmdPlayChord.widget())->click();
        const Recording recording = pulse.stopRecording();
        w.Unload();
        rt::processEventsFor(0);

        if (!prompts.isEmpty()) return fail("a message box came up: " + prompts.join(" | ").toStdString());
        if (recording.seconds() < kPasses * pattern.length || recording.peak(0, recording.seconds()) < 0.01f)
            return fail("nothing was recorded from the null sink (" + std::to_string(recording.seconds()) + " s)");
        Figures figures;
        const std::string problem = measure(recording, pattern, figures);
        if (!problem.empty()) return fail(problem);
        const std::size_t expected = (kPasses - 1) * (pattern.strums.size() - 1);
        if (figures.strumsOff.size() * 2 < expected)
            return fail("only " + std::to_string(figures.strumsOff.size()) + " of " + std::to_string(expected) +
                        " strums found");

        const double seamLate = *std::max_element(figures.seamsLate.begin(), figures.seamsLate.end());
        const auto& off = figures.strumsOff;
        const double mean = std::accumulate(off.begin(), off.end(), 0.0) / static_cast<double>(off.size());
        double square = 0;
        for (double d : off) square += (d - mean) * (d - mean);
        const auto [low, high] = std::minmax_element(off.begin(), off.end());
        state.SetIterationTime(std::fabs(seamLate));
        state.counters["seam_late_ms"] = seamLate * 1e3;
        double worstNet = -1e9;
        for (std::size_t i = 0; i < figures.seamsLate.size(); ++i)
            worstNet = std::max(worstNet, figures.seamsLate[i] - figures.dropped[i]);
        state.counters["seam_late_net_ms"] = worstNet * 1e3;
        for (std::size_t i = 0; i < figures.seamsLate.size(); ++i)
            state.counters["seam" + std::to_string(i + 1) + "_late_ms"] = figures.seamsLate[i] * 1e3;
        state.counters["dropouts"] = static_cast<double>(figures.dropouts);
        state.counters["dropped_ms"] = std::accumulate(figures.dropped.begin(), figures.dropped.end(), 0.0) * 1e3;
        state.counters["jitter_ms"] = std::sqrt(square / static_cast<double>(off.size())) * 1e3;
        state.counters["jitter_pp_ms"] = (*high - *low) * 1e3;
        state.counters["strums_matched"] = static_cast<double>(off.size());
        state.counters["strums_unmatched"] = static_cast<double>(figures.strumsUnmatched);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> soundFonts = soundFontsToMeasure(argc, argv);
    rt::App::init(argc, argv);
    rt::App::setEndsWhenLastWindowCloses(false);
    rt::setMessageHandler([](const QString& p) { prompts << p; });
    if (soundFonts.empty()) {
        std::fprintf(stderr, "loopseam_bench: no General MIDI SoundFont to measure (scripts/deps.sh installs them)\n");
        return 1;
    }
    for (const std::string& path : soundFonts) {
        const std::string name = "BM_LoopSeam/" + std::filesystem::path(path).filename().string();
        benchmark::RegisterBenchmark(name.c_str(), BM_LoopSeam, path)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
    }
    return checkedrun::runAll(argc, argv);
}

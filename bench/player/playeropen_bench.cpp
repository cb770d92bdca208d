// From a click on "Common Chord Progressions" in the main window until the progression
// player is idle (its window painted, the synthesizer and its SoundFont loaded): the
// longest stretch the event loop is blocked, up to the player's first paint and after it.
// Target: at most 16 ms after the first paint, one frame at 60 Hz.
//
// One benchmark per General MIDI SoundFont, given by path, so each can be measured without
// changing the system's default: Debian's TimGM6mb and FluidR3 where installed, or those
// named with --soundfont=PATH (repeatable; give it to this program only). A run where the
// window never appears or the load never finishes is an error, and the program exits 1.
#include "app/frmmain.h"
#include "checkedrun.h"
#include "player/frmpro.h"
#include "runtime/app.h"
#include "runtime/mmcontrol.h"
#include "soundfonts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr qint64 kMs = 1000000;          // nanoseconds
constexpr qint64 kBeat = 1 * kMs;        // the loop is probed this often
constexpr qint64 kIdle = 300 * kMs;      // quiet this long after paint and load: idle
constexpr qint64 kGiveUp = 15000 * kMs;  // no window or no load by then: an error

struct Stalls {
    double quietMs = 0;       // longest blocked stretch with nothing to do: the machine's own
    double toPaintMs = 0;     // longest blocked stretch from the click to the first paint's end
    double afterPaintMs = 0;  // longest blocked stretch after that
    double loadedMs = 0;      // from the click until the load was seen finished
    std::string failure;
};

// Notes when a window is first painted: from the first paint event of its widgets to the
// first event of any other kind after it, when the first frame is done.
class PaintSpy : public QObject {
public:
    PaintSpy(const rt::Form& form, const QElapsedTimer& clock) : form_(form), clock_(clock) {}
    qint64 paintedAt = -1;
    qint64 paintDoneAt = -1;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (paintDoneAt >= 0) return false;
        if (event->type() == QEvent::Paint) {
            auto* w = qobject_cast<QWidget*>(receiver);
            if (paintedAt < 0 && form_.isLoaded() && w && w->window() == form_.topLevelWidget())
                paintedAt = clock_.nsecsElapsed();
        } else if (paintedAt >= 0) {
            paintDoneAt = clock_.nsecsElapsed();
        }
        return false;
    }

private:
    const rt::Form& form_;
    const QElapsedTimer& clock_;
};

// Runs the event loop with a probe every millisecond: a probe that comes late shows how
// long the loop was held. The probe hands each stretch (from, to) to `seen`, which returns
// false to end the run.
void probeLoop(const QElapsedTimer& clock, const std::function<bool(qint64 from, qint64 to)>& seen) {
    QEventLoop loop;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    qint64 last = clock.nsecsElapsed();
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (!seen(last, now)) loop.quit();
        last = now;
    });
    probe.start();
    loop.exec();
}

double blockedMs(qint64 from, qint64 to) { return std::max<qint64>(0, to - from - kBeat) / 1e6; }

// With the player closed and a fresh engine: first the loop with nothing to do, then the
// click, until the window has painted and the load has finished and all is quiet.
Stalls openPlayer(QAbstractButton* button, frmPro& player, const std::string& soundFont) {
    rt::configureMidi(rt::MidiOutput::Audio, {soundFont});
    Stalls stalls;
    QElapsedTimer clock;
    clock.start();
    probeLoop(clock, [&](qint64 from, qint64 to) {
        stalls.quietMs = std::max(stalls.quietMs, blockedMs(from, to));
        return to < kIdle;
    });

    PaintSpy spy(player, clock);
    qApp->installEventFilter(&spy);
    qint64 clicked = -1;
    qint64 loaded = -1;
    QTimer::singleShot(0, button, [&] {
        clicked = clock.nsecsElapsed();
        button->click();
    });
    probeLoop(clock, [&](qint64 from, qint64 to) {
        if (clicked < 0) return true;
        from = std::max(from, clicked);
        // Up to the end of the first paint the window is opening; the target is about what
        // follows, also within the same stretch.
        const qint64 painted = spy.paintDoneAt;
        if (painted < 0 || painted >= to) {
            stalls.toPaintMs = std::max(stalls.toPaintMs, blockedMs(from, to));
        } else if (painted <= from) {
            stalls.afterPaintMs = std::max(stalls.afterPaintMs, blockedMs(from, to));
        } else {
            stalls.toPaintMs = std::max(stalls.toPaintMs, (painted - from) / 1e6);
            stalls.afterPaintMs = std::max(stalls.afterPaintMs, blockedMs(painted, to));
        }
        if (loaded < 0 && rt::midiLoaded()) loaded = to;
        if (painted >= 0 && loaded >= 0 && to - std::max(painted, loaded) > kIdle) return false;
        return to - clicked < kGiveUp;
    });
    qApp->removeEventFilter(&spy);

    if (!player.isLoaded() || spy.paintDoneAt < 0)
        stalls.failure = "the progression player's window never appeared";
    else if (loaded < 0)
        stalls.failure = "the synthesizer and " + soundFont + " never finished loading";
    stalls.loadedMs = (loaded - clicked) / 1e6;
    player.Unload();
    rt::processEventsFor(0);
    return stalls;
}

void BM_OpenPlayerUntilIdle(benchmark::State& state, const std::string& soundFont) {
    auto& main = rt::instance<frmMain>();
    auto& player = rt::instance<frmPro>();
    main.Show();
    rt::processEventsFor(50);
    auto* button = qobject_cast<QAbstractButton*>(main.Command1.widget());
    if (!button) return checkedrun::fail(state, "no \"Common Chord Progressions\" button");
    double worstAfterPaint = 0;
    double worstQuiet = 0;
    double sumToPaint = 0;
    double sumLoaded = 0;
    for (auto _ : state) {
        const Stalls stalls = openPlayer(button, player, soundFont);
        if (!stalls.failure.empty()) {
            std::fprintf(stderr, "player_bench: %s\n", stalls.failure.c_str());
            checkedrun::fail(state, stalls.failure);
            break;
        }
        state.SetIterationTime(stalls.afterPaintMs / 1e3);
        worstAfterPaint = std::max(worstAfterPaint, stalls.afterPaintMs);
        worstQuiet = std::max(worstQuiet, stalls.quietMs);
        sumToPaint += stalls.toPaintMs;
        sumLoaded += stalls.loadedMs;
    }
    const double runs = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["worst_after_paint_ms"] = worstAfterPaint;
    state.counters["worst_quiet_ms"] = worstQuiet;
    state.counters["to_paint_ms"] = sumToPaint / runs;
    state.counters["loaded_ms"] = sumLoaded / runs;
    rt::configureMidi(rt::MidiOutput::Audio);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> soundFonts = soundFontsToMeasure(argc, argv);
    rt::App::init(argc, argv);
    rt::App::setEndsWhenLastWindowCloses(false);
    rt::setMessageHandler([](const QString&) {});
    if (soundFonts.empty()) {
        std::fprintf(stderr, "player_bench: no General MIDI SoundFont to measure (scripts/deps.sh installs them)\n");
        return 1;
    }
    for (const std::string& path : soundFonts) {
        const std::string name = "BM_OpenPlayerUntilIdle/" + std::filesystem::path(path).filename().string();
        benchmark::RegisterBenchmark(name.c_str(), BM_OpenPlayerUntilIdle, path)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
    }
    return checkedrun::runAll(argc, argv);
}

// Start-up, opening a window, and a Strum click up to the diagram painted. Each checks that
// its work happened: the main window shown, the lesson open, the diagram and its fret label
// shown and painted, and no message box on the way.
#include "app/frmmain.h"
#include "checkedrun.h"
#include "lessons/majorminor/frmbasic.h"
#include "runtime/app.h"
#include "runtime/picture.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Every message box shown; a benchmark that meets one has not done its work.
QStringList prompts;

bool noPrompts(benchmark::State& state) {
    if (prompts.isEmpty()) return true;
    checkedrun::fail(state, "a message box: \"" + prompts.join("\", \"").toStdString() + "\"");
    return false;
}

long long nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// From the start of a fresh process to its main window shown. The probe prints the time
// only once its main window is on screen.
void BM_StartToMainWindowShown(benchmark::State& state) {
    const std::string probe = (rt::App::Path() + "/bench-startup-probe").toStdString();
    for (auto _ : state) {
        int out[2];
        if (pipe(out) != 0) {
            checkedrun::fail(state, "pipe");
            break;
        }
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, out[1], 1);
        posix_spawn_file_actions_addclose(&fa, out[0]);
        char* args[] = {const_cast<char*>(probe.c_str()), nullptr};
        const long long start = nowNs();
        pid_t pid = 0;
        const int spawned = posix_spawn(&pid, probe.c_str(), &fa, nullptr, args, environ);
        posix_spawn_file_actions_destroy(&fa);
        close(out[1]);
        if (spawned != 0) {
            close(out[0]);
            checkedrun::fail(state, "cannot start " + probe);
            break;
        }
        char buf[64] = {};
        const ssize_t n = read(out[0], buf, sizeof buf - 1);
        close(out[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        const long long shown = n > 0 ? std::atoll(buf) : 0;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || shown <= start) {
            checkedrun::fail(state, "the probe did not show its main window");
            break;
        }
        state.SetIterationTime((shown - start) / 1e9);
    }
}
BENCHMARK(BM_StartToMainWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_OpenLessonWindow(benchmark::State& state) {
    auto& w = rt::instance<frmBasic>();
    prompts.clear();
    for (auto _ : state) {
        w.Show();
        state.PauseTiming();
        const bool open = w.isLoaded() && w.topLevelWidget()->isVisible() && w.lstChordType.ListCount() == 2;
        if (!open) {
            checkedrun::fail(state, "the lesson window did not open with its list");
            break;
        }
        w.Unload();
        rt::processEventsFor(0);
        state.ResumeTiming();
    }
    if (!state.error_occurred()) noPrompts(state);
}
BENCHMARK(BM_OpenLessonWindow)->Unit(benchmark::kMillisecond);

// Some ink in the widget as painted: the diagram's grid at least.
bool paintedInk(QWidget* w) {
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (qGray(shot.pixel(x, y)) < 96) return true;
    return false;
}

void BM_StrumToDiagramPainted(benchmark::State& state) {
    // G Major in its four forms, as the lesson's table gives them.
    constexpr int kIds[4] = {137, 102, 103, 185};
    const char* const kFrets[4] = {"1st Fret", "3rd Fret", "10th Fret", "5th Fret"};
    auto& w = rt::instance<frmBasic>();
    prompts.clear();
    w.Show();
    w.lstChordType.setListIndex(0);
    w.optRoot(7).click();
    // The last Strum showed its form's diagram and fret label, and no message box came.
    int form = -1;
    auto shown = [&] {
        if (!noPrompts(state)) return false;
        if (form < 0) return true;
        if (w.imgChord.Visible() && w.imgChord.Picture().resourceId() == kIds[form] && w.lblFretNumber.Caption() == kFrets[form])
            return true;
        checkedrun::fail(state, "Strum Me did not show G Major form " + std::to_string(form + 1));
        return false;
    };
    for (auto _ : state) {
        state.PauseTiming();
        if (!shown()) break;
        form = (form + 1) % 4;
        w.optForm(form).click();  // clears the diagram
        state.ResumeTiming();
        w.cmdStrumMe.click();
        w.imgChord.widget()->repaint();
        w.lblFretNumber.widget()->repaint();
    }
    if (!state.error_occurred() && shown() && !paintedInk(w.imgChord.widget())) checkedrun::fail(state, "no diagram painted");
    w.Unload();
}
BENCHMARK(BM_StrumToDiagramPainted)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    rt::App::init(argc, argv);
    rt::App::setEndsWhenLastWindowCloses(false);
    rt::setMessageHandler([](const QString& p) { prompts << p; });
    return checkedrun::runAll(argc, argv);
}

// Start-up, opening a window, and a Strum click up to the diagram painted.
#include "app/frmmain.h"
#include "lessons/majorminor/frmbasic.h"
#include "runtime/app.h"

#include <benchmark/benchmark.h>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

long long nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// From the start of a fresh process to its main window shown.
void BM_StartToMainWindowShown(benchmark::State& state) {
    const std::string probe = (rt::App::Path() + "/bench-startup-probe").toStdString();
    for (auto _ : state) {
        int out[2];
        if (pipe(out) != 0) state.SkipWithError("pipe");
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_adddup2(&fa, out[1], 1);
        posix_spawn_file_actions_addclose(&fa, out[0]);
        char* args[] = {const_cast<char*>(probe.c_str()), nullptr};
        const long long start = nowNs();
        pid_t pid = 0;
        if (posix_spawn(&pid, probe.c_str(), &fa, nullptr, args, environ) != 0) state.SkipWithError("spawn");
        close(out[1]);
        char buf[64] = {};
        const ssize_t n = read(out[0], buf, sizeof buf - 1);
        close(out[0]);
        waitpid(pid, nullptr, 0);
        posix_spawn_file_actions_destroy(&fa);
        if (n <= 0) {
            state.SkipWithError("probe printed nothing");
            break;
        }
        state.SetIterationTime((std::atoll(buf) - start) / 1e9);
    }
}
BENCHMARK(BM_StartToMainWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_OpenLessonWindow(benchmark::State& state) {
    auto& w = rt::instance<frmBasic>();
    for (auto _ : state) {
        w.Show();
        state.PauseTiming();
        w.Unload();
        rt::processEventsFor(0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLessonWindow)->Unit(benchmark::kMillisecond);

void BM_StrumToDiagramPainted(benchmark::State& state) {
    auto& w = rt::instance<frmBasic>();
    w.Show();
    w.lstChordType.setListIndex(0);
    w.optRoot(7).click();
    int form = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.optForm(form).click();  // clears the diagram
        form = (form + 1) % 4;
        state.ResumeTiming();
        w.cmdStrumMe.click();
        w.imgChord.widget()->repaint();
        w.lblFretNumber.widget()->repaint();
    }
    w.Unload();
}
BENCHMARK(BM_StrumToDiagramPainted)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    rt::App::init(argc, argv);
    rt::App::setEndsWhenLastWindowCloses(false);
    rt::setMessageHandler([](const QString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

#pragma once
// A benchmark whose timed work did not happen stops with an error, and the program then
// exits with a failure, so that a run that measured nothing never passes for a figure.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace checkedrun {

inline bool& anyFailed() {
    static bool failed = false;
    return failed;
}

// Stops the benchmark with the reason; the caller leaves its loop.
inline void fail(benchmark::State& state, const std::string& why) {
    anyFailed() = true;
    state.SkipWithError(why.c_str());
}

// Runs the benchmarks the arguments select; 1 when any of them failed.
inline int runAll(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (anyFailed()) {
        std::fprintf(stderr, "a benchmark's work did not happen: see ERROR OCCURRED above\n");
        return 1;
    }
    return 0;
}

}  // namespace checkedrun

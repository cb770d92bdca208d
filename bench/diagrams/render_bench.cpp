#include "diagrams/renderer.h"

#include <benchmark/benchmark.h>

namespace {

// Draws all 237 diagrams per iteration; the per-diagram time is the figure that counts.
void BM_RenderEveryDiagram(benchmark::State& state)
{
    const auto ids = diagrams::allDiagramIds();
    for (auto _ : state) {
        for (int id : ids) {
            auto bmp = diagrams::renderDiagram(id);
            benchmark::DoNotOptimize(bmp);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ids.size()));
    state.counters["per_diagram"] = benchmark::Counter(
        static_cast<double>(state.iterations() * ids.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RenderEveryDiagram)->Unit(benchmark::kMillisecond);

}  // namespace

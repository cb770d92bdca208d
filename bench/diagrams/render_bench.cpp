#include "checkedrun.h"
#include "diagrams/renderer.h"

#include <string>

namespace {

// Ink enough for a diagram: the grid alone is six strings and six fret lines.
bool looksDrawn(const diagrams::Bitmap& bmp) {
    int ink = 0;
    for (int y = 0; y < diagrams::Bitmap::kHeight; ++y)
        for (int x = 0; x < diagrams::Bitmap::kWidth; ++x) ink += bmp.ink(x, y);
    return ink > 1000;
}

// Draws all 237 diagrams per iteration; the per-diagram time is the figure that counts.
void BM_RenderEveryDiagram(benchmark::State& state)
{
    const auto ids = diagrams::allDiagramIds();
    if (ids.size() != 237) return checkedrun::fail(state, "the catalogue holds " + std::to_string(ids.size()) + " diagrams, not 237");
    for (int id : ids) {
        const auto bmp = diagrams::renderDiagram(id);
        if (!bmp || !looksDrawn(*bmp)) return checkedrun::fail(state, "diagram " + std::to_string(id) + " draws nothing");
    }
    int drawn = 0;
    for (auto _ : state) {
        for (int id : ids) {
            auto bmp = diagrams::renderDiagram(id);
            drawn += bmp.has_value();
            benchmark::DoNotOptimize(bmp);
        }
    }
    if (drawn != static_cast<int>(state.iterations() * ids.size())) return checkedrun::fail(state, "a diagram was not drawn");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ids.size()));
    state.counters["per_diagram"] = benchmark::Counter(
        static_cast<double>(state.iterations() * ids.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RenderEveryDiagram)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return checkedrun::runAll(argc, argv); }

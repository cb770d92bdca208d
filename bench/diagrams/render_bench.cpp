#include "checkedrun.h"
#include "diagrams/renderer.h"
#include "runtime/picture.h"

#include <QImage>
#include <QPainter>

#include <string>
#include <vector>

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

// A diagram drawn as shapes on a screen of two device pixels to a logical pixel, as a view
// paints it: into the lesson window's stretched 217 x 265 box (argument 0) or at the
// picture's own 241 x 312 (argument 1, the print preview), paper included.
void BM_DrawDiagramAtScale2(benchmark::State& state)
{
    std::vector<rt::Picture> pictures;
    for (int id : diagrams::allDiagramIds())
        pictures.push_back(rt::LoadResPicture(id, 0));
    const QSize view = state.range(0) == 0 ? QSize(217, 265) : QSize(241, 312);
    QImage screen(view * 2, QImage::Format_ARGB32_Premultiplied);
    screen.setDevicePixelRatio(2);
    // The drawing must cover the view with paper and put the grid's ink on it, at the
    // screen's own pixels: ink where the low E string runs, paper in the corner.
    screen.fill(Qt::transparent);
    {
        QPainter p(&screen);
        pictures.front().draw(p, QRect(QPoint(0, 0), view));
    }
    const QPoint lowE(26 * screen.width() / 241, 150 * screen.height() / 312);
    if (screen.pixel(lowE) != qRgb(0, 0, 0) || screen.pixel(0, 0) != qRgb(255, 255, 255))
        return checkedrun::fail(state, "a diagram drawn at scale 2 shows no grid on paper");
    for (auto _ : state) {
        for (const rt::Picture& p : pictures) {
            QPainter painter(&screen);
            p.draw(painter, QRect(QPoint(0, 0), view));
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(pictures.size()));
    state.counters["per_diagram"] = benchmark::Counter(static_cast<double>(state.iterations() * pictures.size()),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DrawDiagramAtScale2)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return checkedrun::runAll(argc, argv); }

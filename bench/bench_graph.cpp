// One full redraw of the real-time graph with all four series on: the
// geometry alone, and the geometry with the painting of the plot box into an
// offscreen image. Argument 0: records stored; argument 1: 1 = scrolled back
// to a full screen of 210 records in the middle of the store, 0 = live view.
#include "wave_records.h"
#include "qt_bench_main.h"
#include "core/graph_geometry.h"
#include "core/shared_state.h"
#include "windows/graph_plot_box.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>

using namespace meter;

namespace {

SharedState& filledState() {
    static std::unique_ptr<SharedState> s = [] {
        auto st = std::make_unique<SharedState>();
        initSharedState(*st);
        testsupport::fillWaveRecords(*st, LiveRecordStore::capacity);
        return st;
    }();
    return *s;
}

// Sets the store size and view; returns the scroll position.
int setUp(SharedState& s, const benchmark::State& state) {
    s.liveRecordCount = static_cast<std::int32_t>(state.range(0));
    s.historyView = state.range(1) != 0;
    s.showVelocity = s.showTemperature = s.showFlow = s.showArea = true;
    const int k = s.liveRecordCount / graph::screenRecords;
    return s.historyView ? 5 * k + 1 : 10 * k + 1; // the middle of the store, or the end
}

void BM_GraphGeometry(benchmark::State& state) {
    SharedState& s = filledState();
    const int position = setUp(s, state);
    const TimeFormat timeFormat;
    static GraphGeometry g;
    for (auto _ : state) {
        computeGraphGeometry(s, timeFormat, position, g);
        benchmark::DoNotOptimize(g.series[0].segments[0].y1);
        benchmark::ClobberMemory();
    }
    state.counters["segments"] = g.series[0].count * 4;
}

// The geometry, then `paint` of the plot box with that geometry into an image.
template <class Paint>
void geometryAndPaint(benchmark::State& state, Paint paint) {
    SharedState& s = filledState();
    const int position = setUp(s, state);
    const TimeFormat timeFormat;
    static GraphGeometry g;
    GraphPlotBox box;
    box.setGraph(&g);
    QImage image(graph::plotWidth, graph::plotHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        computeGraphGeometry(s, timeFormat, position, g);
        paint(box, image);
        benchmark::ClobberMemory();
    }
    state.counters["segments"] = g.series[0].count * 4;
}

void BM_GraphGeometryAndPaint(benchmark::State& state) {
    geometryAndPaint(state, [](const GraphPlotBox& box, QImage& image) {
        QPainter p(&image);
        box.paintPlot(p);
    });
}

// The same through the widget's own paint event.
void BM_GraphGeometryAndRender(benchmark::State& state) {
    geometryAndPaint(state, [](GraphPlotBox& box, QImage& image) { box.render(&image); });
}

void storeSizes(benchmark::internal::Benchmark* b) {
    for (int history : {1, 0})
        for (int stored : {1000, 10000, 50000}) b->Args({stored, history});
}

} // namespace

BENCHMARK(BM_GraphGeometry)->Apply(storeSizes);
BENCHMARK(BM_GraphGeometryAndPaint)->Apply(storeSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GraphGeometryAndRender)->Args({50000, 1})->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }

// Cost of the record steps of one accepted frame, and of writing the twelve
// boxes of the statistics strip afterwards.
#include "qt_bench_main.h"
#include "core/recording.h"
#include "windows/statusfrm.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

using namespace meter;

namespace {

MeterFrame sampleFrame(int i) {
    MeterFrame f;
    f.velocitySI = 2.5f + static_cast<float>(i % 100) * 0.01f;
    f.temperatureSI = 21.3f;
    f.flowSI = 12.75f;
    f.areaSI = 0.0123f;
    f.velocityUnitCode = 0x03;    // km/h
    f.temperatureUnitCode = 0x02; // °F
    f.flowUnitCode = 0x01;        // CFM
    f.areaUnitCode = 0x82;        // in2
    return f;
}

void BM_RecordFrame(benchmark::State& st) {
    auto s = std::make_unique<SharedState>();
    initSharedState(*s);
    const Clock clock = [] { return LocalDateTime{2024, 5, 6, 12, 34, 56}; };
    const Regional regional;
    int i = 0;
    for (auto _ : st) {
        if (s->liveRecordCount == LiveRecordStore::capacity) s->liveRecordCount = 0;
        RecordOutcome o = recordFrame(*s, sampleFrame(i++), clock, regional);
        benchmark::DoNotOptimize(o);
    }
}
BENCHMARK(BM_RecordFrame);

void BM_Possdata(benchmark::State& st) {
    float v = 1.0f;
    for (auto _ : st) {
        benchmark::DoNotOptimize(possdata(v, "CFM"));
        v += 0.37f;
        if (v > 5000) v = 1.0f;
    }
}
BENCHMARK(BM_Possdata);

void BM_ShowStatistics(benchmark::State& st) {
    auto s = std::make_unique<SharedState>();
    initSharedState(*s);
    QWidget main;
    main.resize(909, 670);
    const Regional regional;
    Statusfrm strip(
        *s, &main, [] { return LocalDateTime{}; }, regional, &main);
    const RecordOutcome o = recordFrame(
        *s, sampleFrame(1), [] { return LocalDateTime{}; }, regional);
    for (auto _ : st) strip.showStatistics(o);
}
BENCHMARK(BM_ShowStatistics);

} // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }

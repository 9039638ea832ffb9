// The receive path per frame, and the memory the record store takes.
#include "core/serial_link.h"
#include "core/shared_state.h"
#include "record_fills.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace meter;

// From 40 bytes arriving in the control's buffer to the accepted frame handed on.
static void ReceivePathPerFrame(benchmark::State& st) {
    CommBuffer buffer;
    buffer.setRThreshold(frameLength);
    FrameBytes in{};
    for (int i = 0; i < frameLength; ++i) in[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    FrameBytes frame{};
    const CommBuffer::Clock::time_point at = CommBuffer::Clock::now();
    for (auto _ : st) {
        const CommBuffer::Arrival a = buffer.arrive(in.data(), in.size(), at);
        benchmark::DoNotOptimize(a);
        const GateResult r = frameGate(buffer, comEvReceive, 100, frame);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(ReceivePathPerFrame);

// 50000 filled records: the store is one block; record texts live inside it.
static void StoreMemoryAt50000(benchmark::State& st) {
    for (auto _ : st) {
        auto s = std::make_unique<SharedState>();
        initSharedState(*s);
        for (std::int32_t n = 1; n <= LiveRecordStore::capacity; ++n)
            testsupport::setLiveRecord(*s, n,
                                       {.velocity = 1.5,
                                        .velocityUnit = Unit::KilometresPerHour,
                                        .temperature = 21.5,
                                        .temperatureUnit = Unit::Celsius,
                                        .date = "10-12-2026",
                                        .time = {21, 30, 5}});
        s->liveRecordCount = LiveRecordStore::capacity;
        benchmark::DoNotOptimize(s.get());
    }
    const double total = static_cast<double>(sizeof(LiveRecord)) * LiveRecordStore::capacity;
    st.counters["store_bytes"] = total;
    st.counters["bytes_per_record"] = static_cast<double>(sizeof(LiveRecord));
    std::printf("record store: %zu bytes a record, %.0f bytes for 50000 records (target <= 120 a record)\n",
                sizeof(LiveRecord), total);
}
BENCHMARK(StoreMemoryAt50000)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();

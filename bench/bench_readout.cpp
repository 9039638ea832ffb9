// Decoding one frame into the readout's label writes.
#include "core/readout.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

meter::FrameBytes frame(float line1, float line2, std::uint8_t mean, std::uint8_t flags2) {
    meter::FrameBytes b{};
    std::uint32_t u;
    std::memcpy(&u, &line1, sizeof u);
    for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(2 + i)] = static_cast<std::uint8_t>(u >> (8 * i));
    std::memcpy(&u, &line2, sizeof u);
    for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(6 + i)] = static_cast<std::uint8_t>(u >> (8 * i));
    b[26] = 0x01;
    b[27] = 0x02;
    b[29] = 0x01;
    b[31] = flags2;
    b[34] = mean;
    return b;
}

void BM_DecodeReadoutNormal(benchmark::State& state) {
    const meter::FrameBytes b = frame(3.456f, 23.45f, 0x00, 0x20);
    for (auto _ : state) {
        meter::ReadoutWrites w = meter::decodeReadout(b, '.');
        benchmark::DoNotOptimize(w);
    }
}
BENCHMARK(BM_DecodeReadoutNormal);

// MEAN mode with all three functions: the most label writes per frame.
void BM_DecodeReadoutMeanAllFunctions(benchmark::State& state) {
    meter::FrameBytes b = frame(1234.5f, 12.345f, 0x40, 0x01 | 0x30 | 0xC0);
    b[30] = 0x22;
    b[32] = 0xC4;
    for (auto _ : state) {
        meter::ReadoutWrites w = meter::decodeReadout(b, ',');
        benchmark::DoNotOptimize(w);
    }
}
BENCHMARK(BM_DecodeReadoutMeanAllFunctions);

} // namespace

BENCHMARK_MAIN();

// The samples report and the CSV file of a full store (50000 records), each
// against writing the same bytes to the same kind of file in one buffered
// write (the floor): temporary file, sync, rename.
#include "file_bytes.h"
#include "floor_ratio.h"
#include "record_fills.h"
#include "scratch_files.h"
#include "output/csv_export.h"
#include "output/safe_file.h"
#include "output/samples_report.h"

#include <cstdio>
#include <cstdint>
#include <memory>
#include <string>

namespace {

using meter::Unit;

meter::SharedState& fullStore() {
    static std::unique_ptr<meter::SharedState> s = [] {
        auto st = std::make_unique<meter::SharedState>();
        meter::initSharedState(*st);
        const Unit vu[] = {Unit::MetresPerSecond, Unit::FeetPerMinute, Unit::KilometresPerHour, Unit::MilesPerHour,
                           Unit::Knots};
        // Values as the receive handler stores them: rounded to their decimals; the
        // flow has up to three, as possdata leaves them.
        for (std::int32_t n = 1; n <= meter::LiveRecordStore::capacity; ++n)
            testsupport::appendLiveRecord(*st, {n % 97 == 0 ? meter::invalidReading : (n % 3000) / 100.0, vu[n % 5],
                                                (150 + n % 150) / 10.0, n % 2 ? Unit::Celsius : Unit::Fahrenheit,
                                                (n % 10000) * 37 / 1000.0, Unit::CubicMetresPerMin, 0.125,
                                                Unit::SquareMetres, "10-12-2026", testsupport::timeOfDayAt(n)});
        return st;
    }();
    return *s;
}

using testsupport::readAll;

const meter::LocalDateTime kNow{2026, 12, 10, 9, 30, 5};

void BM_Report(benchmark::State& state) {
    const std::string path = benchPath("report.txt");
    for (auto _ : state)
        if (!meter::saveSamplesReport(path, fullStore(), kNow, {})) state.SkipWithError("write failed");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(readAll(path).size()));
    std::remove(path.c_str());
}

void BM_Csv(benchmark::State& state) {
    const std::string path = benchPath("export.csv");
    for (auto _ : state)
        if (!meter::saveSampleCsv(path, fullStore(), {})) state.SkipWithError("write failed");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(readAll(path).size()));
    std::remove(path.c_str());
}

// The same bytes as `make` gives, in one write.
template <bool Report>
void BM_Floor(benchmark::State& state) {
    const std::string path = benchPath(Report ? "floor.txt" : "floor.csv");
    if (Report) meter::saveSamplesReport(path, fullStore(), kNow, {});
    else meter::saveSampleCsv(path, fullStore(), {});
    const std::string bytes = readAll(path);
    for (auto _ : state) {
        meter::SafeFileWriter w(path);
        if (!w.open()) state.SkipWithError("open failed");
        w.write(bytes);
        if (!w.commit()) state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    std::remove(path.c_str());
}

BENCHMARK(BM_Report)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor<true>)->Name("BM_ReportFloor")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Csv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor<false>)->Name("BM_CsvFloor")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runWithFloorRatios(argc, argv, {{"BM_Report", "BM_ReportFloor", 3}, {"BM_Csv", "BM_CsvFloor", 3}});
}

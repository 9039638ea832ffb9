// The main of a benchmark program that measures its work against a floor in
// the same run: after the table, one line per pair gives the ratio of their
// real times (of the medians when the runs are repeated) and its target.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

struct FloorRatio {
    std::string work, floor;
    double target; // the work may take at most this many times the floor
};

class FloorRatioReporter : public benchmark::ConsoleReporter {
public:
    // In colour on a terminal only.
    FloorRatioReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.error_occurred) continue;
            const bool single = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            if (single || median) realTimes_[r.run_name.str()] = r.GetAdjustedRealTime();
        }
    }

    // Prints the ratios of the pairs that both ran.
    void printRatios(const std::vector<FloorRatio>& ratios) const {
        for (const FloorRatio& f : ratios) {
            const auto work = realTimes_.find(f.work);
            const auto floor = realTimes_.find(f.floor);
            if (work == realTimes_.end() || floor == realTimes_.end() || floor->second <= 0) continue;
            const double ratio = work->second / floor->second;
            std::printf("%s / %s = %.2f (target <= %.1f)%s\n", f.work.c_str(), f.floor.c_str(), ratio, f.target,
                        ratio <= f.target ? "" : "  ABOVE TARGET");
        }
    }

private:
    std::map<std::string, double> realTimes_;
};

inline int runWithFloorRatios(int argc, char** argv, const std::vector<FloorRatio>& ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    FloorRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios(ratios);
    benchmark::Shutdown();
    return 0;
}

// Live records that draw four waves on the graph, for the tests and
// benchmarks of the plot. Record n is taken n seconds after midnight.
#pragma once

#include "record_fills.h"

#include <cmath>

namespace testsupport {

inline void setWaveRecord(meter::SharedState& s, int n, double v, double t, double f, double a) {
    setLiveRecord(s, n, {.velocity = v, .temperature = t, .flow = f, .area = a, .time = timeOfDayAt(n)});
}

// Records 1 to count; the count of stored records is left to the caller.
inline void fillWaveRecords(meter::SharedState& s, int count) {
    for (int n = 1; n <= count; ++n)
        setWaveRecord(s, n, 3000 + 2000 * std::sin(n / 15.0), 1500 + 300 * std::cos(n / 7.0),
                      4500 + 800 * std::sin(n / 31.0), 600 + 10 * (n % 40));
}

} // namespace testsupport

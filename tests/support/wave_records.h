// Live records that draw four waves on the graph, for the tests and
// benchmarks of the plot. Record n is taken n seconds after midnight.
#pragma once

#include "core/shared_state.h"

#include <cmath>
#include <cstdint>

namespace testsupport {

inline void setWaveRecord(meter::SharedState& s, int n, double v, double t, double f, double a) {
    meter::LiveRecord& r = s.liveRecords[n];
    r.no = n;
    r.velocity = v;
    r.temperature = t;
    r.flow = f;
    r.area = a;
    r.timeText = {static_cast<std::uint8_t>(n / 3600 % 24), static_cast<std::uint8_t>(n / 60 % 60),
                  static_cast<std::uint8_t>(n % 60)};
}

// Records 1 to count; the count of stored records is left to the caller.
inline void fillWaveRecords(meter::SharedState& s, int count) {
    for (int n = 1; n <= count; ++n)
        setWaveRecord(s, n, 3000 + 2000 * std::sin(n / 15.0), 1500 + 300 * std::cos(n / 7.0),
                      4500 + 800 * std::sin(n / 31.0), 600 + 10 * (n % 40));
}

} // namespace testsupport

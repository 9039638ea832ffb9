// The sampling-rate list of the graph window: its items, periods in seconds,
// and the interval each gives the recording timer.
#pragma once

#include <array>
#include <string_view>

namespace meter {

struct SamplingRate {
    std::string_view text; // the list item
    int intervalMs;
};

// In the list's order.
extern const std::array<SamplingRate, 9> samplingRates;

// The item the list shows after loading, "0.5".
inline constexpr int startSamplingRateIndex = 2;

// The interval for any text that is not exactly one of the items.
inline constexpr int otherSamplingIntervalMs = 5000;

// The interval of the item whose text is exactly `listText` (no reading as a
// number: "0,5" and " 0.5" are no item), else otherSamplingIntervalMs.
int samplingInterval(std::string_view listText);

} // namespace meter

#include "core/sampling_rates.h"

namespace meter {

const std::array<SamplingRate, 9> samplingRates = {{
    {"0.1", 100},
    {"0.2", 200},
    {"0.5", 500},
    {"1", 1000},
    {"1.5", 1500},
    {"2", 2000},
    {"2.5", 2500},
    {"3", 3000},
    {"5", 5000},
}};

int samplingInterval(std::string_view listText) {
    for (const SamplingRate& r : samplingRates)
        if (r.text == listText) return r.intervalMs;
    return otherSamplingIntervalMs;
}

} // namespace meter

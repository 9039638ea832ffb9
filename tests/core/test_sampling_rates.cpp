#include "core/sampling_rates.h"

#include <gtest/gtest.h>

#include <string>

using namespace meter;

TEST(SamplingRates, ItemsAndTheirIntervals) {
    const char* items[] = {"0.1", "0.2", "0.5", "1", "1.5", "2", "2.5", "3", "5"};
    const int intervals[] = {100, 200, 500, 1000, 1500, 2000, 2500, 3000, 5000};
    ASSERT_EQ(samplingRates.size(), std::size(items));
    for (std::size_t i = 0; i < samplingRates.size(); ++i) {
        SCOPED_TRACE(items[i]);
        EXPECT_EQ(samplingRates[i].text, items[i]);
        EXPECT_EQ(samplingRates[i].intervalMs, intervals[i]);
        EXPECT_EQ(samplingInterval(items[i]), intervals[i]);
    }
    EXPECT_EQ(samplingRates[startSamplingRateIndex].text, "0.5");
}

TEST(SamplingRates, AnyOtherTextGivesFiveSeconds) {
    const char* others[] = {"0.3", "0,5", " 0.5", "0.5 ", ".5", "0.50", "1.0", "05", "", "10", "fast"};
    for (const char* t : others) EXPECT_EQ(samplingInterval(t), 5000) << '"' << t << '"';
    EXPECT_EQ(samplingInterval(std::string_view("0.5\0", 4)), 5000);
}

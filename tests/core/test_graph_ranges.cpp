#include "core/graph_ranges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

using namespace meter;

namespace {

// k sixths of the full scale, to the nearest tenth, without a trailing ".0".
std::string sixths(double range, int k) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", std::round(range * k / 6 * 10) / 10);
    std::string s = buf;
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    return s;
}

} // namespace

TEST(GraphRanges, CaptionsAreSixthsOfTheFullScale) {
    const char* items[] = {"6000000", "600000", "60000", "6000", "3000", "1000",
                           "600", "300", "100", "60", "30", "10"};
    ASSERT_EQ(graphRanges.size(), std::size(items));
    for (std::size_t i = 0; i < graphRanges.size(); ++i) {
        const GraphRange& r = graphRanges[i];
        SCOPED_TRACE(items[i]);
        EXPECT_EQ(r.text, items[i]);
        EXPECT_EQ(r.range, std::stod(items[i]));
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(r.captions[static_cast<std::size_t>(k - 1)], sixths(r.range, k)) << k;
    }
    EXPECT_EQ(graphRanges[startRangeIndex].text, "6000");
}

TEST(GraphRanges, OnlyAnExactItemTextIsAFullScale) {
    ASSERT_NE(findGraphRange("10"), nullptr);
    EXPECT_EQ(findGraphRange("10")->range, 10);
    EXPECT_EQ(findGraphRange("1000")->captions[0], "166.7");
    for (const char* text : {"", " 60", "60 ", "60.0", "060", "6,000", "6000000 ", "123"})
        EXPECT_EQ(findGraphRange(text), nullptr) << '"' << text << '"';
}

#include "core/graph_ranges.h"
#include "core/number_text.h"
#include "core/shared_state.h"

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

// Each item is its full scale written out, its captions the sixths of it; the
// list runs from the largest full scale down and starts at the state's start
// range.
TEST(GraphRanges, ItemsAreTheirFullScalesLargestFirst) {
    for (std::size_t i = 0; i < graphRanges.size(); ++i) {
        const GraphRange& r = graphRanges[i];
        SCOPED_TRACE(std::string(r.text));
        EXPECT_EQ(r.text, numberText(r.range));
        for (int k = 1; k <= 6; ++k) EXPECT_EQ(r.captions[static_cast<std::size_t>(k - 1)], sixths(r.range, k)) << k;
        if (i > 0) {
            EXPECT_LT(r.range, graphRanges[i - 1].range);
        }
    }
    EXPECT_EQ(graphRanges[startRangeIndex].range, startGraphRange);
}

TEST(GraphRanges, OnlyAnExactItemTextIsAFullScale) {
    EXPECT_EQ(findGraphRange(""), nullptr);
    EXPECT_EQ(findGraphRange("6,000"), nullptr);
    for (const GraphRange& r : graphRanges) {
        const std::string text(r.text);
        EXPECT_EQ(findGraphRange(text), &r) << text;
        for (const std::string& near : {" " + text, text + " ", text + ".0", "0" + text, text + "1"})
            EXPECT_EQ(findGraphRange(near), nullptr) << '"' << near << '"';
    }
}

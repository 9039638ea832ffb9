#include "core/segment_clip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace meter;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

struct Segment {
    double x1, y1, x2, y2;
};

} // namespace

TEST(SegmentClip, CutsToThePlotBoxWithItsMargin) {
    struct Case {
        const char* what;
        Segment in;
        bool shows;
        Segment out; // when it shows
    };
    const Case cases[] = {
        {"inside", {6, 100, 3, 200}, true, {6, 100, 3, 200}},
        {"on the margin", {-2, -2, 634, 358}, true, {-2, -2, 634, 358}},
        {"through the top", {6, -998, 3, 2}, true, {3.012, -2, 3, 2}},
        {"through the bottom", {3, 354, 6, 362}, true, {3, 354, 4.5, 358}},
        {"straight up to infinity", {9, inf, 9, -inf}, true, {9, 358, 9, -2}},
        {"above the box", {6, -10, 3, -3}, false, {}},
        {"below the box", {6, 400, 3, 1e30}, false, {}},
        {"right of the box", {640, 10, 637, 20}, false, {}},
        {"not a number", {6, std::nan(""), 3, 100}, false, {}},
        {"not a number at the other end", {6, 100, 3, std::nan("")}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Segment s = c.in;
        ASSERT_EQ(clipSegment(s.x1, s.y1, s.x2, s.y2), c.shows);
        if (!c.shows) continue;
        EXPECT_NEAR(s.x1, c.out.x1, 1e-6);
        EXPECT_NEAR(s.y1, c.out.y1, 1e-6);
        EXPECT_NEAR(s.x2, c.out.x2, 1e-6);
        EXPECT_NEAR(s.y2, c.out.y2, 1e-6);
    }
}

// A reading far beyond the scale, or infinite, still gives a line that leaves
// the box in the right place and direction.
TEST(SegmentClip, HugeAndInfiniteEndsKeepTheLinesDirection) {
    for (double far : {1e12, 1e300, inf}) {
        SCOPED_TRACE(far);
        Segment s{90, -far, 87, 200}; // record 30 far above the scale, record 29 in the box
        ASSERT_TRUE(clipSegment(s.x1, s.y1, s.x2, s.y2));
        EXPECT_NEAR(s.y1, plotClipBox.ymin, 1e-6); // the newer end now lies on the top margin
        EXPECT_GE(s.x1, 87.0);
        EXPECT_LE(s.x1, 90.0);
        EXPECT_EQ(s.x2, 87);
        EXPECT_EQ(s.y2, 200);
    }
    Segment down{450, 1e300, 447, 100};
    ASSERT_TRUE(clipSegment(down.x1, down.y1, down.x2, down.y2));
    EXPECT_NEAR(down.y1, plotClipBox.ymax, 1e-6);
}

TEST(SegmentClip, AnyBox) {
    Segment s{-4, 2, 20, 14}; // y = 4 + x / 2
    ASSERT_TRUE(clipSegment(s.x1, s.y1, s.x2, s.y2, ClipBox{0, 0, 10, 10}));
    EXPECT_DOUBLE_EQ(s.x1, 0);
    EXPECT_DOUBLE_EQ(s.y1, 4);
    EXPECT_DOUBLE_EQ(s.x2, 10);
    EXPECT_DOUBLE_EQ(s.y2, 9);
}

#include "core/zoom_band.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace meter;

TEST(ZoomBand, PositionsRoundHalvesToTheEvenPixel) {
    struct Case {
        float in;
        std::int32_t out;
    };
    const Case cases[] = {
        {10.5f, 10},
        {11.5f, 12},
        {-10.5f, -10},
        {-11.5f, -12},
        {0.5f, 0},
        {-0.5f, 0},
        {10.49f, 10},
        {10.51f, 11},
        {-0.0f, 0},
        {631.0f, 631},
        // The largest floats on either side of the 32-bit range that still fit.
        {2147483520.0f, 2147483520},
        {-2147483648.0f, std::numeric_limits<std::int32_t>::min()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(zoomPoint(c.in, 0), (ZoomPoint{c.out, 0}));
        EXPECT_EQ(zoomPoint(0, c.in), (ZoomPoint{0, c.out}));
    }
}

TEST(ZoomBand, PositionsThatAreNoPixelGiveNothing) {
    const float inf = std::numeric_limits<float>::infinity();
    const float bad[] = {std::nanf(""),
                         inf,
                         -inf,
                         2147483648.0f,
                         -2147483904.0f,
                         3e38f,
                         std::numeric_limits<float>::max(),
                         std::numeric_limits<float>::lowest()};
    for (float b : bad) {
        SCOPED_TRACE(b);
        EXPECT_FALSE(zoomPoint(b, 5));
        EXPECT_FALSE(zoomPoint(5, b));
    }
}

TEST(ZoomBand, RectangleBetweenAnchorAndCorner) {
    struct Case {
        ZoomPoint anchor, corner;
        ZoomBand band;
    };
    constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    const Case cases[] = {
        {{100, 50}, {40, 80}, {40, 50, 60, 30}},
        {{100, 50}, {100, 20}, {100, 20, 0, 30}},
        {{100, 50}, {100, 50}, {100, 50, 0, 0}},
        {{10, 10}, {20, 30}, {10, 10, 10, 20}},
        {{-5, 7}, {5, -7}, {-5, -7, 10, 14}},
        // Distances beyond 32 bits.
        {{lo, hi}, {hi, lo}, {lo, lo, 4294967295LL, 4294967295LL}},
        {{hi, 0}, {lo, 0}, {lo, 0, 4294967295LL, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.anchor.x << "," << c.anchor.y << " to " << c.corner.x << ","
                                        << c.corner.y);
        EXPECT_EQ(zoomBand(c.anchor, c.corner), c.band);
    }
}

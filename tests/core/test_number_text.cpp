#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace meter;

TEST(NumberText, GeneralForm) {
    struct Case { double v; const char* dot; const char* comma; };
    const Case cases[] = {
        {0.0, "0", "0"},
        {-0.0, "0", "0"},
        {197, "197", "197"},
        {35.31, "35.31", "35,31"},
        {0.35, "0.35", "0,35"},
        {-0.35, "-0.35", "-0,35"},
        {1234.5, "1234.5", "1234,5"},
        {-90000, "-90000", "-90000"},
        {17716500, "17716500", "17716500"},
        {0.1 + 0.2, "0.3", "0,3"},               // 15 significant digits
        {18000030.2, "18000030.2", "18000030,2"},
        {1e20, "100000000000000000000", "100000000000000000000"},
        {0.000012, "0.000012", "0,000012"},
        {123456789012345678.0, "123456789012346000", "123456789012346000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numberText(c.v, '.'), c.dot) << c.v;
        EXPECT_EQ(numberText(c.v, ','), c.comma) << c.v;
    }
    EXPECT_EQ(numberText(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(numberText(-std::numeric_limits<double>::infinity()), "-Infinity");
}

TEST(NumberText, PatternRoundsHalfAwayFromZero) {
    struct Case { double v; int k; const char* text; };
    const Case cases[] = {
        {2.5, 0, "3"},     {-2.5, 0, "-3"},    {0.5, 0, "1"},
        {0.25, 1, "0.3"},  {-0.25, 1, "-0.3"}, {2.345 - 0.0005, 2, "2.34"},
        {9.99991, 3, "10.000"}, {1234.56 - 0.05, 0, "1235"}, {0, 1, "0.0"},
        {32, 1, "32.0"},   {-16168, 1, "-16168.0"}, {999.95, 1, "1000.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatPattern(c.v, c.k), c.text) << c.v << " " << c.k;
    }
    EXPECT_EQ(formatPattern(1e300, 0).size(), 301u); // exact digits, never an exponent
    EXPECT_EQ(formatPattern(12.25, 1, ','), "12,3");
}

TEST(NumberText, ReadBack) {
    EXPECT_EQ(readBack("12.3"), 12.3);
    EXPECT_EQ(readBack("12,3", ','), 12.3);
    EXPECT_FALSE(std::signbit(readBack("-0.0")));
    EXPECT_EQ(readBack("-3"), -3);
    EXPECT_EQ(readBack("garbage"), 0);
}

TEST(NumberText, LeadingZero) {
    EXPECT_EQ(withLeadingZero(".35"), "0.35");
    EXPECT_EQ(withLeadingZero("-.35"), "-.35");
    EXPECT_EQ(withLeadingZero(",35"), ",35");
    EXPECT_EQ(withLeadingZero(""), "");
}

#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace meter;

TEST(NumberText, GeneralForm) {
    struct Case {
        double v;
        const char* dot;
        const char* comma;
    };
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
        {0.1 + 0.2, "0.3", "0,3"}, // 15 significant digits
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
    struct Case {
        double v;
        int k;
        const char* text;
    };
    const Case cases[] = {
        {2.5, 0, "3"},           {-2.5, 0, "-3"},
        {0.5, 0, "1"},           {0.25, 1, "0.3"},
        {-0.25, 1, "-0.3"},      {2.345 - 0.0005, 2, "2.34"},
        {9.99991, 3, "10.000"},  {1234.56 - 0.05, 0, "1235"},
        {0, 1, "0.0"},           {32, 1, "32.0"},
        {-16168, 1, "-16168.0"}, {999.95, 1, "1000.0"},
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

namespace {

// The general form worked out another way: the value rounded to 15
// significant digits by printf, trailing zeros dropped, written out in full.
std::string referenceText(double v, char sep) {
    if (v == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    std::string digits;
    const char* p = buf;
    for (; *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    const int exp = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = v < 0 ? "-" : "";
    if (exp < 0) {
        out += "0";
        out += sep;
        out += std::string(static_cast<std::size_t>(-exp - 1), '0') + digits;
    } else {
        for (int i = 0; i <= exp; ++i)
            out += i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0';
        if (static_cast<int>(digits.size()) > exp + 1) out += sep + digits.substr(static_cast<std::size_t>(exp + 1));
    }
    return out;
}

} // namespace

// Stored readings (thousandths and their neighbours), powers of two, the
// ends of the range and any bit pattern.
std::vector<double> generalFormValues() {
    std::vector<double> values = {0.001,
                                  0.0009765625,
                                  0.5,
                                  1,
                                  2,
                                  1024,
                                  68719476736.0,
                                  68719476736.001,
                                  99999999999.999,
                                  1e11,
                                  0.125,
                                  0.35,
                                  9999999,
                                  35999996,
                                  18000030.2,
                                  1e15,
                                  1e16,
                                  999999999999999.0,
                                  123456789012345678.0,
                                  1.0 / 3,
                                  2.0 / 3,
                                  5e-324,
                                  2.2250738585072014e-308,
                                  1e-300,
                                  1.7976931348623157e308};
    std::mt19937_64 rng(7);
    for (int i = 0; i < 60000; ++i) {
        const std::uint64_t k = rng() % (i % 2 ? 1000000 : 100000000000000ULL);
        const double v = static_cast<double>(k) / 1000.0;
        values.push_back(v);
        values.push_back(std::nextafter(v, 0.0));
        values.push_back(std::nextafter(v, 1e300));
        values.push_back(std::ldexp(1.0, static_cast<int>(rng() % 50) - 12));
        std::uint64_t bits = rng();
        double any;
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any)) values.push_back(any);
    }
    return values;
}

TEST(NumberText, GeneralFormAsPrintfRoundsIt) {
    char buf[numberTextMax];
    for (const double v : generalFormValues())
        for (const double signedV : {v, -v}) {
            const std::string got(buf, writeNumberText(buf, signedV, ','));
            ASSERT_EQ(got, referenceText(signedV, ',')) << std::hexfloat << signedV;
        }
}

TEST(NumberText, ThousandthsShortcutGivesWhatToCharsGives) {
    char buf[numberTextMax], plain[numberTextMax];
    for (const double v : generalFormValues())
        for (const double signedV : {v, -v}) {
            const std::string got(buf, writeNumberText(buf, signedV, ','));
            ASSERT_EQ(got, std::string(plain, writeNumberTextByToChars(plain, signedV, ',')))
                << std::hexfloat << signedV;
        }
}

#include "core/variant.h"

#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

using namespace meter;

TEST(Variant, RoundingToA32BitIntegerTakesHalvesToTheEvenNeighbour) {
    struct Case {
        double v;
        std::optional<std::int32_t> n;
    };
    const std::vector<Case> cases{
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {0.5, 0},
        {-0.5, 0},
        {1.5, 2},
        {2.4999999, 2},
        {2.5000001, 3},
        {-0.0, 0},
        {2147483647.0, 2147483647},
        {2147483647.49, 2147483647},
        {2147483647.5, std::nullopt},
        {-2147483648.5, -2147483647 - 1},
        {-2147483648.51, std::nullopt},
        {1e300, std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt},
        {-std::numeric_limits<double>::infinity(), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(roundToInt32(c.v), c.n);
    }
}

TEST(Variant, ConversionsOfEachKind) {
    EXPECT_EQ(variantToText(Variant{}), std::string());
    EXPECT_EQ(variantToInt32(Variant{}), 0);
    EXPECT_EQ(variantToText(std::int64_t{-12}), "-12");
    EXPECT_EQ(variantToText(0.1 + 0.2), "0.3"); // 15 significant digits
    EXPECT_EQ(variantToText(1e20), "100000000000000000000");
    EXPECT_EQ(variantToText(-1.5, ','), "-1,5");
    EXPECT_EQ(variantToText(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(variantToInt32(std::int64_t{-2147483648LL}), -2147483647 - 1);
    EXPECT_EQ(variantToInt32(std::int64_t{2147483648LL}), std::nullopt);
    EXPECT_EQ(variantToInt32(std::int64_t{-2147483649LL}), std::nullopt);
    EXPECT_EQ(variantToInt32(std::string("2,5"), ','), 2);
    EXPECT_EQ(variantToInt32(std::string("2.5"), ','), std::nullopt);
    EXPECT_EQ(variantToInt32(std::string("99999999999")), std::nullopt);
}

TEST(Variant, NumberTexts) {
    struct Case {
        const char* text;
        std::optional<double> v;
    };
    const std::vector<Case> cases{
        {"12", 12},
        {" -12 ", -12},
        {"+1.5", 1.5},
        {".5", 0.5},
        {"5.", 5},
        {"1.5e3", 1500},
        {"1E-2", 0.01},
        {"\t7\t", 7},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"--1", std::nullopt},
        {"0x10", std::nullopt},
        {"1,5", std::nullopt},
        {"1e999", std::nullopt},
        {"nan", std::nullopt},
        {"inf", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseNumberText(c.text), c.v);
    }
    EXPECT_EQ(parseNumberText("1,5", ','), 1.5);
}

TEST(Variant, Windows1252TextsBackToUtf8) {
    EXPECT_EQ(fromWindows1252("\xB0"
                              "C"),
              "\u00B0C");
    EXPECT_EQ(fromWindows1252("\x80\x9F\xFF"), "\u20AC\u0178\u00FF");
    EXPECT_EQ(fromWindows1252("\x81\x8D"), "\u0081\u008D");
    const std::string all = [] {
        std::string s;
        for (int b = 1; b < 256; ++b)
            if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) s.push_back(static_cast<char>(b));
        return s;
    }();
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
}

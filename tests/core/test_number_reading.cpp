#include "core/number_reading.h"
#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace meter;

TEST(NumberReading, AcceptedForms) {
    struct Case {
        std::string text;
        char sep;
        double value;
    };
    const Case cases[] = {
        {"0", '.', 0},
        {"12", '.', 12},
        {"+12", '.', 12},
        {"-12", '.', -12},
        {"12.5", '.', 12.5},
        {".5", '.', 0.5},
        {"5.", '.', 5},
        {"-.5", '.', -0.5},
        {"007", '.', 7},
        {"000.000", '.', 0},
        {"1e3", '.', 1000},
        {"1E3", '.', 1000},
        {"1.5e-3", '.', 0.0015},
        {"1e+3", '.', 1000},
        {"-2.5E2", '.', -250},
        {"0.1", '.', 0.1},
        {"12,5", ',', 12.5},
        {",5", ',', 0.5},
        {"5,", ',', 5},
        {"1,5e2", ',', 150},
        {"-0,001", ',', -0.001},
        {"1.7976931348623157e308", '.', std::numeric_limits<double>::max()},
        {"4.9e-324", '.', std::numeric_limits<double>::denorm_min()},
        {"0." + std::string(399, '0') + "1e400", '.', 1}, // leading and trailing zeros carry no weight
        {"1" + std::string(500, '0') + "e-500", '.', 1},
        {"9007199254740993", '.', 9007199254740992.0}, // the nearest double, a tie to even
        // Either side of 15 digits and of exact powers of ten.
        {"123456789012345", '.', 123456789012345.0},
        {"1234567890123456789", '.', 1234567890123456789.0},
        {"12345678901234.5", '.', 12345678901234.5},
        {"0.000000000000001", '.', 1e-15},
        {"1e22", '.', 1e22},
        {"1e23", '.', 1e23},
        {"1e-22", '.', 1e-22},
        {"1e-23", '.', 1e-23},
        {"4.35e-21", '.', 4.35e-21},
        {"8.7654321e21", '.', 8.7654321e21},
        {"0.3", '.', 0.3},
        {"1e-400", '.', 0},
        {"-1e-99999999999999", '.', 0},
    };
    for (const Case& c : cases) {
        const std::optional<double> v = readRegionalNumber(c.text, c.sep);
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_EQ(*v, c.value) << c.text;
    }
    // Zero has no sign, however it is written.
    for (const char* zero : {"-0", "-0.0e5", "-1e-400"}) EXPECT_FALSE(std::signbit(*readRegionalNumber(zero, '.')));
}

TEST(NumberReading, RefusedForms) {
    struct Case {
        std::string text;
        char sep;
    };
    const Case cases[] = {
        {"", '.'},
        {"+", '.'},
        {"-", '.'},
        {".", '.'},
        {"e3", '.'},
        {"1e", '.'},
        {"1e+", '.'},
        {"1.2.3", '.'},
        {"++1", '.'},
        {"+-1", '.'},
        {"1-", '.'},
        {"(1)", '.'},
        {"$1", '.'},
        {"1%", '.'},
        {"1e1.5", '.'},
        {" 1", '.'},
        {"1 ", '.'},
        {"1 000", '.'},
        {"1\t", '.'},
        {"inf", '.'},
        {"-inf", '.'},
        {"INF", '.'},
        {"nan", '.'},
        {"NaN", '.'},
        {"infinity", '.'},
        {"0x10", '.'},
        {"0X1p3", '.'},
        {"1e999", '.'},
        {"-1e999", '.'},
        {"1.8e308", '.'},
        {"1e99999999999999", '.'},
        {"1" + std::string(400, '0'), '.'},
        {std::string("1\0"
                     "2",
                     3),
         '.'},
        {std::string("\0", 1), '.'},
        {std::string("12\0", 3), '.'},
        {"1,5", '.'},
        {"1,000.5", '.'},
        {"1.5", ','},
        {"1.000,5", ','},
        {"1 000,5", ','},
        {"\xD9\xA1", '.'}, // a non-Latin digit
    };
    for (const Case& c : cases) EXPECT_FALSE(readRegionalNumber(c.text, c.sep).has_value()) << c.text << " " << c.sep;
}

TEST(TextEncoding, Windows1252Decoding) {
    EXPECT_EQ(fromWindows1252("12:30:45 dBA"), "12:30:45 dBA");
    EXPECT_EQ(fromWindows1252("\xB0"
                              "C"),
              "\xC2\xB0"
              "C");
    EXPECT_EQ(fromWindows1252("\x80\x9F\xFF"), "\xE2\x82\xAC"
                                               "\xC5\xB8"
                                               "\xC3\xBF");
    EXPECT_EQ(fromWindows1252(std::string("a\0b", 3)), std::string("a\0b", 3));
    // The five undefined bytes become the control characters of their number.
    EXPECT_EQ(fromWindows1252("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    // Every defined byte comes back from the encoder as it was.
    for (int b = 0; b < 256; ++b) {
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(toWindows1252(fromWindows1252(byte)), byte) << b;
    }
}

TEST(NumberReading, WholeNumbers) {
    struct Case {
        const char* text;
        char sep;
        std::optional<std::int32_t> n;
    };
    const Case cases[] = {
        {"12", '.', 12},
        {"+12", '.', 12},
        {"-12", '.', -12},
        {"007", '.', 7},
        {"12.5", '.', 12},
        {"13.5", '.', 14},
        {"-2.5", '.', -2},
        {"12,5", ',', 12},
        {"1e3", '.', 1000},
        {"0.5e1", '.', 5},
        {"-0", '.', 0},
        {"999999999", '.', 999999999},
        {"2147483647", '.', 2147483647},
        {"-2147483648", '.', -2147483648},
        {"2147483648", '.', std::nullopt},
        {"-2147483649", '.', std::nullopt},
        {"2147483647.5", '.', std::nullopt},
        {"-2147483648.5", '.', -2147483648},
        {"99999999999999", '.', std::nullopt},
        {"1e10", '.', std::nullopt},
        {"", '.', std::nullopt},
        {"+", '.', std::nullopt},
        {"1 2", '.', std::nullopt},
        {"0x1", '.', std::nullopt},
        {"12.5", ',', std::nullopt},
        {"inf", '.', std::nullopt},
        {"1-", '.', std::nullopt},
        {"-0.3", '.', 0},
        {"-0.7", '.', -1},
        {"0.49999999999999994", '.', 0},
        {"-0.49999999999999994", '.', 0},
        {"-2147483648.6", '.', std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(readRegionalInt32(c.text, c.sep), c.n) << c.text;
}

TEST(NumberReading, ShortcutGivesWhatFromCharsGives) {
    // Texts of up to 15 digits with exponents around the exact powers of ten
    // take the shortcut; longer ones and all others go through from_chars.
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "+0",
                                      "-0.000",
                                      "1",
                                      "-1",
                                      "45.5",
                                      "-0.25",
                                      "+3.",
                                      ".5",
                                      "999999999999999",
                                      "9999999999999999",
                                      "123456789012345e-22",
                                      "123456789012345e-23",
                                      "1e22",
                                      "1e23",
                                      "0.000000000000001e22",
                                      "36000",
                                      "2147483647",
                                      "2147483648",
                                      "-2147483648",
                                      "-2147483649",
                                      "2147483647.5",
                                      "12.5",
                                      "13.5",
                                      "-2.5",
                                      "0e999999",
                                      "1e-330"};
    std::mt19937 rng(1234);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int i = 0; i < 200000; ++i) {
        std::string t;
        if (pick(3) == 0) t += "+-"[pick(2)];
        std::string digits;
        for (int d = 1 + pick(18); d > 0; --d) digits += static_cast<char>('0' + (pick(4) == 0 ? 0 : pick(10)));
        const int point = pick(static_cast<int>(digits.size()) + 2) - 1;
        if (point >= 0) digits.insert(static_cast<std::size_t>(point), 1, '.');
        t += digits;
        if (pick(3) == 0) t += "e" + std::string(pick(2) ? "-" : "") + std::to_string(pick(30));
        texts.push_back(t);
    }
    for (const std::string& t : texts) {
        for (const char sep : {'.', ','}) {
            std::string text = t;
            std::replace(text.begin(), text.end(), '.', sep);
            const std::optional<double> plain = readRegionalNumberByFromChars(text, sep);
            const std::optional<double> got = readRegionalNumber(text, sep);
            ASSERT_EQ(got.has_value(), plain.has_value()) << text;
            if (!plain) continue;
            ASSERT_EQ(*got, *plain) << text;
            ASSERT_EQ(std::signbit(*got), std::signbit(*plain)) << text;
            ASSERT_EQ(readRegionalInt32(text, sep), roundToInt32(*plain)) << text;
        }
    }
}

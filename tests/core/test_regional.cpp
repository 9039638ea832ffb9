#include "core/regional.h"

#include <gtest/gtest.h>

#include <string>

using namespace meter;

namespace {

using F = TimeFormat::Field;

TimeFormat::Part text(std::string t) { return {F::Text, false, std::move(t), {}}; }
TimeFormat::Part number(F f, bool two) { return {f, two, {}, {}}; }

} // namespace

TEST(TimeFormat, DefaultIsHoursMinutesSeconds) {
    const TimeFormat f;
    EXPECT_EQ(f.text({9, 5, 4}), "09:05:04");
    EXPECT_EQ(f.text({23, 59, 59}), "23:59:59");
    EXPECT_EQ(f.text({0, 0, 0}), "00:00:00");
    EXPECT_EQ(f.maxLength(), 8u);
}

TEST(TimeFormat, LiteralTextStaysLiteral) {
    // Letters and quotes in the literal text are written as they are.
    const TimeFormat f({number(F::Hour, true), text(" 'h' "), number(F::Minute, true), text(" min ss "),
                        number(F::Second, false), text(" s")});
    EXPECT_EQ(f.text({22, 5, 9}), "22 'h' 05 min ss 9 s");
}

TEST(TimeFormat, TwelveHoursAndDayHalves) {
    const TimeFormat f({number(F::Hour12, false),
                        text(":"),
                        number(F::Minute, true),
                        text(":"),
                        number(F::Second, true),
                        text(" "),
                        {F::DayHalf, false, "AM", "PM"}});
    struct Case {
        TimeOfDay t;
        const char* text;
    };
    for (const Case c : {Case{{0, 0, 0}, "12:00:00 AM"}, Case{{11, 59, 59}, "11:59:59 AM"},
                         Case{{12, 0, 1}, "12:00:01 PM"}, Case{{22, 5, 9}, "10:05:09 PM"}})
        EXPECT_EQ(f.text(c.t), c.text);
    EXPECT_EQ(f.maxLength(), 11u);
}

TEST(TimeFormat, DigitsOfTheLocale) {
    TimeFormat::Digits arabic;
    for (int d = 0; d < 10; ++d)
        arabic[static_cast<std::size_t>(d)] = "\xD9" + std::string(1, static_cast<char>(0xA0 + d));
    const TimeFormat f({number(F::Hour, false), text(":"), number(F::Minute, true), text(":"), number(F::Second, true)},
                       arabic);
    EXPECT_EQ(f.text({7, 5, 19}), arabic[7] + ":" + arabic[0] + arabic[5] + ":" + arabic[1] + arabic[9]);
    EXPECT_EQ(f.maxLength(), 14u);
}

TEST(TimeFormat, TooLongOrBrokenFormatsGiveTheDefault) {
    const TimeFormat tooLong({text(std::string(TimeFormat::maxTextLength - 1, 'x')), number(F::Second, true)});
    EXPECT_EQ(tooLong, TimeFormat());
    const TimeFormat longest({text(std::string(TimeFormat::maxTextLength - 2, 'x')), number(F::Second, true)});
    EXPECT_EQ(longest.text({1, 2, 3}), std::string(TimeFormat::maxTextLength - 2, 'x') + "03");
    TimeFormat::Digits empty = TimeFormat::asciiDigits();
    empty[4].clear();
    EXPECT_EQ(TimeFormat({number(F::Second, true)}, empty), TimeFormat());
}

TEST(TimeFormat, ConvertedPieceByPiece) {
    const TimeFormat f({number(F::Hour, true), text(" \xC2\xB0 "), number(F::Minute, true)});
    const TimeFormat upper = f.converted([](std::string_view s) {
        std::string out(s);
        for (char& c : out)
            if (c >= '0' && c <= '9') c = static_cast<char>('a' + (c - '0'));
        return out + (s.size() > 1 ? "!" : "");
    });
    EXPECT_EQ(upper.text({12, 34, 0}), "bc \xC2\xB0 !de");
}

TEST(TimeFormat, ClockFieldsOutsideTheirRange) {
    EXPECT_EQ(timeOfDay({2024, 1, 2, 13, 14, 15}), (TimeOfDay{13, 14, 15}));
    EXPECT_EQ(timeOfDay({2024, 1, 2, -1, 100, 1000}), (TimeOfDay{0, 99, 99}));
}

// The user's regional settings and the clock, handed in from outside so that
// the same code runs under any locale and at any time in tests.
#pragma once

#include <functional>
#include <string>

namespace meter {

struct LocalDateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

using Clock = std::function<LocalDateTime()>;

struct Regional {
    char decimalSeparator = '.';
    // Time-of-day pattern: H, HH, h, hh, m, mm, s, ss, AP, ap; other characters
    // are copied. Always carries seconds.
    std::string timePattern = "HH:mm:ss";
};

// "DD-MM-YYYY".
std::string dateText(const LocalDateTime& t);

// The time of day in the regional pattern.
std::string timeText(const LocalDateTime& t, const Regional& r);

// Decimal text of a clock field with a "0" in front below 10: 7 -> "07".
std::string datatotime(unsigned char data);

} // namespace meter

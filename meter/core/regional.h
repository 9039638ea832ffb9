// The user's regional settings and the clock, handed in from outside so that
// the same code runs under any locale and at any time in tests.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace meter {

struct LocalDateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

using Clock = std::function<LocalDateTime()>;

// A time of day as a record keeps it: its text is made on use, in the
// user's time format.
struct TimeOfDay {
    std::uint8_t hour = 0, minute = 0, second = 0;

    bool operator==(const TimeOfDay&) const = default;
};

// The time of day of a clock reading; a field outside 0..99 is taken to the
// nearer end.
TimeOfDay timeOfDay(const LocalDateTime& t);

// A time-of-day format, taken apart once into literal texts and fields and
// put together for each time on use, so that literal text stays literal and
// nothing is ever cut off.
class TimeFormat {
public:
    enum class Field : std::uint8_t {
        Text,   // `text` as it is
        Hour,   // 0..23
        Hour12, // 1..12
        Minute,
        Second,
        DayHalf, // `text` before noon, `afternoon` from noon on
    };
    struct Part {
        Field field = Field::Text;
        bool twoDigits = false; // number fields: a zero digit before a value below 10
        std::string text;
        std::string afternoon;

        bool operator==(const Part&) const = default;
    };
    // The ten digits 0..9 of the user's number system, in UTF-8.
    using Digits = std::array<std::string, 10>;
    static Digits asciiDigits();

    // The longest text a format may give, in bytes. A format that could give
    // a longer one is not taken: the default stands in its place.
    static constexpr std::size_t maxTextLength = 255;

    // "HH:mm:ss" with the digits 0..9: the format where the system has none.
    TimeFormat();
    // Falls back to the default when a digit is empty or the longest text
    // would exceed maxTextLength.
    explicit TimeFormat(std::vector<Part> parts, Digits digits = asciiDigits());

    // The most bytes write() puts out for any time of day.
    std::size_t maxLength() const { return maxLength_; }
    // Writes the text of `t` at `out` (room for maxLength() bytes) and
    // returns its end.
    char* write(char* out, TimeOfDay t) const;
    std::string text(TimeOfDay t) const;

    // The same format with each of its texts and digits passed through
    // `convert` (for instance into a code page), piece by piece.
    TimeFormat converted(std::string (*convert)(std::string_view)) const;

    const std::vector<Part>& parts() const { return parts_; }
    const Digits& digits() const { return digits_; }
    bool operator==(const TimeFormat& o) const { return parts_ == o.parts_ && digits_ == o.digits_; }

private:
    void measure();
    char* putNumber(char* out, int v, bool leadingZero) const;

    std::vector<Part> parts_;
    Digits digits_;
    std::size_t maxLength_ = 0;
};

struct Regional {
    char decimalSeparator = '.';
    TimeFormat timeFormat{}; // the time of day, with seconds
};

// "DD-MM-YYYY".
std::string dateText(const LocalDateTime& t);

// The time of day in the regional format.
std::string timeText(const LocalDateTime& t, const Regional& r);

// Decimal text of a clock field with a "0" in front below 10: 7 -> "07".
std::string datatotime(unsigned char data);

} // namespace meter

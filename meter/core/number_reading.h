// Reading numbers that a person or another program wrote as text, in the
// user's regional number format. Unlike readBack (which reads our own screen
// texts and takes anything else as 0), text that is no number is refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace meter {

// Both readers below return their result through `value` and say with true
// or false whether there was one; the optional forms are inline around them,
// so that a caller reading many numbers keeps the optional in registers (one
// handed back from another file goes through memory).

// The number `text` denotes, or nothing when it is no number or lies beyond
// the range of a 64-bit float. Accepted, and nothing else:
//
//   [sign] mantissa [exponent]
//   sign      "+" or "-", once, directly before the first digit or separator
//   mantissa  digits, with at most one decimal separator anywhere among or
//             around them ("12", "12<sep>5", "<sep>5", "12<sep>"); at least
//             one digit
//   exponent  "e" or "E", an optional sign, one or more digits ("1<sep>5E-3")
//
// The decimal separator is the user's regional one and only that one: with
// "," as separator, "1.5" is refused, and with "." as separator, "1,5" is
// refused. Digit grouping is not accepted, because a grouping mark would read
// as the other convention's decimal separator and turn 1,5 into 15 without a
// word. Not accepted either: blanks or other characters anywhere (callers trim
// what their format allows), "inf", "nan", "infinity", hexadecimal forms,
// currency or percent signs, a sign after the number, and NUL bytes.
//
// The value is the 64-bit float nearest to the decimal number. A number too
// large for it is refused; one too small to be told from zero is 0. A zero
// of either sign gives +0.
bool readRegionalNumberTo(std::string_view text, char decimalSeparator, double& value);

inline std::optional<double> readRegionalNumber(std::string_view text, char decimalSeparator) {
    double v = 0;
    if (!readRegionalNumberTo(text, decimalSeparator, v)) return std::nullopt;
    return v;
}

// The same, every number read by std::from_chars.
std::optional<double> readRegionalNumberByFromChars(std::string_view text, char decimalSeparator);

// The nearest 32-bit integer, halves to the even neighbour (2.5 gives 2, 3.5
// gives 4, -2.5 gives -2); nothing for NaN, an infinity or a result outside
// -2147483648..2147483647. No float is converted before its range is checked.
inline std::optional<std::int32_t> roundToInt32(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) return std::nullopt; // also NaN
    std::int64_t r = static_cast<std::int64_t>(v);                     // toward zero
    const double rest = v - static_cast<double>(r);                    // exact, within (-1, 1)
    if (rest > 0.5 || (rest == 0.5 && r % 2 != 0)) ++r;
    else if (rest < -0.5 || (rest == -0.5 && r % 2 != 0)) --r;
    if (r < -2147483648LL || r > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(r);
}

// A whole number in the forms readRegionalNumber accepts, a fraction rounded
// half to the even one as roundToInt32 does (12.5 gives 12, 13.5 gives 14);
// nothing when it is no number or the result lies outside the 32-bit range.
bool readRegionalInt32To(std::string_view text, char decimalSeparator, std::int32_t& value);

inline std::optional<std::int32_t> readRegionalInt32(std::string_view text, char decimalSeparator) {
    std::int32_t n = 0;
    if (!readRegionalInt32To(text, decimalSeparator, n)) return std::nullopt;
    return n;
}

} // namespace meter

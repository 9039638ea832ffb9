#include "core/number_reading.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace meter {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A text of the accepted form, taken apart.
struct Scanned {
    bool negative = false;
    std::string_view mantissa;       // its digits and the separator, if any
    const char* separator = nullptr; // where the decimal separator stands, if anywhere
    std::size_t digits = 0;          // of the mantissa
    std::uint64_t whole = 0;         // the mantissa's digits as one number, while they are 15 or fewer
    long long exponent = 0;          // saturates at a billion either way
};

// False when `text` is not of the accepted form. (The counts are kept in
// locals while the text is read: a char read may alias any of n's fields.)
bool scan(std::string_view text, char sep, Scanned& n) {
    const char* p = text.data();
    const char* const end = p + text.size();
    n.negative = p != end && *p == '-';
    if (p != end && (*p == '+' || *p == '-')) ++p;
    const char* const mantissa = p;
    const char* separator = nullptr;
    std::size_t digits = 0;
    std::uint64_t whole = 0;
    for (; p != end; ++p) {
        if (isDigit(*p)) {
            if (++digits <= 15) whole = whole * 10 + static_cast<std::uint64_t>(*p - '0');
        } else if (*p == sep && !separator) {
            separator = p;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    n.mantissa = {mantissa, static_cast<std::size_t>(p - mantissa)};
    n.separator = separator;
    n.digits = digits;
    n.whole = whole;
    long long exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negative = false;
        if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
        const char* const first = p;
        for (; p != end && isDigit(*p); ++p)
            if (exponent < 1000000000) exponent = exponent * 10 + (*p - '0');
        if (p == first) return false;
        if (negative) exponent = -exponent;
    }
    n.exponent = exponent;
    return p == end;
}

// The mantissa's digits before and after the separator.
std::string_view integerDigits(const Scanned& n) {
    return n.separator ? n.mantissa.substr(0, static_cast<std::size_t>(n.separator - n.mantissa.data())) : n.mantissa;
}
std::string_view fractionDigits(const Scanned& n) {
    return n.separator ? n.mantissa.substr(static_cast<std::size_t>(n.separator - n.mantissa.data()) + 1)
                       : std::string_view();
}

// The scanned text read by from_chars, which takes it without a "+" and
// with "." as the separator. False when it lies beyond a double's range.
bool readByFromChars(std::string_view text, const Scanned& n, double& v) {
    const std::size_t from = n.negative ? 0 : static_cast<std::size_t>(n.mantissa.data() - text.data());
    std::string number(text.substr(from));
    if (n.separator) number[static_cast<std::size_t>(n.separator - text.data()) - from] = '.';
    const auto res = std::from_chars(number.data(), number.data() + number.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: too large when its first
        // digit other than 0 stands at 10^0 or above, at 10^(scale - 1).
        const std::string_view integer = integerDigits(n);
        const std::string_view fraction = fractionDigits(n);
        const std::size_t lead = integer.find_first_not_of('0');
        const long long scale =
            lead != std::string_view::npos
                ? static_cast<long long>(integer.size() - lead) + n.exponent
                : n.exponent - static_cast<long long>(std::min(fraction.find_first_not_of('0'), fraction.size()));
        v = 0;
        return scale <= 0;
    }
    if (res.ec != std::errc() || res.ptr != number.data() + number.size() || !std::isfinite(v)) return false;
    if (v == 0) v = 0.0; // +0, also for "-0"
    return true;
}

// Powers of ten a double holds exactly.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr long long kExactPow10 = 22;

// The texts of a data file take a shortcut past from_chars: up to 15 digits
// are a whole number that a double holds exactly, and that number times or
// divided by an exact power of ten, in one correctly rounded operation, is
// the double nearest to the text, as from_chars gives it.
// readRegionalNumberByFromChars reads every number without the shortcut; the
// tests hold the two together.
bool shortcut(const Scanned& n, double& v) {
    const long long power = n.exponent - static_cast<long long>(fractionDigits(n).size());
    if (n.digits > 15 || power < -kExactPow10 || power > kExactPow10) return false;
    const auto m = static_cast<double>(n.whole);
    v = power < 0 ? m / kPow10[-power] : m * kPow10[power];
    if (n.negative && n.whole != 0) v = -v;
    return true;
}

} // namespace

bool readRegionalNumberTo(std::string_view text, char sep, double& v) {
    Scanned n;
    if (!scan(text, sep, n)) return false;
    return shortcut(n, v) || readByFromChars(text, n, v);
}

bool readRegionalInt32To(std::string_view text, char sep, std::int32_t& value) {
    Scanned n;
    if (!scan(text, sep, n)) return false;
    // Part of the shortcut: up to 15 digits without a separator or an
    // exponent are already the whole number, and need no rounding.
    if (n.digits <= 15 && !n.separator && n.exponent == 0) {
        const auto whole = static_cast<std::int64_t>(n.whole);
        const std::int64_t r = n.negative ? -whole : whole;
        if (r < -2147483648LL || r > 2147483647LL) return false;
        value = static_cast<std::int32_t>(r);
        return true;
    }
    double v = 0;
    if (!shortcut(n, v) && !readByFromChars(text, n, v)) return false;
    const std::optional<std::int32_t> r = roundToInt32(v);
    if (!r) return false;
    value = *r;
    return true;
}

std::optional<double> readRegionalNumberByFromChars(std::string_view text, char sep) {
    Scanned n;
    double v = 0;
    if (!scan(text, sep, n) || !readByFromChars(text, n, v)) return std::nullopt;
    return v;
}

} // namespace meter

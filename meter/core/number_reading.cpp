#include "core/number_reading.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace meter {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Beyond these decimal exponents a number surely overflows or vanishes.
constexpr long long kOverflowExponent = 400;
constexpr long long kUnderflowExponent = -400;

// Powers of ten a double holds exactly.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr long long kExactPow10 = 22;

} // namespace

std::optional<std::int32_t> roundToInt32(double v) {
    // The halves at both ends: -2147483648.5 rounds to the even -2147483648,
    // 2147483647.5 to 2147483648, which no longer fits.
    if (!(v >= -2147483648.5 && v < 2147483647.5)) return std::nullopt; // also NaN
    double r = std::floor(v);
    const double fraction = v - r; // exact in this range
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    return static_cast<std::int32_t>(r);
}

std::optional<double> readRegionalNumber(std::string_view text, char sep) {
    const char* p = text.data();
    const char* const end = p + text.size();
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';

    // The digits before and after the separator; while there are no more than
    // 19 of them they are also summed up as one whole number.
    std::uint64_t whole = 0;
    std::size_t digits = 0;
    auto digitRun = [&p, end, &whole, &digits] {
        const char* const begin = p;
        for (; p != end && isDigit(*p); ++p)
            if (++digits <= 19) whole = whole * 10 + static_cast<std::uint64_t>(*p - '0');
        return std::string_view(begin, static_cast<std::size_t>(p - begin));
    };
    std::string_view intDigits = digitRun();
    std::string_view fracDigits;
    if (p != end && *p == sep) {
        ++p;
        fracDigits = digitRun();
    }
    if (digits == 0) return std::nullopt;

    long long exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool expNegative = false;
        if (p != end && (*p == '+' || *p == '-')) expNegative = *p++ == '-';
        const char* const expBegin = p;
        for (; p != end && isDigit(*p); ++p)
            if (exponent < 1000000000) exponent = exponent * 10 + (*p - '0'); // saturates
        if (p == expBegin) return std::nullopt;
        if (expNegative) exponent = -exponent;
    }
    if (p != end) return std::nullopt;

    // Up to 15 digits are a whole number a double holds exactly; times or
    // divided by an exact power of ten, one correctly rounded operation gives
    // the nearest double. This covers the usual texts.
    if (digits <= 15) {
        const long long power = exponent - static_cast<long long>(fracDigits.size());
        if (power >= -kExactPow10 && power <= kExactPow10) {
            if (whole == 0) return 0.0;
            const auto m = static_cast<double>(whole);
            const double v = power < 0 ? m / kPow10[-power] : m * kPow10[power];
            return negative ? -v : v;
        }
    }

    // Otherwise the significant digits d1 d2 ... with the value 0.d1d2... x 10^scale.
    long long scale = static_cast<long long>(intDigits.size()) + exponent;
    while (!intDigits.empty() && intDigits.front() == '0') {
        intDigits.remove_prefix(1);
        --scale;
    }
    if (intDigits.empty()) {
        while (!fracDigits.empty() && fracDigits.front() == '0') {
            fracDigits.remove_prefix(1);
            --scale;
        }
        if (fracDigits.empty()) return 0.0;
    }
    if (scale > kOverflowExponent) return std::nullopt;
    if (scale < kUnderflowExponent) return 0.0;

    // "0.<digits>e<scale>", a form from_chars reads the same under any locale.
    const std::size_t length = 2 + intDigits.size() + fracDigits.size() + 1 + 8;
    char small[64];
    std::string large;
    char* buf = small;
    if (length > sizeof small) {
        large.resize(length);
        buf = large.data();
    }
    char* q = buf;
    *q++ = '0';
    *q++ = '.';
    for (const char c : intDigits) *q++ = c;
    for (const char c : fracDigits) *q++ = c;
    *q++ = 'e';
    q = std::to_chars(q, buf + length, scale).ptr;

    double v = 0;
    const auto res = std::from_chars(buf, q, v);
    if (res.ec == std::errc::result_out_of_range) {
        if (scale > 0) return std::nullopt;
        return 0.0;
    }
    if (res.ec != std::errc() || res.ptr != q || !std::isfinite(v)) return std::nullopt;
    if (v == 0) return 0.0;
    return negative ? -v : v;
}

std::optional<std::int32_t> readRegionalInt32(std::string_view text, char sep) {
    // Plain digits, the usual case, need no detour through a double.
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '+' || *p == '-')) ++p;
    if (p != end && end - p <= 9) {
        std::int32_t n = 0;
        for (; p != end && isDigit(*p); ++p) n = n * 10 + (*p - '0');
        if (p == end) return negative ? -n : n;
    }
    const std::optional<double> v = readRegionalNumber(text, sep);
    if (!v) return std::nullopt;
    return roundToInt32(*v);
}

} // namespace meter

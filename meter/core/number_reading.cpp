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

} // namespace

std::optional<double> readRegionalNumber(std::string_view text, char sep) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    const std::size_t intBegin = i;
    while (i < n && isDigit(text[i])) ++i;
    const std::size_t intEnd = i;
    std::size_t fracBegin = i, fracEnd = i;
    if (i < n && text[i] == sep) {
        fracBegin = ++i;
        while (i < n && isDigit(text[i])) ++i;
        fracEnd = i;
    }
    if (intBegin == intEnd && fracBegin == fracEnd) return std::nullopt;

    long long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) expNegative = text[i++] == '-';
        const std::size_t expBegin = i;
        for (; i < n && isDigit(text[i]); ++i)
            if (exponent < 1000000000) exponent = exponent * 10 + (text[i] - '0'); // saturates
        if (i == expBegin) return std::nullopt;
        if (expNegative) exponent = -exponent;
    }
    if (i != n) return std::nullopt;

    // The significant digits d1 d2 ... with the value 0.d1d2... x 10^scale.
    std::string_view intDigits = text.substr(intBegin, intEnd - intBegin);
    std::string_view fracDigits = text.substr(fracBegin, fracEnd - fracBegin);
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
    char* p = buf;
    *p++ = '0';
    *p++ = '.';
    for (const char c : intDigits) *p++ = c;
    for (const char c : fracDigits) *p++ = c;
    *p++ = 'e';
    p = std::to_chars(p, buf + length, scale).ptr;

    double v = 0;
    const auto res = std::from_chars(buf, p, v);
    if (res.ec == std::errc::result_out_of_range) {
        if (scale > 0) return std::nullopt;
        return 0.0;
    }
    if (res.ec != std::errc() || res.ptr != p || !std::isfinite(v)) return std::nullopt;
    if (v == 0) return 0.0;
    return negative ? -v : v;
}

std::optional<std::int32_t> roundHalfEvenToInt32(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    // On the magnitude, where whole part and fraction split exactly.
    const double a = std::fabs(v);
    double whole = std::floor(a);
    const double fraction = a - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
    const double r = v < 0 ? -whole : whole;
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(r);
}

} // namespace meter

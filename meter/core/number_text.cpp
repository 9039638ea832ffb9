#include "number_text.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <cmath>
#include <limits>
#include <system_error>

namespace meter {

namespace {

// The digits (without the point) and the weight of the first digit (10^exp)
// of a to_chars scientific text such as "1.2345e+03".
bool splitScientific(const char* first, const char* last, char* digits, int& n, int& exp) {
    n = 0;
    const char* q = first;
    for (; q < last && *q != 'e'; ++q)
        if (*q != '.') {
            if (n == 24) return false;
            digits[n++] = *q;
        }
    if (q == last) return false;
    const char* e = q + 1;
    if (e < last && *e == '+') ++e;
    return std::from_chars(e, last, exp).ec == std::errc();
}

// The digits written out positionally, without trailing zeros after the point.
char* putDigits(char* p, bool negative, const char* digits, int n, int exp, char sep) {
    while (n > 1 && digits[n - 1] == '0') --n;
    if (negative) *p++ = '-';
    if (exp >= 0) {
        for (int i = 0; i <= exp; ++i) *p++ = i < n ? digits[i] : '0';
        if (n > exp + 1) {
            *p++ = sep;
            for (int i = exp + 1; i < n; ++i) *p++ = digits[i];
        }
    } else {
        *p++ = '0';
        *p++ = sep;
        for (int i = 0; i < -exp - 1; ++i) *p++ = '0';
        for (int i = 0; i < n; ++i) *p++ = digits[i];
    }
    return p;
}

char* putLiteral(char* p, std::string_view s) {
    for (char c : s) *p++ = c;
    return p;
}

} // namespace

namespace numbertext {

char* writeGeneral(char* p, double v, char sep) {
    if (std::isnan(v)) return putLiteral(p, "NaN");
    if (std::isinf(v)) return putLiteral(p, v < 0 ? "-Infinity" : "Infinity");
    if (v == 0) {
        *p++ = '0';
        return p;
    }
    const double a = std::fabs(v);
    char buf[48];
    char digits[24];
    int n = 0, exp = 0;
    // The shortest digits that give v back. When there are at most 15 of them
    // they are also v rounded to 15 significant digits (v lies closer to them
    // than half a step of the 15th digit). Subnormal values carry fewer digits
    // of precision and take the rounding below.
    if (a >= std::numeric_limits<double>::min()) {
        const auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific);
        if (res.ec == std::errc() && splitScientific(buf, res.ptr, digits, n, exp) && n <= 15)
            return putDigits(p, v < 0, digits, n, exp, sep);
    }
    const auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14);
    splitScientific(buf, res.ptr, digits, n, exp);
    return putDigits(p, v < 0, digits, n, exp, sep);
}

} // namespace numbertext

std::string numberText(double v, char sep) {
    char buf[numberTextMax];
    return std::string(buf, writeNumberText(buf, v, sep));
}

std::string formatPattern(double v, int decimals, char sep) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-Infinity" : "Infinity";
    if (decimals < 0) decimals = 0;
    // The exact binary value in fixed form with guard digits, then a half
    // rounded away from zero by hand.
    const double a = std::fabs(v);
    std::string buf(420, '\0');
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), a, std::chars_format::fixed,
                             decimals + 30);
    buf.resize(static_cast<std::size_t>(res.ptr - buf.data()));
    const std::size_t dot = buf.find('.');
    std::string intPart = buf.substr(0, dot);
    std::string frac = buf.substr(dot + 1);
    std::string kept = frac.substr(0, static_cast<std::size_t>(decimals));
    const bool roundUp = frac[static_cast<std::size_t>(decimals)] >= '5';
    std::string all = intPart + kept;
    if (roundUp) {
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0 && all[static_cast<std::size_t>(i)] == '9') all[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) all.insert(all.begin(), '1');
        else ++all[static_cast<std::size_t>(i)];
    }
    const std::size_t intLen = all.size() - static_cast<std::size_t>(decimals);
    std::string out;
    if (std::signbit(v) && v != 0) out.push_back('-');
    out += all.substr(0, intLen);
    if (decimals > 0) {
        out.push_back(sep);
        out += all.substr(intLen);
    }
    return out;
}

double readBack(std::string_view text, char sep) {
    std::string s(text);
    for (char& c : s)
        if (c == sep) c = '.';
    double v = 0;
    const char* first = s.data();
    if (!s.empty() && s[0] == '+') ++first;
    auto res = std::from_chars(first, s.data() + s.size(), v);
    if (res.ec != std::errc()) return 0;
    return v == 0 ? 0.0 : v;
}

double roundToPattern(double v, int decimals) {
    if (!std::isfinite(v)) return v;
    return readBack(formatPattern(v, decimals));
}

std::string withLeadingZero(std::string text) {
    if (!text.empty() && text[0] == '.') text.insert(text.begin(), '0');
    return text;
}

} // namespace meter

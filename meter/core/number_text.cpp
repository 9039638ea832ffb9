#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace meter {

namespace {

// Decimal digits and exponent of |v| rounded to `sig` significant digits:
// value = 0.d1d2d3... x 10^(exp+1), i.e. the first digit has weight 10^exp.
struct Decimal {
    std::string digits;
    int exp = 0;
};

Decimal significant(double a, int sig) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, sig - 1);
    std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    Decimal d;
    std::size_t e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] != '.') d.digits.push_back(s[i]);
    d.exp = std::atoi(std::string(s.substr(e + 1)).c_str());
    return d;
}

} // namespace

std::string numberText(double v, char sep) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-Infinity" : "Infinity";
    if (v == 0) return "0";
    Decimal d = significant(std::fabs(v), 15);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();

    std::string intPart, fracPart;
    const int n = static_cast<int>(d.digits.size());
    if (d.exp >= 0) {
        for (int i = 0; i <= d.exp; ++i) intPart.push_back(i < n ? d.digits[i] : '0');
        for (int i = d.exp + 1; i < n; ++i) fracPart.push_back(d.digits[i]);
    } else {
        intPart.assign(1, '0');
        fracPart.assign(static_cast<std::size_t>(-d.exp - 1), '0');
        fracPart += d.digits;
    }
    std::string out;
    if (v < 0) out.push_back('-');
    out += intPart;
    if (!fracPart.empty()) {
        out.push_back(sep);
        out += fracPart;
    }
    return out;
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

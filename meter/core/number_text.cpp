#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace meter {

namespace {

char* putLiteral(char* p, std::string_view s) {
    for (char c : s) *p++ = c;
    return p;
}

} // namespace

char* writeNumberText(char* p, double v, char sep) {
    if (std::isnan(v)) return putLiteral(p, "NaN");
    if (std::isinf(v)) return putLiteral(p, v < 0 ? "-Infinity" : "Infinity");
    if (v == 0) {
        *p++ = '0';
        return p;
    }
    // The shortest digits that read back as v, written out in full, are v
    // rounded to 15 significant digits when there are at most 15 of them (v
    // lies closer to them than half a step of the 15th digit). Subnormal
    // values carry fewer digits of their own and are always rounded.
    if (std::fabs(v) >= std::numeric_limits<double>::min()) {
        char* const end = std::to_chars(p, p + numberTextMax, v, std::chars_format::fixed).ptr;
        char* const first = std::find_if(p, end, [](char c) { return c >= '1' && c <= '9'; });
        char* last = end;
        while (last[-1] == '0' || last[-1] == '.') --last;
        const auto significant = (last - first) - (std::find(first, last, '.') != last ? 1 : 0);
        if (significant <= 15) {
            std::replace(p, end, '.', sep);
            return end;
        }
    }

    // v rounded to 15 significant digits: "d.dddddddddddddde+x".
    char buf[32];
    const char* const end = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14).ptr;
    char digits[15];
    digits[0] = buf[0];
    std::memcpy(digits + 1, buf + 2, 14);
    int exp = 0; // the weight of the first digit: 10^exp
    const char* e = buf + 17;
    if (*e == '+') ++e;
    std::from_chars(e, end, exp);
    int n = 15;
    while (n > 1 && digits[n - 1] == '0') --n;

    // Written out positionally.
    if (v < 0) *p++ = '-';
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

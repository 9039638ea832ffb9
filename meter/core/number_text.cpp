#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
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

char* writeNumberTextByToChars(char* p, double v, char sep) {
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

namespace {

// Whether v is the double nearest to k/1000 for a whole k (its sign apart),
// decided exactly in integers, for 2^-10 <= |v| < 2^36, where k/1000 has at
// most 15 significant digits; other values give false. With |v| = m * 2^-e,
// v is the double nearest to k/1000 when k * 2^e - 1000m lies within
// (-500, 500), or within (-250, 500) when v is a power of two and the doubles
// below it lie twice as close. No k/1000 lies exactly on such a bound.
bool nearestThousandths(double v, std::uint64_t& k) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int biased = static_cast<int>(bits >> 52 & 0x7FF);
    if (biased < 1013 || biased > 1058) return false;
    const int e = 1075 - biased; // 17..62
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t scaled = (fraction | std::uint64_t{1} << 52) * 1000; // below 2^63
    const std::uint64_t rest = scaled & ((std::uint64_t{1} << e) - 1);
    const bool up = (rest >> (e - 1)) != 0;
    k = (scaled >> e) + (up ? 1 : 0);
    // |k * 2^e - 1000m|: the rest, or what the rest lacks of 2^e.
    const std::uint64_t distance = up ? (std::uint64_t{1} << e) - rest : rest;
    const std::uint64_t limit = !up && fraction == 0 ? 250 : 500;
    return distance < limit;
}

} // namespace

char* writeNumberText(char* p, double v, char sep) {
    // Stored readings have at most three decimals, and the files write four
    // of them a line: std::to_chars would take most of a full report's time.
    // When v is the double nearest to k/1000 for a whole k, its general form
    // is k/1000 written out (no other decimal of at most 15 digits lies as
    // close to v). writeNumberTextByToChars writes every value without this
    // shortcut; the tests hold the two together.
    std::uint64_t k = 0;
    if (!nearestThousandths(v, k)) return writeNumberTextByToChars(p, v, sep);
    if (v < 0) *p++ = '-';
    p = std::to_chars(p, p + 24, k / 1000).ptr;
    const auto decimals = static_cast<unsigned>(k % 1000);
    if (decimals != 0) {
        *p++ = sep;
        const char digits[3] = {static_cast<char>('0' + decimals / 100), static_cast<char>('0' + decimals / 10 % 10),
                                static_cast<char>('0' + decimals % 10)};
        int n = 3;
        while (digits[n - 1] == '0') --n;
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
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), a, std::chars_format::fixed, decimals + 30);
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

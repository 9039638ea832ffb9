#include "output/line_format.h"

#include "core/number_text.h"
#include "output/text_encoding.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>

namespace meter::lineformat {

namespace {

// The unit texts in Windows-1252, in the order of Unit.
constexpr std::string_view unitTexts1252[] = {
    "", "m/s", "ft/min", "km/h", "MPH", "knots", "\xB0" "C", "\xB0" "F", "CMM", "CFM", "m2", "in2", "Ft2",
};
static_assert(std::size(unitTexts1252) == static_cast<std::size_t>(Unit::SquareFeet) + 1);

char* putBytes(char* p, std::string_view s) {
    std::memcpy(p, s.data(), s.size());
    return p + s.size();
}

} // namespace

char* putNumber(char* p, double v, char sep) {
    // Stored readings have at most three decimals. When v is the double
    // nearest to k/1000 for a whole k, the general form of v is k/1000 written
    // out (no other decimal of at most 15 digits lies as close to v).
    if (std::isfinite(v) && std::fabs(v) < 1e11) {
        const long long k = std::llround(v * 1000.0);
        if (static_cast<double>(k) / 1000.0 == v) {
            if (k == 0) {
                *p++ = '0';
                return p;
            }
            const unsigned long long a =
                k < 0 ? 0ULL - static_cast<unsigned long long>(k) : static_cast<unsigned long long>(k);
            if (k < 0) *p++ = '-';
            p = std::to_chars(p, p + 24, a / 1000).ptr;
            const unsigned frac = static_cast<unsigned>(a % 1000);
            if (frac != 0) {
                *p++ = sep;
                p[0] = static_cast<char>('0' + frac / 100);
                p[1] = static_cast<char>('0' + frac / 10 % 10);
                p[2] = static_cast<char>('0' + frac % 10);
                p += frac % 100 == 0 ? 1 : (frac % 10 == 0 ? 2 : 3);
            }
            return p;
        }
    }
    // The shortest digits that give v back. When there are at most 15 of them
    // they are also v rounded to 15 significant digits (v lies closer to them
    // than half a step of the 15th digit), which is what numberText writes.
    // Subnormal values carry fewer digits of precision; numberText handles them.
    if (std::isfinite(v) && std::fabs(v) >= std::numeric_limits<double>::min()) {
        char buf[40];
        const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific);
        if (res.ec == std::errc()) {
            char digits[24];
            int n = 0;
            const char* q = buf;
            for (; q < res.ptr && *q != 'e' && n < 24; ++q)
                if (*q != '.') digits[n++] = *q;
            int exp = 0; // weight of the first digit: 10^exp
            const char* e = q + 1;
            if (e < res.ptr && *e == '+') ++e;
            if (q < res.ptr && *q == 'e' && n <= 15 && std::from_chars(e, res.ptr, exp).ec == std::errc()) {
                while (n > 1 && digits[n - 1] == '0') --n;
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
        }
    }
    return putBytes(p, numberText(v, sep));
}

char* putReading(char* p, double v, Unit unit, bool testInvalid, char sep, bool leadingZero) {
    if (testInvalid && v >= invalidReading) {
        p = putBytes(p, "----");
    } else {
        char* start = p;
        p = putNumber(p, v, sep);
        // The report's rule (withLeadingZero) for a value below 1.
        if (leadingZero && v < 1.0 && p > start && *start == '.') {
            std::memmove(start + 1, start, static_cast<std::size_t>(p - start));
            *start = '0';
            ++p;
        }
    }
    const auto u = static_cast<std::size_t>(unit);
    if (u < std::size(unitTexts1252)) p = putBytes(p, unitTexts1252[u]);
    return p;
}

char* putText(char* p, std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return putBytes(p, toWindows1252(s));
    return putBytes(p, s);
}

} // namespace meter::lineformat

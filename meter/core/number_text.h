// Number texts as the user sees them: the general form (up to 15 significant
// digits, no trailing zeros, no exponent), fixed-decimal patterns, and reading
// such texts back. The decimal separator is the user's regional one.
#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace meter {

// General form: at most 15 significant digits, no trailing zeros, no decimal
// separator for a whole value, "-" before a negative value, no grouping,
// never an exponent. Values between -1 and 1 get a "0" before the separator.
// Negative zero gives "0". NaN gives "NaN", infinities "Infinity"/"-Infinity".
std::string numberText(double v, char decimalSeparator = '.');

// The same text written at `out`, which has room for numberTextMax
// characters; returns its end. Allocates nothing. Inline, because the files
// write four of them a line.
inline constexpr std::size_t numberTextMax = 400;
char* writeNumberText(char* out, double v, char decimalSeparator = '.');

namespace numbertext {

// Whether v is the double nearest to k/1000 for a whole k (its sign apart),
// decided exactly in integers, for 2^-10 <= |v| < 2^36, where k/1000 has at
// most 15 significant digits; other values give false. With |v| = m * 2^-e,
// v is the double nearest to k/1000 when k * 2^e - 1000m lies within
// (-500, 500), or within (-250, 500) when v is a power of two and the doubles
// below it lie twice as close. No k/1000 lies exactly on such a bound.
inline bool nearestThousandths(double v, std::uint64_t& k) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int biased = static_cast<int>(bits >> 52 & 0x7FF);
    if (biased < 1013 || biased > 1058) return false;
    const int e = 1075 - biased; // 17..62
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t scaled = (fraction | std::uint64_t{1} << 52) * 1000; // below 2^63
    const std::uint64_t rest = scaled & ((std::uint64_t{1} << e) - 1);
    // Without branches: which way k rounds depends on the value alone.
    const bool up = (rest >> (e - 1)) != 0;
    k = (scaled >> e) + (up ? 1 : 0);
    // |k * 2^e - 1000m|: the rest, or what the rest lacks of 2^e.
    const std::uint64_t distance = up ? (std::uint64_t{1} << e) - rest : rest;
    const std::uint64_t limit = !up && fraction == 0 ? 250 : 500;
    return distance < limit;
}

// The decimals of k/1000 for k = 0..999 without trailing zeros: "", "001",
// ..., "5", ..., "999"; `advance` counts the separator before them, if any.
struct Thousandths {
    char digits[3];
    std::uint8_t advance;
};

constexpr std::array<Thousandths, 1000> makeThousandths() {
    std::array<Thousandths, 1000> t{};
    for (int k = 0; k < 1000; ++k) {
        Thousandths& f = t[static_cast<std::size_t>(k)];
        f.digits[0] = static_cast<char>('0' + k / 100);
        f.digits[1] = static_cast<char>('0' + k / 10 % 10);
        f.digits[2] = static_cast<char>('0' + k % 10);
        f.advance = static_cast<std::uint8_t>(k == 0 ? 0 : k % 100 == 0 ? 2 : k % 10 == 0 ? 3 : 4);
    }
    return t;
}
inline constexpr std::array<Thousandths, 1000> thousandths = makeThousandths();

constexpr std::array<char, 200> makeTwoDigits() {
    std::array<char, 200> t{};
    for (int v = 0; v < 100; ++v) {
        t[static_cast<std::size_t>(2 * v)] = static_cast<char>('0' + v / 10);
        t[static_cast<std::size_t>(2 * v + 1)] = static_cast<char>('0' + v % 10);
    }
    return t;
}
// "00" to "99".
inline constexpr std::array<char, 200> twoDigits = makeTwoDigits();

// The general form of any other value.
char* writeGeneral(char* out, double v, char decimalSeparator);

} // namespace numbertext

inline char* writeNumberText(char* p, double v, char sep) {
    // Stored readings have at most three decimals. When v is the double
    // nearest to k/1000 for a whole k, its general form is k/1000 written out
    // (no other decimal of at most 15 digits lies as close to v).
    std::uint64_t k = 0;
    if (!numbertext::nearestThousandths(v, k)) return numbertext::writeGeneral(p, v, sep);
    // Written without branches where the room allows: the sign, one or two
    // digits, the decimals are put down and the end moved past what counts.
    *p = '-';
    p += v < 0 ? 1 : 0;
    const std::uint64_t whole = k / 1000;
    if (whole < 100) {
        const char* d = &numbertext::twoDigits[static_cast<std::size_t>(2 * whole)];
        const bool one = whole < 10;
        p[0] = d[one ? 1 : 0];
        p[1] = d[1];
        p += one ? 1 : 2;
    } else {
        p = std::to_chars(p, p + 24, whole).ptr;
    }
    const numbertext::Thousandths& frac = numbertext::thousandths[k % 1000];
    *p = sep;
    std::memcpy(p + 1, frac.digits, sizeof frac.digits);
    return p + frac.advance;
}

// Pattern form ("0", "0.0", "0.00", "0.000" for decimals 0..3): exactly that many
// decimals, a half rounded away from zero, at least one digit before the
// separator, "-" before a negative value (also "-0.0" for a tiny negative).
std::string formatPattern(double v, int decimals, char decimalSeparator = '.');

// The number a pattern or general text denotes; zero, also "-0.0", gives +0.
// Text that is no number gives 0.
double readBack(std::string_view text, char decimalSeparator = '.');

// Formats with the pattern and reads the text back.
double roundToPattern(double v, int decimals);

// Puts "0" before a text that begins with ".".
std::string withLeadingZero(std::string text);

} // namespace meter

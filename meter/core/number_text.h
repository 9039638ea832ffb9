// Number texts as the user sees them: the general form (up to 15 significant
// digits, no trailing zeros, no exponent), fixed-decimal patterns, and reading
// such texts back. The decimal separator is the user's regional one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace meter {

// General form: at most 15 significant digits, no trailing zeros, no decimal
// separator for a whole value, "-" before a negative value, no grouping,
// never an exponent. Values between -1 and 1 get a "0" before the separator.
// Negative zero gives "0". NaN gives "NaN", infinities "Infinity"/"-Infinity".
std::string numberText(double v, char decimalSeparator = '.');

// The same text written at `out`, which has room for numberTextMax
// characters; returns its end. Allocates nothing.
inline constexpr std::size_t numberTextMax = 400;
char* writeNumberText(char* out, double v, char decimalSeparator = '.');
// The same text, every value through std::to_chars.
char* writeNumberTextByToChars(char* out, double v, char decimalSeparator = '.');

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

// The automation variant as the registry class takes and returns it, and the
// conversions the automation rules make: to text, and to a 32-bit integer with
// fractions rounded to the even neighbour. A conversion the rules refuse (no
// number, out of range, not finite) gives no value, never undefined behaviour.
#pragma once

#include "core/number_reading.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace meter {

// The automation interface's 16-bit boolean.
using VariantBool = std::int16_t;
inline constexpr VariantBool variantTrue = -1;
inline constexpr VariantBool variantFalse = 0;

constexpr VariantBool toVariantBool(bool b) { return b ? variantTrue : variantFalse; }

// What a caller may hand in: nothing (empty), a text (UTF-8), an integer or a 64-bit float.
using Variant = std::variant<std::monostate, std::string, std::int64_t, double>;

// What the registry class gives back: nothing, a text (UTF-8) or a 32-bit integer.
using RegValue = std::variant<std::monostate, std::string, std::int32_t>;

// Text form: empty gives "", a text stays, an integer gets its decimal digits,
// a float its general number text with the regional separator. NaN and the
// infinities have no text form.
std::optional<std::string> variantToText(const Variant& v, char decimalSeparator = '.');

// 32-bit integer: empty gives 0; a float, or a text that reads as a number, is
// rounded to the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2). Nothing outside -2147483648..2147483647 after rounding.
std::optional<std::int32_t> variantToInt32(const Variant& v, char decimalSeparator = '.');

// The number a text denotes: blanks and tabs around it, then the regional
// number form that readRegionalNumber accepts.
std::optional<double> parseNumberText(std::string_view text, char decimalSeparator = '.');

} // namespace meter

#include "core/variant.h"

#include "core/number_reading.h"
#include "core/number_text.h"

#include <cmath>
#include <type_traits>

namespace meter {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::optional<std::string> variantToText(const Variant& v, char decimalSeparator) {
    return std::visit(
        [&](const auto& x) -> std::optional<std::string> {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) return std::string();
            else if constexpr (std::is_same_v<T, std::string>) return x;
            else if constexpr (std::is_same_v<T, std::int64_t>) return std::to_string(x);
            else {
                if (!std::isfinite(x)) return std::nullopt;
                return numberText(x, decimalSeparator);
            }
        },
        v);
}

std::optional<std::int32_t> variantToInt32(const Variant& v, char decimalSeparator) {
    return std::visit(
        [&](const auto& x) -> std::optional<std::int32_t> {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) return 0;
            else if constexpr (std::is_same_v<T, std::string>) {
                const std::optional<double> d = parseNumberText(x, decimalSeparator);
                if (!d) return std::nullopt;
                return roundToInt32(*d);
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
                if (x < INT32_MIN || x > INT32_MAX) return std::nullopt;
                return static_cast<std::int32_t>(x);
            } else {
                return roundToInt32(x);
            }
        },
        v);
}

std::optional<double> parseNumberText(std::string_view text, char decimalSeparator) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    return readRegionalNumber(text.substr(first, last - first), decimalSeparator);
}

} // namespace meter

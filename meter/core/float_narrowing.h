// Narrowing a 64-bit value to a 32-bit float without the conversion that is
// undefined beyond the float range.
#pragma once

#include <limits>

namespace meter {

// Rounded to the nearest float; a value beyond the largest float is an
// infinity of its sign. NaN stays NaN.
inline float narrowToFloat(double x) {
    constexpr double fmax = std::numeric_limits<float>::max();
    if (x > fmax) return std::numeric_limits<float>::infinity();
    if (x < -fmax) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(x);
}

} // namespace meter

// The units the meter shows its four quantities in, in one table: their texts,
// the unit codes of the frame that name them, the conversion from the base unit
// and the decimals. The readout, the records, the statistics and the files all
// read it; what each of them does with a code outside the table is named below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace meter {

// Unit of a stored quantity.
enum class Unit : std::uint8_t {
    None = 0,
    MetresPerSecond,   // "m/s"
    FeetPerMinute,     // "ft/min"
    KilometresPerHour, // "km/h"
    MilesPerHour,      // "MPH"
    Knots,             // "knots"
    Celsius,           // "°C"
    Fahrenheit,        // "°F"
    CubicMetresPerMin, // "CMM"
    CubicFeetPerMin,   // "CFM"
    SquareMetres,      // "m2"
    SquareInches,      // "in2"
    SquareFeet,        // "Ft2"
};
inline constexpr std::size_t unitCount = static_cast<std::size_t>(Unit::SquareFeet) + 1;

// Quantities, each with its base unit: m/s, °C, m³/min, m².
enum class Quantity : std::uint8_t { None, Velocity, Temperature, Flow, Area };

// Decimals that follow the size of the value rather than the unit.
inline constexpr int magnitudeDecimals = -1;

struct UnitInfo {
    Unit unit;
    Quantity quantity;
    std::string_view text; // UTF-8 ("°" is U+00B0); empty for Unit::None
    // The frame's code for the unit: the low nibble of the unit byte for
    // velocity, temperature and flow, the whole byte for area.
    std::uint8_t code;
    // From the base unit: velocity and flow are multiplied by it once, area
    // twice (it is the factor per metre), temperature as factor * t + offset.
    double factor;
    double offset;
    // Decimals of the readout and of the stored value: fixed for velocity and
    // temperature, magnitudeDecimals for flow and area.
    int decimals;
};

const UnitInfo& unitInfo(Unit u);

// The unit's text in UTF-8; empty for Unit::None.
std::string_view unitText(Unit u);

// The unit of a quantity that a frame's code names (low nibble, or the whole
// byte for area, as in UnitInfo::code); Unit::None for a code outside the table.
Unit unitByCode(Quantity q, std::uint8_t code);

// One of the five velocity units by its text, compared exactly; Unit::None
// for any other text.
Unit velocityUnitByText(std::string_view text);

// Decimals by the size of a value: 3 below 10 (negative values and NaN
// included), 2 below 100, 1 below 1000, else 0.
int decimalsForMagnitude(float v);

// What a code outside the table gives.
// The readout leaves the unit's caption and the figures that need its
// decimals as they were: it uses Unit::None.
inline constexpr Unit readoutUnitFallback = Unit::None;
// A record and the statistics are kept in the base unit; an unknown area code
// also leaves the record's area at 0.
inline constexpr Unit recordVelocityFallback = Unit::MetresPerSecond;
inline constexpr Unit recordTemperatureFallback = Unit::Celsius;
inline constexpr Unit recordFlowFallback = Unit::CubicMetresPerMin;
inline constexpr Unit recordAreaFallback = Unit::SquareMetres;

} // namespace meter

#include "core/units.h"

#include <array>

namespace meter {

namespace {

using Q = Quantity;

// In the order of Unit.
constexpr std::array<UnitInfo, unitCount> units = {{
    {Unit::None, Q::None, "", 0, 1.0, 0.0, magnitudeDecimals},
    {Unit::MetresPerSecond, Q::Velocity, "m/s", 1, 1.0, 0.0, 2},
    {Unit::FeetPerMinute, Q::Velocity, "ft/min", 2, 196.85, 0.0, 0},
    {Unit::KilometresPerHour, Q::Velocity, "km/h", 3, 3.6, 0.0, 1},
    {Unit::MilesPerHour, Q::Velocity, "MPH", 4, 2.23693632, 0.0, 1},
    {Unit::Knots, Q::Velocity, "knots", 5, 1.94384466, 0.0, 1},
    {Unit::Celsius, Q::Temperature,
     "\xC2\xB0"
     "C",
     1, 1.0, 0.0, 1},
    {Unit::Fahrenheit, Q::Temperature,
     "\xC2\xB0"
     "F",
     2, 1.8, 32.0, 1},
    {Unit::CubicMetresPerMin, Q::Flow, "CMM", 2, 1.0, 0.0, magnitudeDecimals},
    {Unit::CubicFeetPerMin, Q::Flow, "CFM", 1, 35.314666, 0.0, magnitudeDecimals},
    {Unit::SquareMetres, Q::Area, "m2", 0x81, 1.0, 0.0, magnitudeDecimals},
    {Unit::SquareInches, Q::Area, "in2", 0x82, 39.3700787, 0.0, magnitudeDecimals},
    {Unit::SquareFeet, Q::Area, "Ft2", 0x83, 3.2808399, 0.0, magnitudeDecimals},
}};

constexpr bool inOrder() {
    for (std::size_t i = 0; i < units.size(); ++i)
        if (static_cast<std::size_t>(units[i].unit) != i) return false;
    return true;
}
static_assert(inOrder(), "the unit table follows the order of Unit");

} // namespace

const UnitInfo& unitInfo(Unit u) {
    const auto i = static_cast<std::size_t>(u);
    return i < units.size() ? units[i] : units[0];
}

std::string_view unitText(Unit u) { return unitInfo(u).text; }

Unit unitByCode(Quantity q, std::uint8_t code) {
    for (const UnitInfo& u : units)
        if (u.quantity == q && u.code == code) return u.unit;
    return Unit::None;
}

Unit velocityUnitByText(std::string_view text) {
    for (const UnitInfo& u : units)
        if (u.quantity == Quantity::Velocity && u.text == text) return u.unit;
    return Unit::None;
}

int decimalsForMagnitude(float v) {
    if (!(v >= 10.0f)) return 3; // NaN lands here as well
    if (v < 100.0f) return 2;
    if (v < 1000.0f) return 1;
    return 0;
}

} // namespace meter

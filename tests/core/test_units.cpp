#include "core/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace meter;

TEST(Units, CodesAndTextsOfTheTable) {
    struct Case {
        Quantity q;
        std::uint8_t code;
        Unit unit;
        const char* text;
    };
    const Case cases[] = {
        {Quantity::Velocity, 1, Unit::MetresPerSecond, "m/s"},
        {Quantity::Velocity, 2, Unit::FeetPerMinute, "ft/min"},
        {Quantity::Velocity, 3, Unit::KilometresPerHour, "km/h"},
        {Quantity::Velocity, 4, Unit::MilesPerHour, "MPH"},
        {Quantity::Velocity, 5, Unit::Knots, "knots"},
        {Quantity::Temperature, 1, Unit::Celsius,
         "\xC2\xB0"
         "C"},
        {Quantity::Temperature, 2, Unit::Fahrenheit,
         "\xC2\xB0"
         "F"},
        {Quantity::Flow, 1, Unit::CubicFeetPerMin, "CFM"},
        {Quantity::Flow, 2, Unit::CubicMetresPerMin, "CMM"},
        {Quantity::Area, 0x81, Unit::SquareMetres, "m2"},
        {Quantity::Area, 0x82, Unit::SquareInches, "in2"},
        {Quantity::Area, 0x83, Unit::SquareFeet, "Ft2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(unitByCode(c.q, c.code), c.unit) << c.text;
        EXPECT_EQ(unitText(c.unit), c.text);
        EXPECT_EQ(unitInfo(c.unit).quantity, c.q);
    }
    // Codes outside the table, and a code of another quantity.
    EXPECT_EQ(unitByCode(Quantity::Velocity, 0), Unit::None);
    EXPECT_EQ(unitByCode(Quantity::Velocity, 6), Unit::None);
    EXPECT_EQ(unitByCode(Quantity::Flow, 0), Unit::None);
    EXPECT_EQ(unitByCode(Quantity::Area, 0x01), Unit::None);
    EXPECT_EQ(unitByCode(Quantity::Temperature, 3), Unit::None);
    EXPECT_EQ(unitText(Unit::None), "");
}

TEST(Units, VelocityUnitsByTextExactly) {
    EXPECT_EQ(velocityUnitByText("km/h"), Unit::KilometresPerHour);
    EXPECT_EQ(velocityUnitByText("knots"), Unit::Knots);
    EXPECT_EQ(velocityUnitByText("mph"), Unit::None);
    EXPECT_EQ(velocityUnitByText("m/s "), Unit::None);
    EXPECT_EQ(velocityUnitByText("CMM"), Unit::None);
    EXPECT_EQ(velocityUnitByText(""), Unit::None);
}

TEST(Units, DecimalsFollowTheMagnitudeAsAFloat) {
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float v;
        int decimals;
    };
    for (const Case c : {Case{0.0f, 3}, Case{-5.0f, 3}, Case{std::nextafter(10.0f, 0.0f), 3}, Case{10.0f, 2},
                         Case{99.99f, 2}, Case{100.0f, 1}, Case{999.9f, 1}, Case{1000.0f, 0}, Case{inf, 0},
                         Case{std::numeric_limits<float>::quiet_NaN(), 3}})
        EXPECT_EQ(decimalsForMagnitude(c.v), c.decimals) << c.v;
}

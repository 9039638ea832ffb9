// What happens to one accepted meter frame after the readout: the record is
// appended with every quantity converted into the unit the meter shows and
// rounded, the running extremes are updated, and the texts and scroll range
// the windows must show are worked out.
#pragma once

#include "core/graph_geometry.h"
#include "core/meter_frame.h"
#include "core/regional.h"
#include "core/shared_state.h"
#include "core/units.h"

#include <optional>
#include <string>
#include <string_view>

namespace meter {

// Rounds a reading to the decimals of its unit after taking off a small bias.
// A velocity unit's text ("m/s", "ft/min", "km/h", "MPH", "knots") selects the
// unit's decimals; any other text the decimals by magnitude
// (decimalsForMagnitude). A value that is not finite is returned as it is.
double possdata(float soudata, std::string_view unit);

// The units the meter shows, chosen from the frame's unit codes; a code
// outside the unit table gives the record's fallback (units.h).
Unit velocityUnitOf(std::uint8_t velocityUnitCode);
Unit temperatureUnitOf(std::uint8_t temperatureUnitCode);
Unit flowUnitOf(std::uint8_t flowUnitCode);
// Unit::None for an area code other than 0x81, 0x82, 0x83 (stored as
// recordAreaFallback, with the area left at 0).
Unit areaUnitOf(std::uint8_t areaUnitCode);

// A reading in its base unit converted into `unit` in 64-bit arithmetic and
// narrowed to 32 bits. Empty when the reading is not finite or the result
// does not fit a 32-bit float.
std::optional<float> convertVelocity(float metresPerSecond, Unit unit);
std::optional<float> convertFlow(float cubicMetresPerMinute, Unit unit);
std::optional<float> convertArea(float squareMetres, Unit unit);

// The stored (rounded) values, as a record holds them.
double storedVelocity(float metresPerSecond, Unit unit); // possdata in the unit
double storedTemperature(float celsius, Unit unit);      // "0.0", °F as t*1.8+32
double storedFlow(float cubicMetresPerMinute, Unit unit);
double storedArea(float squareMetres, Unit unit); // 0 for Unit::None

// One text for each of the four quantities.
struct QuantityTexts {
    std::string velocity, temperature, flow, area;
};

// What the statistics strip shows (UTF-8): the running extremes in the units
// the meter shows (Text1..Text4 the maxima, Text5..Text8 the minima) and those
// units (Text9..Text12).
struct StatisticsTexts {
    QuantityTexts maximum;
    QuantityTexts minimum;
    QuantityTexts unit;
};

// What the windows show after one accepted frame.
struct RecordOutcome {
    bool stored = false;                      // false only when the store was full
    std::string countText;                    // graph window NumberofAlltext
    std::optional<std::string> startTimeText; // graph window starttimetext, first record only
    StatisticsTexts statistics;               // statistics strip Text1..Text12
    std::optional<ScrollRange> scroll;        // graph window HScroll1
};

// The statistics texts for the trackers in `s`, in the units the given frame
// shows.
StatisticsTexts statisticsTexts(const SharedState& s, const MeterFrame& f, const Regional& regional);

// Appends the record of an accepted frame and updates the extremes. The clock
// is read for the start time of the first record and again for the record's
// own time stamp. Does nothing (stored = false) when the store is full.
RecordOutcome recordFrame(SharedState& s, const MeterFrame& f, const Clock& clock, const Regional& regional);

} // namespace meter

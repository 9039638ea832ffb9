#include "shared_state.h"

namespace meter {

std::string_view unitText(Unit u) {
    switch (u) {
    case Unit::None: return "";
    case Unit::MetresPerSecond: return "m/s";
    case Unit::FeetPerMinute: return "ft/min";
    case Unit::KilometresPerHour: return "km/h";
    case Unit::MilesPerHour: return "MPH";
    case Unit::Knots: return "knots";
    case Unit::Celsius: return "\xC2\xB0" "C";
    case Unit::Fahrenheit: return "\xC2\xB0" "F";
    case Unit::CubicMetresPerMin: return "CMM";
    case Unit::CubicFeetPerMin: return "CFM";
    case Unit::SquareMetres: return "m2";
    case Unit::SquareInches: return "in2";
    case Unit::SquareFeet: return "Ft2";
    }
    return "";
}

void initSharedState(SharedState& s) {
    s.maxVelocity = -90000;
    s.minVelocity = 90000;
    s.maxTemperature = -9000;
    s.minTemperature = 9000;
    s.maxFlow = -90000;
    s.minFlow = 900000;
    s.maxArea = -900000;
    s.minArea = 900000;

    s.liveRecordCount = 0;
    s.fileRecordCount = 0;
    s.graphRange = 6000.0;
    s.showVelocity = s.showTemperature = s.showFlow = s.showArea = true;
    s.historyView = false;

    for (std::int32_t n = 1; n <= LiveRecordStore::capacity; ++n) {
        LiveRecord& r = s.liveRecords[n];
        r.no = 0;
        r.velocity = r.temperature = r.flow = r.area = 0;
    }
}

} // namespace meter

// Records put into the stores by hand, for the tests and benchmarks that need
// a filled store: live records, file records and times of day.
#pragma once

#include "core/shared_state.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace testsupport {

// The time of day `seconds` after midnight, the hours counted round the clock.
inline meter::TimeOfDay timeOfDayAt(int seconds) {
    return {static_cast<std::uint8_t>(seconds / 3600 % 24), static_cast<std::uint8_t>(seconds / 60 % 60),
            static_cast<std::uint8_t>(seconds % 60)};
}

// The same time as text: "hh:mm:ss".
inline std::string timeTextAt(int seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
    return text;
}

// What a live record holds besides its number; what is not given is as in a
// record never filled.
struct LiveFill {
    double velocity = 0;
    meter::Unit velocityUnit = meter::Unit::None;
    double temperature = 0;
    meter::Unit temperatureUnit = meter::Unit::None;
    double flow = 0;
    meter::Unit flowUnit = meter::Unit::None;
    double area = 0;
    meter::Unit areaUnit = meter::Unit::None;
    std::string_view date = ""; // never a null view, which the copy into the record may not take
    meter::TimeOfDay time{};
};

// Fills live record n, numbered n; the count of stored records stays.
inline void setLiveRecord(meter::SharedState& s, std::int32_t n, const LiveFill& f) {
    meter::LiveRecord& r = s.liveRecords[n];
    r.no = n;
    r.velocity = f.velocity;
    r.velocityUnit = f.velocityUnit;
    r.temperature = f.temperature;
    r.temperatureUnit = f.temperatureUnit;
    r.flow = f.flow;
    r.flowUnit = f.flowUnit;
    r.area = f.area;
    r.areaUnit = f.areaUnit;
    r.dateText.assign(f.date);
    r.timeText = f.time;
}

// Stores a live record after the last one counted, and counts it.
inline void appendLiveRecord(meter::SharedState& s, const LiveFill& f) { setLiveRecord(s, ++s.liveRecordCount, f); }

// A file record, its fields in the order of a data file's record line.
struct FileFill {
    std::int32_t no = 0;
    std::string_view time = "";
    double value = 0;
    std::string_view unit = "";
};

// Fills file record slot n; the count of read records stays.
inline void setFileRecord(meter::SharedState& s, std::int32_t n, const FileFill& f) {
    meter::FileRecord& r = s.fileRecords[n];
    r.no = f.no;
    r.timeText.assign(f.time);
    r.value = f.value;
    r.unitText.assign(f.unit);
}

// Stores a file record after the last one counted, and counts it.
inline void appendFileRecord(meter::SharedState& s, const FileFill& f) { setFileRecord(s, ++s.fileRecordCount, f); }

} // namespace testsupport

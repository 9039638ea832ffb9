#include "output/csv_export.h"

#include "output/line_format.h"
#include "output/safe_file.h"

#include <charconv>
#include <cstring>

namespace meter {

namespace {

using namespace lineformat;

// ,"  before a text field.
char* openField(char* p) {
    std::memcpy(p, ",\"", 2);
    return p + 2;
}

char* quotedReading(char* p, const LineFormat& format, double v, Unit unit, bool testInvalid) {
    p = format.reading(openField(p), v, unit, testInvalid, false);
    *p++ = '"';
    return p;
}

} // namespace

void writeSampleCsv(SafeFileWriter& out, const SharedState& state, const Regional& regional) {
    out.write("\"NO.\",\"DATE\",\"TIME\",\"VELOCITY\",\"TEMPERATURE\",\"FLOW\",\"AREA\"\r\n");

    const LineFormat format(regional.decimalSeparator, regional.timeFormat);
    const std::int32_t count = state.liveRecordCount;
    for (std::int32_t n = 1; n <= count && n <= LiveRecordStore::capacity; ++n) {
        const LiveRecord& r = state.liveRecords[n];
        char* p = out.reserve(maxLine);
        p = std::to_chars(p, p + 16, r.no).ptr;
        p = format.date(openField(p), r.dateText);
        *p++ = '"';
        p = format.time(openField(p), r.timeText);
        *p++ = '"';
        p = quotedReading(p, format, r.velocity, r.velocityUnit, true);
        p = quotedReading(p, format, r.temperature, r.temperatureUnit, true);
        p = quotedReading(p, format, r.flow, r.flowUnit, true);
        p = quotedReading(p, format, r.area, r.areaUnit, false);
        std::memcpy(p, "\r\n", 2);
        out.advance(p + 2);
    }
}

bool saveSampleCsv(const std::string& path, const SharedState& state, const Regional& regional) {
    SafeFileWriter out(path);
    if (!out.open()) return false;
    writeSampleCsv(out, state, regional);
    return out.commit();
}

} // namespace meter

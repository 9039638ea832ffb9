#include "output/csv_export.h"

#include "output/line_format.h"
#include "output/safe_file.h"

#include <charconv>

namespace meter {

namespace {

using namespace lineformat;

char* quoted(char* p, std::string_view utf8) {
    *p++ = ',';
    *p++ = '"';
    p = putText(p, utf8);
    *p++ = '"';
    return p;
}

char* quotedReading(char* p, double v, Unit unit, bool testInvalid, char sep) {
    *p++ = ',';
    *p++ = '"';
    p = putReading(p, v, unit, testInvalid, sep, false);
    *p++ = '"';
    return p;
}

} // namespace

void writeSampleCsv(SafeFileWriter& out, const SharedState& state, const Regional& regional) {
    out.write("\"NO.\",\"DATE\",\"TIME\",\"VELOCITY\",\"TEMPERATURE\",\"FLOW\",\"AREA\"\r\n");

    const char sep = regional.decimalSeparator;
    const std::int32_t count = state.liveRecordCount;
    for (std::int32_t n = 1; n <= count && n <= LiveRecordStore::capacity; ++n) {
        const LiveRecord& r = state.liveRecords[n];
        char* p = out.reserve(maxLine);
        p = std::to_chars(p, p + 16, r.no).ptr;
        p = quoted(p, r.dateText.view());
        p = quoted(p, r.timeText.view());
        p = quotedReading(p, r.velocity, r.velocityUnit, true, sep);
        p = quotedReading(p, r.temperature, r.temperatureUnit, true, sep);
        p = quotedReading(p, r.flow, r.flowUnit, true, sep);
        p = quotedReading(p, r.area, r.areaUnit, false, sep);
        *p++ = '\r';
        *p++ = '\n';
        out.advance(p);
    }
}

bool saveSampleCsv(const std::string& path, const SharedState& state, const Regional& regional) {
    SafeFileWriter out(path);
    if (!out.open()) return false;
    writeSampleCsv(out, state, regional);
    return out.commit();
}

} // namespace meter

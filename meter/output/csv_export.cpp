#include "output/csv_export.h"

#include "output/safe_file.h"
#include "output/samples_report.h"
#include "output/text_encoding.h"

#include <charconv>

namespace meter {

namespace {

void quoted(std::string& line, std::string_view utf8) {
    line += ",\"";
    appendWindows1252(line, utf8);
    line += '"';
}

void quotedReading(std::string& line, double v, Unit unit, bool testInvalid, char sep) {
    line += ",\"";
    appendReadingText(line, v, unit, testInvalid, sep, false);
    line += '"';
}

} // namespace

void writeSampleCsv(SafeFileWriter& out, const SharedState& state, const Regional& regional) {
    out.write("\"NO.\",\"DATE\",\"TIME\",\"VELOCITY\",\"TEMPERATURE\",\"FLOW\",\"AREA\"\r\n");

    std::string line;
    line.reserve(256);
    const char sep = regional.decimalSeparator;
    const std::int32_t count = state.liveRecordCount;
    for (std::int32_t n = 1; n <= count && n <= LiveRecordStore::capacity; ++n) {
        const LiveRecord& r = state.liveRecords[n];
        char num[16];
        const auto res = std::to_chars(num, num + sizeof num, r.no);
        line.append(num, res.ptr);
        quoted(line, r.dateText.view());
        quoted(line, r.timeText.view());
        quotedReading(line, r.velocity, r.velocityUnit, true, sep);
        quotedReading(line, r.temperature, r.temperatureUnit, true, sep);
        quotedReading(line, r.flow, r.flowUnit, true, sep);
        quotedReading(line, r.area, r.areaUnit, false, sep);
        line += "\r\n";
        out.write(line);
        line.clear();
    }
}

bool saveSampleCsv(const std::string& path, const SharedState& state, const Regional& regional) {
    SafeFileWriter out(path);
    if (!out.open()) return false;
    writeSampleCsv(out, state, regional);
    return out.commit();
}

} // namespace meter

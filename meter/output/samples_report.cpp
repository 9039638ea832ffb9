#include "output/samples_report.h"

#include "core/number_text.h"
#include "output/line_format.h"
#include "output/safe_file.h"
#include "core/text_encoding.h"

#include <charconv>
#include <cstring>

namespace meter {

namespace {

using namespace lineformat;

// Blanks after an item, up to the next tab stop (at least one).
char* padToNextColumn(char* lineStart, char* p) {
    const auto w = static_cast<std::size_t>(reportColumnWidth);
    const std::size_t blanks = w - static_cast<std::size_t>(p - lineStart) % w;
    std::memset(p, ' ', blanks);
    return p + blanks;
}

char* endLine(char* p) {
    *p++ = '\r';
    *p++ = '\n';
    return p;
}

} // namespace

void appendNumberText(std::string& out, double v, char sep) {
    char buf[maxLine];
    out.append(buf, putNumber(buf, v, sep));
}

void appendReadingText(std::string& out, double v, Unit unit, bool testInvalid, char sep, bool leadingZero) {
    char buf[maxLine];
    out.append(buf, putReading(buf, v, unit, testInvalid, sep, leadingZero));
}

void writeSamplesReport(SafeFileWriter& out, const SharedState& state, const LocalDateTime& now,
                        const Regional& regional) {
    std::string line = reportTitle;
    line.append(static_cast<std::size_t>(reportColumnWidth) - line.size() % reportColumnWidth, ' ');
    appendWindows1252(line, dateText(now));
    line.append(static_cast<std::size_t>(reportColumnWidth) - line.size() % reportColumnWidth, ' ');
    appendWindows1252(line, timeText(now, regional));
    line += "\r\n";
    line += reportHeading;
    line += "\r\n";
    out.write(line);

    const char sep = regional.decimalSeparator;
    const std::int32_t count = state.liveRecordCount;
    for (std::int32_t n = 1; n <= count && n <= LiveRecordStore::capacity; ++n) {
        const LiveRecord& r = state.liveRecords[n];
        char* const start = out.reserve(maxLine);
        char* p = std::to_chars(start, start + 16, r.no).ptr;
        p = padToNextColumn(start, p);
        p = putText(p, r.dateText.view());
        p = padToNextColumn(start, p);
        p = putText(p, r.timeText.view());
        p = padToNextColumn(start, p);
        p = putReading(p, r.velocity, r.velocityUnit, true, sep, true);
        p = padToNextColumn(start, p);
        p = putReading(p, r.temperature, r.temperatureUnit, true, sep, true);
        p = padToNextColumn(start, p);
        p = putReading(p, r.flow, r.flowUnit, true, sep, true);
        p = padToNextColumn(start, p);
        p = putReading(p, r.area, r.areaUnit, false, sep, true);
        out.advance(endLine(p));
    }
}

bool saveSamplesReport(const std::string& path, const SharedState& state, const LocalDateTime& now,
                       const Regional& regional) {
    SafeFileWriter out(path);
    if (!out.open()) return false;
    writeSamplesReport(out, state, now, regional);
    return out.commit();
}

} // namespace meter

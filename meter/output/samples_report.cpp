#include "output/samples_report.h"

#include "core/number_text.h"
#include "output/safe_file.h"
#include "output/text_encoding.h"

#include <charconv>

namespace meter {

namespace {

// Blanks after an item, up to the next tab stop (at least one).
void padToNextColumn(std::string& line) {
    const std::size_t w = static_cast<std::size_t>(reportColumnWidth);
    line.append(w - line.size() % w, ' ');
}

void endLine(SafeFileWriter& out, std::string& line) {
    line += "\r\n";
    out.write(line);
    line.clear();
}

} // namespace

void appendReadingText(std::string& out, double v, Unit unit, bool testInvalid, char sep, bool leadingZero) {
    if (testInvalid && v >= invalidReading) {
        out += "----";
    } else {
        std::string text = numberText(v, sep);
        if (leadingZero && v < 1.0) text = withLeadingZero(std::move(text));
        appendWindows1252(out, text);
    }
    appendWindows1252(out, unitText(unit));
}

void writeSamplesReport(SafeFileWriter& out, const SharedState& state, const LocalDateTime& now,
                        const Regional& regional) {
    std::string line;
    line.reserve(256);

    line += reportTitle;
    padToNextColumn(line);
    appendWindows1252(line, dateText(now));
    padToNextColumn(line);
    appendWindows1252(line, timeText(now, regional));
    endLine(out, line);

    line += reportHeading;
    endLine(out, line);

    const char sep = regional.decimalSeparator;
    const std::int32_t count = state.liveRecordCount;
    for (std::int32_t n = 1; n <= count && n <= LiveRecordStore::capacity; ++n) {
        const LiveRecord& r = state.liveRecords[n];
        char num[16];
        const auto res = std::to_chars(num, num + sizeof num, r.no);
        line.append(num, res.ptr);
        padToNextColumn(line);
        appendWindows1252(line, r.dateText.view());
        padToNextColumn(line);
        appendWindows1252(line, r.timeText.view());
        padToNextColumn(line);
        appendReadingText(line, r.velocity, r.velocityUnit, true, sep, true);
        padToNextColumn(line);
        appendReadingText(line, r.temperature, r.temperatureUnit, true, sep, true);
        padToNextColumn(line);
        appendReadingText(line, r.flow, r.flowUnit, true, sep, true);
        padToNextColumn(line);
        appendReadingText(line, r.area, r.areaUnit, false, sep, true);
        endLine(out, line);
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

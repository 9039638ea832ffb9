#include "output/samples_report.h"

#include "output/line_format.h"
#include "output/safe_file.h"
#include "core/text_encoding.h"

#include <charconv>
#include <cstring>

namespace meter {

namespace {

using namespace lineformat;

// The tab stops of one line, every 14 characters from its start.
class TabStops {
public:
    explicit TabStops(char* lineStart) : next_(lineStart + reportColumnWidth) {}

    // Blanks after an item that ends at p, up to the next stop beyond it (at
    // least one blank).
    char* pad(char* p) {
        while (next_ <= p) next_ += reportColumnWidth;
        while (p < next_) *p++ = ' ';
        return p;
    }

private:
    char* next_;
};

char* endLine(char* p) {
    *p++ = '\r';
    *p++ = '\n';
    return p;
}

} // namespace

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

    const LineFormat format(regional.decimalSeparator, regional.timeFormat);
    const std::int32_t count = state.liveRecordCount;
    for (std::int32_t n = 1; n <= count && n <= LiveRecordStore::capacity; ++n) {
        const LiveRecord& r = state.liveRecords[n];
        char* const start = out.reserve(maxLine);
        TabStops stops(start);
        char* p = std::to_chars(start, start + 16, r.no).ptr;
        p = stops.pad(p);
        p = format.date(p, r.dateText);
        p = stops.pad(p);
        p = format.time(p, r.timeText);
        p = stops.pad(p);
        p = format.reading(p, r.velocity, r.velocityUnit, true, true);
        p = stops.pad(p);
        p = format.reading(p, r.temperature, r.temperatureUnit, true, true);
        p = stops.pad(p);
        p = format.reading(p, r.flow, r.flowUnit, true, true);
        p = stops.pad(p);
        p = format.reading(p, r.area, r.areaUnit, false, true);
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

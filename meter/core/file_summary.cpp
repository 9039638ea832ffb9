#include "core/file_summary.h"

#include "core/number_text.h"

#include <algorithm>

namespace meter {

FileExtremes fileExtremes(const FileRecordStore& records, std::int32_t count) {
    FileExtremes e;
    double largest = records[1].value, smallest = largest;
    const std::int32_t last = std::min(count, FileRecordStore::capacity);
    for (std::int32_t n = 2; n <= last; ++n) {
        const double v = records[n].value;
        if (v > largest) {
            largest = v;
            e.largest = n;
        }
        if (v < smallest) {
            smallest = v;
            e.smallest = n;
        }
    }
    return e;
}

namespace {

std::string extremeText(const FileRecord& r, char sep) {
    std::string text = numberText(r.value, sep);
    text += "   (";
    text += r.timeText.view();
    text += ')';
    return text;
}

} // namespace

std::optional<FileSummary> fileSummary(const FileRecordStore& records, std::int32_t count, char sep) {
    if (count < 1) return std::nullopt;
    count = std::min(count, FileRecordStore::capacity);
    const FileExtremes e = fileExtremes(records, count);
    return FileSummary{std::string(records[1].timeText.view()), std::to_string(count),
                       extremeText(records[e.largest], sep), extremeText(records[e.smallest], sep)};
}

} // namespace meter

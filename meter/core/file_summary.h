// The summary of the data file read last, as the graph window shows it.
#pragma once

#include "core/shared_state.h"

#include <cstdint>
#include <optional>
#include <string>

namespace meter {

// Slots of the records with the largest and the smallest value among records
// 1..count (count >= 1); of equal values the first one is named.
struct FileExtremes {
    std::int32_t largest = 1;
    std::int32_t smallest = 1;
};
FileExtremes fileExtremes(const FileRecordStore& records, std::int32_t count);

// The texts of the summary boxes, in UTF-8.
struct FileSummary {
    std::string startTimeText; // starttimetext: record 1's time
    std::string countText;     // NumberofAlltext: the number of records
    std::string maxText;       // MaxofAll: "<largest value>   (<its time>)"
    std::string minText;       // MinofAll: the same for the smallest value
};

// The summary of records 1..count, values in the general number form with the
// regional decimal separator; nothing when no record was read (count < 1).
std::optional<FileSummary> fileSummary(const FileRecordStore& records, std::int32_t count, char decimalSeparator);

} // namespace meter

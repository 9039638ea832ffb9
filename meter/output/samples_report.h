// The samples report: every live record of the run as a text file in
// Windows-1252 with CR LF line ends, written one line at a time.
//
// Line 1: "Samples Report", the date "DD-MM-YYYY", the time of day.
// Line 2: the heading "NO.   DATE   TIME   VELOCITY   TEMPERATURE   FLOW   AREA".
// Then one line per record: number, date, time, velocity, temperature, flow, area.
//
// Items within a line stand at tab stops every 14 characters: after each item
// but the last, blanks are added up to the next multiple of 14 characters from
// the start of the line, and at least one blank, so that an item of 14 or more
// characters still has one blank (up to 14) after it. The last item of a line
// has no blanks after it. The heading is the one item of line 2.
#pragma once

#include "core/regional.h"
#include "core/shared_state.h"

#include <string>

namespace meter {

class SafeFileWriter;

inline constexpr int reportColumnWidth = 14;
inline constexpr const char* reportTitle = "Samples Report";
inline constexpr const char* reportHeading = "NO.   DATE   TIME   VELOCITY   TEMPERATURE   FLOW   AREA";

// Writes the whole report of records 1 to liveRecordCount to `out`.
void writeSamplesReport(SafeFileWriter& out, const SharedState& state, const LocalDateTime& now,
                        const Regional& regional);

// Writes the report to `path` (file system encoding) in one go, replacing the
// file only when it is complete. False when the file could not be written;
// a file already under that name is then left as it was.
bool saveSamplesReport(const std::string& path, const SharedState& state, const LocalDateTime& now,
                       const Regional& regional);

} // namespace meter

// The CSV export: every live record of the run as comma-separated text in
// Windows-1252 with CR LF line ends, written one line at a time.
//
// Header: "NO.","DATE","TIME","VELOCITY","TEMPERATURE","FLOW","AREA"
// Record: 1,"DD-MM-YYYY","time","velocity","temperature","flow","area"
// The record number is bare, every other field quoted; the reading texts are
// written as they come (no "0" is put before a leading separator), so a ","
// separator stays inside its quotes.
#pragma once

#include "core/regional.h"
#include "core/shared_state.h"

#include <string>

namespace meter {

class SafeFileWriter;

void writeSampleCsv(SafeFileWriter& out, const SharedState& state, const Regional& regional);

// Writes the file to `path` in one go, replacing it only when complete.
// False when the file could not be written; an existing file then stays.
bool saveSampleCsv(const std::string& path, const SharedState& state, const Regional& regional);

} // namespace meter

// Building the lines of the report and the CSV file straight into the file
// writer's buffer: the number texts, reading texts and Windows-1252 texts.
#pragma once

#include "core/shared_state.h"

#include <cstddef>
#include <string_view>

namespace meter::lineformat {

// Room enough for any one line of either file: the longest number text (a
// tiny or huge value written out in full) is below 400 characters.
inline constexpr std::size_t maxLine = 4096;

// numberText(v, sep) written at p; returns the end.
char* putNumber(char* p, double v, char sep);

// The reading text: "----" and the unit for a velocity, temperature or flow
// (testInvalid) at or above invalidReading, else the number text and the unit;
// with leadingZero a value below 1 whose text begins with "." gets a "0".
char* putReading(char* p, double v, Unit unit, bool testInvalid, char sep, bool leadingZero);

// A UTF-8 text in Windows-1252.
char* putText(char* p, std::string_view utf8);

} // namespace meter::lineformat

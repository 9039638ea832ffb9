// Building the lines of the report and the CSV file straight into the file
// writer's buffer: the number texts, reading texts, times and Windows-1252
// texts. What every line needs (the unit texts and the time format in the
// code page, the decimal separator) is prepared once per file.
#pragma once

#include "core/number_text.h"
#include "core/regional.h"
#include "core/shared_state.h"

#include <array>
#include <cstddef>
#include <string>

namespace meter::lineformat {

// Room enough for any one line of either file: seven items, the longest
// number text (a tiny or huge value written out in full) below 400
// characters, a time text of at most TimeFormat::maxTextLength bytes, and the
// blanks, quotes and commas between them.
inline constexpr std::size_t maxLine = 4096;
static_assert(maxLine >= 4 * (numberTextMax + 16) + TimeFormat::maxTextLength + 256);

class LineFormat {
public:
    // `timeFormat` is the form of the records' times.
    LineFormat(char decimalSeparator, const TimeFormat& timeFormat);

    char separator() const { return sep_; }

    // The reading text: "----" and the unit for a velocity, temperature or
    // flow (testInvalid) at or above invalidReading, else the number text and
    // the unit; with leadingZero a value below 1 whose text begins with "."
    // gets a "0".
    char* reading(char* p, double v, Unit unit, bool testInvalid, bool leadingZero) const;

    // A record's date text, in Windows-1252.
    char* date(char* p, const FixedText<10>& d) const;

    // A record's time of day, in Windows-1252.
    char* time(char* p, TimeOfDay t) const { return time1252_.write(p, t); }

private:
    char sep_;
    TimeFormat time1252_;
    std::array<std::string, unitCount> units_; // in the code page
};

} // namespace meter::lineformat

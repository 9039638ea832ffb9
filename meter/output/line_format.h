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
#include <cstdint>
#include <cstring>
#include <string_view>

namespace meter::lineformat {

// Room enough for any one line of either file: seven items, the longest
// number text (a tiny or huge value written out in full) below 400
// characters, a time text of at most TimeFormat::maxTextLength bytes, and the
// blanks, quotes and commas between them.
inline constexpr std::size_t maxLine = 4096;
static_assert(maxLine >= 4 * (numberTextMax + 16) + TimeFormat::maxTextLength + 256);

// A UTF-8 text in Windows-1252.
char* putText(char* p, std::string_view utf8);

class LineFormat {
public:
    // `timeFormat` is the form of the records' times.
    LineFormat(char decimalSeparator, const TimeFormat& timeFormat);

    char separator() const { return sep_; }

    // The reading text: "----" and the unit for a velocity, temperature or
    // flow (testInvalid) at or above invalidReading, else the number text and
    // the unit; with leadingZero a value below 1 whose text begins with "."
    // gets a "0".
    char* reading(char* p, double v, Unit unit, bool testInvalid, bool leadingZero) const {
        if (testInvalid && v >= invalidReading) {
            std::memcpy(p, "----", 4);
            p += 4;
        } else {
            char* const start = p;
            p = writeNumberText(p, v, sep_);
            if (leadingZero && v < 1.0 && *start == '.') { // the report's rule (withLeadingZero)
                std::memmove(start + 1, start, static_cast<std::size_t>(p - start));
                *start = '0';
                ++p;
            }
        }
        const UnitBytes& u = units_[static_cast<std::size_t>(unit) < unitCount ? static_cast<std::size_t>(unit) : 0];
        std::memcpy(p, u.bytes, sizeof u.bytes);
        return p + u.size;
    }

    // A record's date text, in Windows-1252.
    char* date(char* p, const FixedText<10>& d) const {
        std::memcpy(p, d.data, sizeof d.data);
        // All ten bytes are looked at: one of 0x80 or above, in the text or
        // left behind it, sends the text the long way.
        std::uint64_t head = 0;
        std::uint16_t tail = 0;
        std::memcpy(&head, d.data, 8);
        std::memcpy(&tail, d.data + 8, 2);
        if (((head | tail) & 0x8080808080808080u) != 0) return putText(p, d.view());
        return p + d.len;
    }

    // A record's time of day, in Windows-1252.
    char* time(char* p, TimeOfDay t) const { return time1252_.write(p, t); }

private:
    // A unit text in the code page, copied in one move.
    struct UnitBytes {
        char bytes[8] = {};
        std::size_t size = 0;
    };

    char sep_;
    TimeFormat time1252_;
    std::array<UnitBytes, unitCount> units_{};
};

} // namespace meter::lineformat

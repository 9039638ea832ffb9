#include "output/line_format.h"

#include "core/text_encoding.h"

#include <cstring>
#include <string>
#include <string_view>

namespace meter::lineformat {

namespace {

// Byte by byte: the texts are short.
char* put(char* p, std::string_view s) {
    for (const char c : s) *p++ = c;
    return p;
}

} // namespace

LineFormat::LineFormat(char decimalSeparator, const TimeFormat& timeFormat)
    : sep_(decimalSeparator), time1252_(timeFormat.converted(&toWindows1252)) {
    for (std::size_t u = 0; u < unitCount; ++u) units_[u] = toWindows1252(unitText(static_cast<Unit>(u)));
}

char* LineFormat::reading(char* p, double v, Unit unit, bool testInvalid, bool leadingZero) const {
    if (testInvalid && v >= invalidReading) {
        p = put(p, "----");
    } else {
        char* const start = p;
        p = writeNumberText(p, v, sep_);
        if (leadingZero && v < 1.0 && *start == '.') { // the report's rule (withLeadingZero)
            std::memmove(start + 1, start, static_cast<std::size_t>(p - start));
            *start = '0';
            ++p;
        }
    }
    const auto u = static_cast<std::size_t>(unit);
    return put(p, units_[u < unitCount ? u : 0]);
}

char* LineFormat::date(char* p, const FixedText<10>& d) const { return writeWindows1252(p, d.view()); }

} // namespace meter::lineformat

#include "output/line_format.h"

#include "core/number_text.h"
#include "core/text_encoding.h"

#include <array>
#include <cstring>
#include <string>

namespace meter::lineformat {

namespace {

constexpr std::size_t unitCount = static_cast<std::size_t>(Unit::SquareFeet) + 1;

// The unit texts in Windows-1252, in the order of Unit, converted once.
const std::array<std::string, unitCount>& unitTexts1252() {
    static const std::array<std::string, unitCount> texts = [] {
        std::array<std::string, unitCount> t;
        for (std::size_t u = 0; u < unitCount; ++u) t[u] = toWindows1252(unitText(static_cast<Unit>(u)));
        return t;
    }();
    return texts;
}

char* putBytes(char* p, std::string_view s) {
    std::memcpy(p, s.data(), s.size());
    return p + s.size();
}

} // namespace

char* putNumber(char* p, double v, char sep) { return writeNumberText(p, v, sep); }

char* putReading(char* p, double v, Unit unit, bool testInvalid, char sep, bool leadingZero) {
    if (testInvalid && v >= invalidReading) {
        p = putBytes(p, "----");
    } else {
        char* start = p;
        p = putNumber(p, v, sep);
        // The report's rule (withLeadingZero) for a value below 1.
        if (leadingZero && v < 1.0 && p > start && *start == '.') {
            std::memmove(start + 1, start, static_cast<std::size_t>(p - start));
            *start = '0';
            ++p;
        }
    }
    const auto u = static_cast<std::size_t>(unit);
    if (u < unitCount) p = putBytes(p, unitTexts1252()[u]);
    return p;
}

char* putText(char* p, std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return putBytes(p, toWindows1252(s));
    return putBytes(p, s);
}

} // namespace meter::lineformat

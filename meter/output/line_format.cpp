#include "output/line_format.h"

#include "core/text_encoding.h"

#include <algorithm>
#include <string>

namespace meter::lineformat {

LineFormat::LineFormat(char decimalSeparator, const TimeFormat& timeFormat)
    : sep_(decimalSeparator), time1252_(timeFormat.converted(&toWindows1252)) {
    for (std::size_t u = 0; u < unitCount; ++u) {
        // The unit texts are at most 6 characters.
        const std::string text = toWindows1252(unitText(static_cast<Unit>(u)));
        units_[u].size = std::min(text.size(), sizeof units_[u].bytes);
        std::memcpy(units_[u].bytes, text.data(), units_[u].size);
    }
}

char* putText(char* p, std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) {
            const std::string t = toWindows1252(s);
            std::memcpy(p, t.data(), t.size());
            return p + t.size();
        }
    std::memcpy(p, s.data(), s.size());
    return p + s.size();
}

} // namespace meter::lineformat

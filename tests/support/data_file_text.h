// Data file text as a logger writes it, for the tests and benchmarks that read
// one: the separator line, the four lines before the records, record lines.
#pragma once

#include <string>
#include <string_view>

namespace testsupport {

// Line 3: 56 underscores.
inline const std::string kDataFileSeparator(56, '_');

// Lines 1 to 4: two title lines, the separator, the column heading.
inline std::string dataFileHead() {
    return "SOUND LEVEL METER\r\nData\r\n" + kDataFileSeparator + "\r\nNo.  Time  Value  Unit\r\n";
}

// A record line: number in columns 1-13, time in 15-25, value in 27-39, unit
// from 43 on, then CR LF.
inline std::string dataFileLine(std::string_view no, std::string_view time, std::string_view value,
                                std::string_view unit) {
    const auto right = [](std::string_view s, std::size_t width) {
        return std::string(width > s.size() ? width - s.size() : 0, ' ') + std::string(s);
    };
    const auto left = [](std::string_view s, std::size_t width) {
        return std::string(s) + std::string(width > s.size() ? width - s.size() : 0, ' ');
    };
    return right(no, 13) + " " + left(time, 11) + " " + right(value, 13) + "   " + std::string(unit) + "\r\n";
}

} // namespace testsupport

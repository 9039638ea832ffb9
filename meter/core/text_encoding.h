// Our texts are kept in UTF-8; the files we write are in Windows-1252, where
// the degree sign of "°C" is the single byte 0xB0.
#pragma once

#include <string>
#include <string_view>

namespace meter {

// Appends `utf8` to `out` in Windows-1252. A character the code page lacks,
// and any malformed UTF-8 sequence, becomes "?".
void appendWindows1252(std::string& out, std::string_view utf8);

std::string toWindows1252(std::string_view utf8);

} // namespace meter

namespace meter {

// Windows-1252 bytes as UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// number, as the system's own conversion makes them.
std::string fromWindows1252(std::string_view cp1252);

} // namespace meter

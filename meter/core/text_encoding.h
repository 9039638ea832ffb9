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

// Our texts are kept in UTF-8; the files we write and read are in
// Windows-1252, where the degree sign of "°C" is the single byte 0xB0.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace meter {

// Appends `utf8` to `out` in Windows-1252. A character the code page lacks,
// and any malformed UTF-8 sequence, becomes "?".
void appendWindows1252(std::string& out, std::string_view utf8);

// The same written at `out`, which has room for utf8.size() bytes (no
// character takes more bytes in the code page than in UTF-8); returns the end.
char* writeWindows1252(char* out, std::string_view utf8);

std::string toWindows1252(std::string_view utf8);

// The other way: Windows-1252 bytes as UTF-8. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same number (U+0081 ...), as the system's own conversion
// does, so that every byte stands for exactly one character.
// Writes at `out`, which has room for windows1252MaxUtf8 bytes per input
// byte, and returns the end.
inline constexpr std::size_t windows1252MaxUtf8 = 3;
char* writeFromWindows1252(char* out, std::string_view bytes);

std::string fromWindows1252(std::string_view bytes);

} // namespace meter

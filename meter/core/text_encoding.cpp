#include "core/text_encoding.h"

#include <cstdint>

namespace meter {

namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page has no character.
constexpr std::uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char byteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(static_cast<unsigned char>(cp));
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] != 0 && kHigh[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

char* writeWindows1252(char* out, std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            *out++ = s[i++];
            continue;
        }
        int len = 0;
        char32_t cp = 0;
        if ((b & 0xE0) == 0xC0) {
            len = 2;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4;
            cp = b & 0x07;
        }
        bool ok = len > 0 && i + static_cast<std::size_t>(len) <= n;
        for (int k = 1; ok && k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms are malformed too.
        if (ok && ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000))) ok = false;
        if (!ok) {
            *out++ = '?';
            ++i; // resynchronise on the next byte
            continue;
        }
        *out++ = byteFor(cp);
        i += static_cast<std::size_t>(len);
    }
    return out;
}

void appendWindows1252(std::string& out, std::string_view utf8) {
    const std::size_t size = out.size();
    out.resize(size + utf8.size());
    out.resize(static_cast<std::size_t>(writeWindows1252(out.data() + size, utf8) - out.data()));
}

std::string toWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    appendWindows1252(out, utf8);
    return out;
}

char* writeFromWindows1252(char* p, std::string_view bytes) {
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            *p++ = ch;
            continue;
        }
        const char32_t cp = b < 0xA0 && kHigh[b - 0x80] != 0 ? kHigh[b - 0x80] : b;
        if (cp < 0x800) {
            *p++ = static_cast<char>(0xC0 | (cp >> 6));
        } else {
            *p++ = static_cast<char>(0xE0 | (cp >> 12));
            *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        *p++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return p;
}

std::string fromWindows1252(std::string_view bytes) {
    std::string out(bytes.size() * windows1252MaxUtf8, '\0');
    out.resize(static_cast<std::size_t>(writeFromWindows1252(out.data(), bytes) - out.data()));
    return out;
}

} // namespace meter

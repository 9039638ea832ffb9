// Building meter frames in tests: a float goes in little-endian, bit for bit.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace testsupport {

// Works on FrameBytes and on std::vector<std::uint8_t> alike.
template <class Bytes>
void putFloat(Bytes& b, int offset, float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(offset + i)] = static_cast<std::uint8_t>(u >> (8 * i));
}

// A frame whose velocity (m/s) is the tag, so that the stored record tells which frame it was.
inline std::vector<std::uint8_t> frameOf(std::uint8_t tag) {
    std::vector<std::uint8_t> f(40, 0);
    putFloat(f, 10, tag);
    f[26] = 0x01;
    return f;
}

} // namespace testsupport

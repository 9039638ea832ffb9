// Building meter frames in tests: a float goes in little-endian, bit for bit.
#pragma once

#include <cstdint>
#include <cstring>

namespace testsupport {

// Works on FrameBytes and on std::vector<std::uint8_t> alike.
template <class Bytes>
void putFloat(Bytes& b, int offset, float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(offset + i)] = static_cast<std::uint8_t>(u >> (8 * i));
}

} // namespace testsupport

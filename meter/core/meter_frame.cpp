#include "meter_frame.h"

#include <cstring>

namespace meter {

float frameFloat(const FrameBytes& b, int offset) {
    const auto o = static_cast<std::size_t>(offset);
    const std::uint32_t bits = static_cast<std::uint32_t>(b[o]) | (static_cast<std::uint32_t>(b[o + 1]) << 8) |
                               (static_cast<std::uint32_t>(b[o + 2]) << 16) |
                               (static_cast<std::uint32_t>(b[o + 3]) << 24);
    float f;
    static_assert(sizeof f == sizeof bits);
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

MeterFrame decodeFrame(const FrameBytes& b) {
    MeterFrame f;
    f.displayValue1 = frameFloat(b, 2);
    f.displayValue2 = frameFloat(b, 6);
    f.velocitySI = frameFloat(b, 10);
    f.temperatureSI = frameFloat(b, 14);
    f.flowSI = frameFloat(b, 18);
    f.areaSI = frameFloat(b, 22);
    f.velocityUnitCode = b[26];
    f.flowUnitCode = b[27];
    f.areaUnitCode = b[28];
    f.temperatureUnitCode = b[29];
    f.statusFlags1 = b[30];
    f.statusFlags2 = b[31];
    f.statusFlags3 = b[32];
    f.blankFlags = b[33];
    f.meanFlags = b[34];
    f.secondLineFunction = b[35];
    f.clockMode = b[37];
    f.timeField1 = b[3];
    f.timeField2 = b[4];
    f.timeField3 = b[5];
    return f;
}

} // namespace meter

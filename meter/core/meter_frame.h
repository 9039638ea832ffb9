// The 40-byte block the meter sends for each reading.
#pragma once

#include <array>
#include <cstdint>

namespace meter {

inline constexpr int frameLength = 40;
using FrameBytes = std::array<std::uint8_t, frameLength>;

struct MeterFrame {
    float displayValue1 = 0;                                     // bytes 2-5
    float displayValue2 = 0;                                     // bytes 6-9
    float velocitySI = 0;                                        // m/s, bytes 10-13
    float temperatureSI = 0;                                     // °C, bytes 14-17
    float flowSI = 0;                                            // m³/min, bytes 18-21
    float areaSI = 0;                                            // m², bytes 22-25
    std::uint8_t velocityUnitCode = 0;                           // 26: low nibble unit, high nibble validity
    std::uint8_t flowUnitCode = 0;                               // 27
    std::uint8_t areaUnitCode = 0;                               // 28: whole byte
    std::uint8_t temperatureUnitCode = 0;                        // 29
    std::uint8_t statusFlags1 = 0;                               // 30
    std::uint8_t statusFlags2 = 0;                               // 31
    std::uint8_t statusFlags3 = 0;                               // 32
    std::uint8_t blankFlags = 0;                                 // 33
    std::uint8_t meanFlags = 0;                                  // 34
    std::uint8_t secondLineFunction = 0;                         // 35
    std::uint8_t clockMode = 0;                                  // 37
    std::uint8_t timeField1 = 0, timeField2 = 0, timeField3 = 0; // bytes 3, 4, 5
};

// Little-endian IEEE-754 float at offset n, bit for bit, whatever the host order.
float frameFloat(const FrameBytes& b, int offset);

MeterFrame decodeFrame(const FrameBytes& b);

// Low nibble of a unit byte.
inline int unitOf(std::uint8_t code) { return code & 0x0F; }
// High nibble exactly 1 marks the reading invalid.
inline bool isInvalid(std::uint8_t code) { return (code & 0xF0) == 0x10; }
inline bool flagSet(std::uint8_t byte, std::uint8_t mask) { return (byte & mask) == mask; }

} // namespace meter

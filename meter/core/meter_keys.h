// The meter's keys as the readout panel pictures them: the click areas over
// the pictured keys, their key codes, and the command a click sends.
#pragma once

#include "core/design_geometry.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace meter {

// One key area of the readout panel.
struct MeterKey {
    std::string_view area; // the area's design name, "Image1" .. "Image7"
    std::string_view key;  // the pictured key
    DesignRect rect;       // from the panel's top-left corner
    std::uint8_t keyCode;
    bool visible; // stored visible; MAX/MIN is stored hidden
};

// SET, MEAN, HOLD/ZERO in the upper row; MAX/MIN, FLOW/TEMP, ENTER in the
// lower row; the power key below.
inline constexpr std::array<MeterKey, 7> meterKeys = {{
    {"Image3", "SET", {600, 4200, 405, 360}, 0x09, true},
    {"Image6", "MEAN", {1200, 4200, 495, 375}, 0x0B, true},
    {"Image1", "HOLD/ZERO", {1920, 4200, 465, 405}, 0x05, true},
    {"Image5", "MAX/MIN", {600, 4680, 465, 480}, 0x0A, false},
    {"Image2", "FLOW/TEMP", {1200, 4680, 510, 495}, 0x06, true},
    {"Image4", "ENTER", {1800, 4680, 510, 450}, 0x0C, true},
    {"Image7", "power", {600, 6120, 570, 510}, 0x0D, true},
}};

// The key area of that design name, or nullptr.
const MeterKey* meterKeyByArea(std::string_view area);

// The PC-to-meter command, sent as one block of 3 bytes: the header 0xAA
// 0xBB, then the key's code.
struct KeyCommand {
    static constexpr std::array<std::uint8_t, 2> header = {0xAA, 0xBB};
    std::uint8_t keyCode = 0;

    std::array<std::uint8_t, 3> bytes() const { return {header[0], header[1], keyCode}; }
};

inline std::array<std::uint8_t, 3> keyCommand(std::uint8_t keyCode) { return KeyCommand{keyCode}.bytes(); }

} // namespace meter

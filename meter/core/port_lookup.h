// Choosing the meter's port from the serial device map.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace meter {

// The serial device map: value names (device names) with their data (port names).
struct SerialDeviceMap {
    struct Value {
        std::string name;
        std::string data;
    };
    std::vector<Value> values;

    // Data of the named value, at most 99 characters (a 100-byte buffer with its NUL).
    std::optional<std::string> query(const std::string& name) const;
};

enum class PortLookupError { None, KeyNotOpened, NoBridge };

struct PortLookup {
    PortLookupError error = PortLookupError::None;
    int commPort = 3; // 3 unless the port name is exactly one of "COM1".."COM16"
};

// The bridge's port: "\Device\silabser0", then "\Device\slabser0".
PortLookup lookUpPort(const std::optional<SerialDeviceMap>& map, int storedPort = 3);

// "COM1".."COM16" exactly and case-sensitively to 1..16; anything else keeps storedPort.
int portNumberFromName(const std::string& name, int storedPort = 3);

// The port picked in the connection dialog's list: "com1".."com5" exactly,
// letter case and blanks included, to 1..5; any other text ("other", "COM2",
// " com2", an empty text) gives port 3.
int portNumberFromChoice(const std::string& text);

} // namespace meter

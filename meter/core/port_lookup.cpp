#include "port_lookup.h"

namespace meter {

std::optional<std::string> SerialDeviceMap::query(const std::string& name) const {
    for (const Value& v : values) {
        if (v.name != name) continue;
        // Read into a 100-byte buffer: 99 characters and the terminating NUL.
        if (v.data.size() + 1 > 100) return std::nullopt;
        return v.data;
    }
    return std::nullopt;
}

namespace {

// k when text is exactly prefix followed by k (1..last, no leading zero);
// otherwise `otherwise`.
int numberedPort(const std::string& text, const std::string& prefix, int last, int otherwise) {
    for (int k = 1; k <= last; ++k)
        if (text == prefix + std::to_string(k)) return k;
    return otherwise;
}

} // namespace

int portNumberFromName(const std::string& name, int storedPort) { return numberedPort(name, "COM", 16, storedPort); }

int portNumberFromChoice(const std::string& text) { return numberedPort(text, "com", 5, 3); }

PortLookup lookUpPort(const std::optional<SerialDeviceMap>& map, int storedPort) {
    PortLookup r;
    r.commPort = storedPort;
    if (!map) {
        r.error = PortLookupError::KeyNotOpened;
        return r;
    }
    std::optional<std::string> data = map->query("\\Device\\silabser0");
    if (!data) data = map->query("\\Device\\slabser0");
    if (!data) {
        r.error = PortLookupError::NoBridge;
        return r;
    }
    r.commPort = portNumberFromName(*data, storedPort);
    return r;
}

} // namespace meter

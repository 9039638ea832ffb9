#include "serialcomm_map.h"

#include "platform/log.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <system_error>
#include <vector>

namespace meter {

namespace {

// "ttyUSB12" -> 12
std::optional<int> ttyUsbNumber(const std::string& name) {
    const std::string prefix = "ttyUSB";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    int k = 0;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    auto res = std::from_chars(first, last, k);
    if (res.ec != std::errc() || res.ptr != last || k < 0) return std::nullopt;
    return k;
}

bool drivenByCp210x(const std::filesystem::path& ttyDir) {
    std::error_code ec;
    const std::filesystem::path driver = std::filesystem::read_symlink(ttyDir / "device" / "driver", ec);
    return !ec && driver.filename() == "cp210x";
}

} // namespace

std::optional<SerialDeviceMap> readSerialDeviceMap(const std::filesystem::path& sysfsRoot) {
    std::error_code ec;
    const std::filesystem::path ttys = sysfsRoot / "class" / "tty";
    std::filesystem::directory_iterator it(ttys, ec);
    if (ec) {
        qCWarning(platformLog, "Cannot list the serial devices in %s: %s", ttys.c_str(), ec.message().c_str());
        return std::nullopt;
    }

    std::vector<int> bridges;
    for (const std::filesystem::directory_entry& e : it) {
        const std::optional<int> k = ttyUsbNumber(e.path().filename().string());
        if (k && drivenByCp210x(e.path())) bridges.push_back(*k);
    }
    std::sort(bridges.begin(), bridges.end());

    SerialDeviceMap map;
    for (std::size_t i = 0; i < bridges.size(); ++i)
        map.values.push_back({"\\Device\\silabser" + std::to_string(i), "COM" + std::to_string(bridges[i] + 1)});
    return map;
}

} // namespace meter

// The serial device map, built from the system's serial devices in place of
// the registry key "HARDWARE\DEVICEMAP\SERIALCOMM".
#pragma once

#include "core/port_lookup.h"

#include <filesystem>
#include <optional>

namespace meter {

// Every tty under <sysfsRoot>/class/tty whose device's driver is cp210x, in
// ascending order of its ttyUSB number, as "\Device\silabser0", "\Device\silabser1", …
// with the data "COM<k+1>" for /dev/ttyUSB<k>. No map when the folder can't be read.
std::optional<SerialDeviceMap> readSerialDeviceMap(const std::filesystem::path& sysfsRoot);

} // namespace meter

#include "core/meter_keys.h"

namespace meter {

const MeterKey* meterKeyByArea(std::string_view area) {
    for (const MeterKey& k : meterKeys)
        if (k.area == area) return &k;
    return nullptr;
}

} // namespace meter

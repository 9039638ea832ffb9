#include "core/zoom_band.h"

#include "core/number_reading.h"

#include <algorithm>

namespace meter {

std::optional<ZoomPoint> zoomPoint(float x, float y) {
    const std::optional<std::int32_t> rx = roundToInt32(x);
    const std::optional<std::int32_t> ry = roundToInt32(y);
    if (!rx || !ry) return std::nullopt;
    return ZoomPoint{*rx, *ry};
}

namespace {

std::int64_t distance(std::int32_t a, std::int32_t b) {
    const std::int64_t d = std::int64_t{a} - std::int64_t{b};
    return d < 0 ? -d : d;
}

} // namespace

ZoomBand zoomBand(ZoomPoint anchor, ZoomPoint corner) {
    return {std::min(anchor.x, corner.x), std::min(anchor.y, corner.y), distance(anchor.x, corner.x),
            distance(anchor.y, corner.y)};
}

} // namespace meter

// The zoom band of the graph's plot box: the anchor a left press sets, and
// the rectangle a move with the left button stretches from it, in whole
// pixels of the box.
#pragma once

#include <cstdint>
#include <optional>

namespace meter {

struct ZoomPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const ZoomPoint&) const = default;
};

// Left and top are a corner's coordinates; width and height the distances
// between two 32-bit coordinates, which can exceed 32 bits.
struct ZoomBand {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool operator==(const ZoomBand&) const = default;
};

// A mouse position in the box's pixels, each coordinate rounded to the
// nearest whole pixel, halves to the even neighbour (10.5 gives 10, 11.5
// gives 12, -10.5 gives -10). Nothing when a coordinate is not a number, is
// infinite, or lies outside the 32-bit range once rounded.
std::optional<ZoomPoint> zoomPoint(float x, float y);

// The rectangle between the anchor and the moving corner: left and top the
// smaller coordinates, width and height the distances (never negative).
// Equal x values give a width of 0 with left at the anchor; likewise for y.
ZoomBand zoomBand(ZoomPoint anchor, ZoomPoint corner);

} // namespace meter

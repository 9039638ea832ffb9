// The full scales of the graph's range list and the captions each gives the
// axis labels Label_Range1 .. Label_Range6 (Label_Range0 stays "0").
#pragma once

#include <array>
#include <string_view>

namespace meter {

struct GraphRange {
    std::string_view text;                    // the list item
    double range;                             // graphRange
    std::array<std::string_view, 6> captions; // Label_Range1 .. Label_Range6
};

// In the list's order.
extern const std::array<GraphRange, 12> graphRanges;

// The list item that the list starts with, "6000".
inline constexpr int startRangeIndex = 3;

// The full scale whose item text is exactly `listText`, or nullptr.
const GraphRange* findGraphRange(std::string_view listText);

} // namespace meter

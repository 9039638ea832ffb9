// Cutting a line segment to the part that can show in a box, so that a
// painter never gets coordinates far outside it, whatever the readings were.
#pragma once

#include "core/graph_geometry.h"

namespace meter {

struct ClipBox {
    double xmin, ymin, xmax, ymax;
};

// The plot box with a margin of 2 pixels on every side: a line cut there
// still ends beyond the box's edge, so its end caps never show.
inline constexpr ClipBox plotClipBox{-2, -2, graph::plotWidth + 2, graph::plotHeight + 2};

// Cuts the segment (x1, y1)-(x2, y2) to `box`, in place, keeping its
// direction. Returns false when no part of it lies in the box, or when a y is
// not a number. An infinite y (a reading beyond the range of a float) is taken
// as a point very far away in its direction.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, const ClipBox& box = plotClipBox);

} // namespace meter

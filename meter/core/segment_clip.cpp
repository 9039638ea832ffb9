#include "core/segment_clip.h"

#include <algorithm>
#include <cmath>

namespace meter {

bool clipSegment(double& x1, double& y1, double& x2, double& y2, const ClipBox& box) {
    if (std::isnan(y1) || std::isnan(y2)) return false;
    constexpr double far = 1e9;
    y1 = std::clamp(y1, -far, far);
    y2 = std::clamp(y2, -far, far);
    // Liang-Barsky: the part of the segment x1 + t dx, y1 + t dy, 0 <= t <= 1,
    // that lies on the inner side of all four edges.
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - box.xmin, box.xmax - x1, y1 - box.ymin, box.ymax - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double nx1 = x1 + t0 * dx, ny1 = y1 + t0 * dy;
    const double nx2 = x1 + t1 * dx, ny2 = y1 + t1 * dy;
    x1 = nx1;
    y1 = ny1;
    x2 = nx2;
    y2 = ny2;
    return true;
}

} // namespace meter

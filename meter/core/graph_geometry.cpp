#include "core/graph_geometry.h"

#include "core/float_narrowing.h"

#include <algorithm>
#include <cmath>

namespace meter {

namespace {

double valueOf(const LiveRecord& r, GraphSeries s) {
    switch (s) {
    case GraphSeries::Velocity: return r.velocity;
    case GraphSeries::Temperature: return r.temperature;
    case GraphSeries::Flow: return r.flow;
    case GraphSeries::Area: return r.area;
    }
    return 0;
}

bool switchOf(const SharedState& s, GraphSeries g) {
    switch (g) {
    case GraphSeries::Velocity: return s.showVelocity;
    case GraphSeries::Temperature: return s.showTemperature;
    case GraphSeries::Flow: return s.showFlow;
    case GraphSeries::Area: return s.showArea;
    }
    return false;
}

// Which segments a view leaves out. Area is never tested.
enum class RangeRule { None, AboveRange, NotBelowRange };

bool leftOut(RangeRule rule, double newer, double older, double range) {
    switch (rule) {
    case RangeRule::None: return false;
    case RangeRule::AboveRange: return newer > range || older > range;
    case RangeRule::NotBelowRange: return !(newer < range) || !(older < range);
    }
    return false;
}

void resetLines(GraphGeometry& out) {
    for (GraphSeriesLine& l : out.series) {
        l.shown = false;
        l.count = 0;
    }
}

} // namespace

std::optional<ScrollRange> scrollRangeFor(std::int32_t n, bool historyView) {
    if (n <= graph::screenRecords) return std::nullopt;
    const int k = n / graph::screenRecords;
    ScrollRange r;
    r.min = 1;
    r.max = graph::scrollStepsPerScreen * k + 1;
    if (!historyView) r.moveValue = r.max;
    return r;
}

float graphY(double v, double range) { return narrowToFloat(graph::baseline - v * graph::baseline / range); }

void computeGraphGeometry(const SharedState& s, const TimeFormat& timeFormat, int scrollValue, GraphGeometry& out) {
    out.view = GraphView::None;
    out.base = 0;
    out.count = 0;
    out.labels.reset();
    resetLines(out);

    const std::int32_t stored = std::clamp<std::int32_t>(s.liveRecordCount, 0, LiveRecordStore::capacity);
    if (stored < 2) return;

    GraphView view;
    std::int64_t b;
    std::int64_t n;
    if (!s.historyView && stored <= graph::screenRecords) {
        view = GraphView::FirstPage;
        b = 0;
        n = stored;
    } else if (!s.historyView) {
        view = GraphView::PagedLive;
        b = static_cast<std::int64_t>(graph::screenRecords) * (stored / graph::screenRecords);
        n = stored - b;
        if (n < 2) return;
    } else {
        view = GraphView::History;
        b = (static_cast<std::int64_t>(scrollValue) - 1) * graph::scrollStep;
        n = std::min<std::int64_t>(stored - b, graph::screenRecords);
        // A position outside the store shows nothing (the scroll range never
        // allows one).
        if (b < 0 || n < 1) return;
    }

    out.view = view;
    out.base = static_cast<std::int32_t>(b);
    out.count = static_cast<std::int32_t>(n);
    const std::int32_t base = out.base;
    const std::int32_t cnt = out.count;
    const double range = s.graphRange;

    for (int si = 0; si < graph::seriesCount; ++si) {
        const auto g = static_cast<GraphSeries>(si);
        GraphSeriesLine& line = out.series[static_cast<std::size_t>(si)];
        line.shown = switchOf(s, g);
        if (!line.shown) continue;

        RangeRule rule = RangeRule::None;
        if (g != GraphSeries::Area) {
            if (view == GraphView::FirstPage) rule = RangeRule::AboveRange;
            else if (view == GraphView::PagedLive) rule = RangeRule::NotBelowRange;
        }

        int k = 0;
        for (std::int32_t l = 1; l <= cnt; ++l) {
            const std::int32_t newerNo = base + l;
            std::int32_t olderNo = base + l - 1;
            bool stub = false;
            if (olderNo == 0) { // record 1 with nothing before it
                olderNo = 1;
                stub = true;
            }
            const double newer = valueOf(s.liveRecords[newerNo], g);
            const double older = valueOf(s.liveRecords[olderNo], g);
            GraphSegment& seg = line.segments[static_cast<std::size_t>(k++)];
            seg.position = static_cast<std::int16_t>(l);
            // The first page's stub is drawn without a range test.
            const bool firstPageStub = stub && view == GraphView::FirstPage;
            seg.drawn = firstPageStub || !leftOut(rule, newer, older, range);
            seg.x1 = graph::xStep * l;
            seg.y1 = graphY(newer, range);
            seg.x2 = graph::xStep * (l - 1);
            seg.y2 = graphY(older, range);
        }
        line.count = k;
    }

    auto& labels = out.labels.emplace();
    for (int i = 0; i < graph::labelCount; ++i) {
        const int p = graph::labelPositions[static_cast<std::size_t>(i)];
        GraphLabelText& label = labels[static_cast<std::size_t>(i)];
        char* const start = label.data.data();
        char* end = start;
        if (cnt >= p) end = timeFormat.write(start, s.liveRecords[base + p].timeText);
        else *end++ = ' ';
        label.size = static_cast<std::uint16_t>(end - start);
    }
}

} // namespace meter

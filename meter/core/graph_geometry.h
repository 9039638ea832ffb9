// What one redraw of the real-time graph shows: which screenful of records,
// the line segments of each switched-on series in plot-box pixels, and the
// texts of the five time labels under the plot.
//
// The computation is a pure function of the record store, the graph settings
// and the scroll bar's position; it keeps nothing between calls. The result
// has a fixed capacity (one screen of 210 segments per series), so a redraw
// allocates nothing.
#pragma once

#include "core/shared_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace meter {

namespace graph {
inline constexpr int plotWidth = 632; // plot box, pixels
inline constexpr int plotHeight = 356;
inline constexpr int baseline = 354; // y of the value 0
inline constexpr int screenRecords = 210;
inline constexpr int scrollStep = 21;                                   // records per scroll position
inline constexpr int scrollStepsPerScreen = screenRecords / scrollStep; // 10
inline constexpr int xStep = 3;                                         // pixels per record
inline constexpr int seriesCount = 4;
inline constexpr int labelCount = 5;
// Screen positions under the five time labels LabelB0..LabelB4.
inline constexpr std::array<int, labelCount> labelPositions = {1, 52, 105, 157, 210};
} // namespace graph

// The history scroll bar after a record: Min, Max and, unless the user has
// scrolled back, the new Value.
struct ScrollRange {
    int min = 1;
    int max = 1;
    std::optional<int> moveValue;
};

// Empty while one screen (210 records) or less is stored. Past it, with
// k = recordCount / 210 whole screens, Max is 10k + 1: the position of the
// screen that begins after record 210k, the newest one.
std::optional<ScrollRange> scrollRangeFor(std::int32_t recordCount, bool historyView);

enum class GraphView : std::uint8_t {
    None,      // fewer than two records, or a new screen with one record: empty plot
    FirstPage, // live, at most 210 records stored
    PagedLive, // live, more than 210 records: the newest, partly filled screen
    History,   // scrolled back to the screen the scroll bar selects
};

// Series in drawing order.
enum class GraphSeries : std::uint8_t { Velocity = 0, Temperature = 1, Flow = 2, Area = 3 };

// One segment, from the newer record at screen position `position` to the
// older one at position - 1. y may lie far outside the box (huge readings
// give huge or infinite values); the painter clips.
struct GraphSegment {
    std::int16_t position = 0; // l, 1..210
    bool drawn = false;        // false: left out by the view's range rule
    int x1 = 0;                // 3 * l
    float y1 = 0;              // y of the newer record
    int x2 = 0;                // 3 * (l - 1)
    float y2 = 0;              // y of the older record
};

struct GraphSeriesLine {
    bool shown = false; // its switch is on
    int count = 0;      // segments used in `segments`, drawn and left out alike
    std::array<GraphSegment, graph::screenRecords> segments{};
};

// The text of one time label, kept in the geometry itself so that a redraw
// allocates nothing.
struct GraphLabelText {
    std::array<char, TimeFormat::maxTextLength> data{};
    std::uint16_t size = 0;

    std::string_view view() const { return {data.data(), size}; }
    operator std::string_view() const { return view(); }
};

struct GraphGeometry {
    GraphView view = GraphView::None;
    std::int32_t base = 0;  // b: the screen shows records b + 1 .. b + n
    std::int32_t count = 0; // n
    std::array<GraphSeriesLine, graph::seriesCount> series{};
    // The texts for LabelB0..LabelB4: the time of the record under each, in
    // the user's time format, or " " where the screen has no record yet;
    // nullopt: leave the labels as they are.
    std::optional<std::array<GraphLabelText, graph::labelCount>> labels;

    const GraphSeriesLine& line(GraphSeries s) const { return series[static_cast<int>(s)]; }
};

// y of a value in the plot box: 354 - v * 354 / range in double, handed on as
// a float. Beyond the range of a float the result is +/- infinity; NaN stays NaN.
float graphY(double v, double range);

// Fills `out` with what the plot shows for the store and settings in `s` and
// the scroll bar position `scrollValue`; the time labels in `timeFormat`.
void computeGraphGeometry(const SharedState& s, const TimeFormat& timeFormat, int scrollValue, GraphGeometry& out);

} // namespace meter

#include "core/graph_geometry.h"

#include "record_fills.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace meter;

namespace {

// Velocity, temperature, flow and area of record n: distinct, below 6000.
double velocityOf(int n) { return 100 + n % 37; }
double temperatureOf(int n) { return 20 + n % 11; }
double flowOf(int n) { return 3000 + n % 53; }
double areaOf(int n) { return 1 + n % 5; }

class GraphGeometryTest : public ::testing::Test {
protected:
    void SetUp() override { initSharedState(s); }

    // Records 1 to count; record n is taken n seconds after midnight.
    void fill(int count) {
        for (int n = 1; n <= count; ++n)
            testsupport::setLiveRecord(s, n,
                                       {.velocity = velocityOf(n),
                                        .temperature = temperatureOf(n),
                                        .flow = flowOf(n),
                                        .area = areaOf(n),
                                        .time = testsupport::timeOfDayAt(n)});
        s.liveRecordCount = count;
    }

    const GraphGeometry& compute(int scrollValue = 1) {
        computeGraphGeometry(s, timeFormat, scrollValue, g);
        return g;
    }

    // Every shown series holds n segments from record b + l - 1 (record 1 for
    // the stub) to record b + l at x = 3l .. 3(l - 1).
    void expectSegmentsFollowRecords() {
        for (int si = 0; si < graph::seriesCount; ++si) {
            const GraphSeriesLine& line = g.series[static_cast<std::size_t>(si)];
            ASSERT_TRUE(line.shown);
            ASSERT_EQ(line.count, g.count) << "series " << si;
            for (int l = 1; l <= g.count; ++l) {
                const GraphSegment& seg = line.segments[static_cast<std::size_t>(l - 1)];
                const int newer = g.base + l;
                const int older = g.base + l - 1 == 0 ? 1 : g.base + l - 1;
                EXPECT_EQ(seg.position, l);
                EXPECT_EQ(seg.x1, 3 * l);
                EXPECT_EQ(seg.x2, 3 * (l - 1));
                EXPECT_TRUE(seg.drawn);
                EXPECT_EQ(seg.y1, graphY(valueAt(si, newer), s.graphRange)) << "l=" << l;
                EXPECT_EQ(seg.y2, graphY(valueAt(si, older), s.graphRange)) << "l=" << l;
            }
        }
    }

    double valueAt(int series, int n) const {
        const LiveRecord& r = s.liveRecords[n];
        switch (series) {
        case 0: return r.velocity;
        case 1: return r.temperature;
        case 2: return r.flow;
        default: return r.area;
        }
    }

    // Screen positions of the segments left out in one series.
    std::vector<int> leftOut(GraphSeries series) const {
        std::vector<int> out;
        const GraphSeriesLine& line = g.line(series);
        for (int i = 0; i < line.count; ++i)
            if (!line.segments[static_cast<std::size_t>(i)].drawn)
                out.push_back(line.segments[static_cast<std::size_t>(i)].position);
        return out;
    }

    // Labels as record numbers; 0 stands for " ".
    void expectLabels(std::array<int, 5> records) const {
        ASSERT_TRUE(g.labels.has_value());
        for (int i = 0; i < 5; ++i) {
            const std::string want = records[static_cast<std::size_t>(i)] == 0
                                         ? " "
                                         : testsupport::timeTextAt(records[static_cast<std::size_t>(i)]);
            EXPECT_EQ(std::string((*g.labels)[static_cast<std::size_t>(i)]), want) << "LabelB" << i;
        }
    }

    SharedState s;
    TimeFormat timeFormat;
    GraphGeometry g;
};

TEST(GraphScroll, RangeGrowsByTheScreen) {
    EXPECT_FALSE(scrollRangeFor(1, false));
    EXPECT_FALSE(scrollRangeFor(210, false));
    struct Case {
        int n;
        int max;
    };
    for (Case c : {Case{211, 11}, Case{419, 11}, Case{420, 21}, Case{50000, 2381}}) {
        auto r = scrollRangeFor(c.n, false);
        ASSERT_TRUE(r) << c.n;
        EXPECT_EQ(r->min, 1);
        EXPECT_EQ(r->max, c.max);
        EXPECT_EQ(r->moveValue, c.max);
        auto h = scrollRangeFor(c.n, true);
        ASSERT_TRUE(h);
        EXPECT_EQ(h->max, c.max);
        EXPECT_FALSE(h->moveValue);
    }
}

TEST(GraphY, MapsValuesAsThePlotBoxDoes) {
    EXPECT_EQ(graphY(0, 6000), 354.0f);
    EXPECT_EQ(graphY(6000, 6000), 0.0f);
    EXPECT_EQ(graphY(1000, 6000), 295.0f);
    EXPECT_EQ(graphY(-5, 10), 531.0f);
    const double v = 1234.567, range = 3000;
    EXPECT_EQ(graphY(v, range), static_cast<float>(354.0 - v * 354.0 / range));
    EXPECT_EQ(graphY(invalidReading, 10), static_cast<float>(354.0 - invalidReading * 354.0 / 10));
    // Far beyond the float range: infinity, never an out-of-range conversion.
    EXPECT_EQ(graphY(1e300, 10), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(graphY(-1e300, 10), std::numeric_limits<float>::infinity());
    EXPECT_EQ(graphY(std::numeric_limits<double>::infinity(), 10), -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(graphY(std::nan(""), 10)));
}

// The live views while records arrive.
TEST_F(GraphGeometryTest, LiveViewsOverTheRecordCount) {
    struct Case {
        int count;
        GraphView view;
        int base, n;
        bool labels;
        std::array<int, 5> labelRecords;
    };
    const Case cases[] = {
        {0, GraphView::None, 0, 0, false, {}},
        {1, GraphView::None, 0, 0, false, {}},
        {2, GraphView::FirstPage, 0, 2, true, {1, 0, 0, 0, 0}},
        {52, GraphView::FirstPage, 0, 52, true, {1, 52, 0, 0, 0}},
        {210, GraphView::FirstPage, 0, 210, true, {1, 52, 105, 157, 210}},
        {211, GraphView::None, 0, 0, false, {}},
        {212, GraphView::PagedLive, 210, 2, true, {211, 0, 0, 0, 0}},
        {419, GraphView::PagedLive, 210, 209, true, {211, 262, 315, 367, 0}},
        {420, GraphView::None, 0, 0, false, {}},
        {421, GraphView::None, 0, 0, false, {}},
        {422, GraphView::PagedLive, 420, 2, true, {421, 0, 0, 0, 0}},
        {50000, GraphView::PagedLive, 49980, 20, true, {49981, 0, 0, 0, 0}},
    };
    fill(50000);
    for (const Case& c : cases) {
        SCOPED_TRACE("count " + std::to_string(c.count));
        s.liveRecordCount = c.count;
        compute(1);
        EXPECT_EQ(g.view, c.view);
        EXPECT_EQ(g.labels.has_value(), c.labels);
        if (c.view == GraphView::None) {
            for (const GraphSeriesLine& line : g.series) EXPECT_EQ(line.count, 0);
            continue;
        }
        EXPECT_EQ(g.base, c.base);
        EXPECT_EQ(g.count, c.n);
        expectSegmentsFollowRecords();
        expectLabels(c.labelRecords);
    }
}

TEST_F(GraphGeometryTest, TwoRecordsGiveTheStubAndOneSegment) {
    fill(2);
    compute();
    const GraphSeriesLine& v = g.line(GraphSeries::Velocity);
    ASSERT_EQ(v.count, 2);
    EXPECT_EQ(v.segments[0].x1, 3);
    EXPECT_EQ(v.segments[0].x2, 0);
    EXPECT_EQ(v.segments[0].y1, v.segments[0].y2);
    EXPECT_EQ(v.segments[1].x1, 6);
    EXPECT_EQ(v.segments[1].x2, 3);
}

TEST_F(GraphGeometryTest, PagedLiveStartsFromTheLastRecordOfThePreviousScreen) {
    fill(212);
    s.liveRecords[210].velocity = 777;
    compute();
    const GraphSegment& first = g.line(GraphSeries::Velocity).segments[0];
    EXPECT_EQ(first.x2, 0);
    EXPECT_EQ(first.y2, graphY(777, 6000));
    EXPECT_EQ(first.x1, 3);
}

TEST_F(GraphGeometryTest, HistoryPositions) {
    struct Case {
        int count, position, base, n;
        std::array<int, 5> labelRecords;
    };
    const Case cases[] = {
        {50000, 1, 0, 210, {1, 52, 105, 157, 210}}, {50000, 2380, 49959, 41, {49960, 0, 0, 0, 0}},
        {211, 1, 0, 210, {1, 52, 105, 157, 210}},   {211, 2, 21, 190, {22, 73, 126, 178, 0}},
        {211, 3, 42, 169, {43, 94, 147, 199, 0}},   {211, 10, 189, 22, {190, 0, 0, 0, 0}},
    };
    fill(50000);
    s.historyView = true;
    for (const Case& c : cases) {
        SCOPED_TRACE("count " + std::to_string(c.count) + " position " + std::to_string(c.position));
        s.liveRecordCount = c.count;
        compute(c.position);
        EXPECT_EQ(g.view, GraphView::History);
        EXPECT_EQ(g.base, c.base);
        EXPECT_EQ(g.count, c.n);
        expectSegmentsFollowRecords();
        expectLabels(c.labelRecords);
    }
}

TEST_F(GraphGeometryTest, HistoryPositionOutsideTheStoreShowsNothing) {
    fill(300);
    s.historyView = true;
    for (int position : {0, -5, 16, 32767, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
        compute(position);
        EXPECT_EQ(g.view, GraphView::None) << position;
        EXPECT_FALSE(g.labels.has_value());
        for (const GraphSeriesLine& line : g.series) EXPECT_EQ(line.count, 0);
    }
}

// A velocity equal to the full scale and one above it in each view; the area,
// with the same values, is never left out.
TEST_F(GraphGeometryTest, ValuesAtAndAboveTheFullScale) {
    struct Case {
        const char* name;
        int count;
        bool history;
        int position;
        int atRange; // record holding exactly the full scale
        int above;   // record holding more than the full scale
        std::vector<int> velocityLeftOut;
    };
    const Case cases[] = {
        // First page: equal is drawn, above leaves out the two segments touching it.
        {"first page", 100, false, 1, 10, 50, {50, 51}},
        // Paged live (b = 210): both leave out their two segments.
        {"paged live", 300, false, 1, 220, 250, {10, 11, 40, 41}},
        // History: nothing left out.
        {"history", 300, true, 11, 220, 250, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        initSharedState(s);
        fill(c.count);
        s.historyView = c.history;
        s.liveRecords[c.atRange].velocity = 6000;
        s.liveRecords[c.atRange].area = 6000;
        s.liveRecords[c.above].velocity = 6000.5;
        s.liveRecords[c.above].area = 6000.5;
        compute(c.position);
        EXPECT_EQ(leftOut(GraphSeries::Velocity), c.velocityLeftOut);
        EXPECT_TRUE(leftOut(GraphSeries::Area).empty());
        EXPECT_TRUE(leftOut(GraphSeries::Temperature).empty());
        // The full scale lies on the top edge.
        const GraphSeriesLine& area = g.line(GraphSeries::Area);
        const int l = c.atRange - g.base;
        EXPECT_EQ(area.segments[static_cast<std::size_t>(l - 1)].y1, 0.0f);
    }
}

// A reading the meter flagged invalid leaves a two-segment gap in its series
// in the live views and runs off the top in the history view.
TEST_F(GraphGeometryTest, InvalidReadingsInEachView) {
    struct Case {
        const char* name;
        int count;
        bool history;
        int position;
        int invalid; // record number
        std::vector<int> leftOutPositions;
    };
    const Case cases[] = {
        {"first page", 210, false, 1, 100, {100, 101}},
        {"first page, record 1", 210, false, 1, 1, {2}}, // the stub is never tested
        {"first page, newest", 120, false, 1, 120, {120}},
        {"paged live", 400, false, 1, 300, {90, 91}},
        {"paged live, previous screen's last", 400, false, 1, 210, {1}},
        {"history", 400, true, 5, 150, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        initSharedState(s);
        fill(c.count);
        s.historyView = c.history;
        LiveRecord& r = s.liveRecords[c.invalid];
        r.velocity = r.temperature = r.flow = invalidReading;
        r.area = invalidReading; // area is never tested
        compute(c.position);
        EXPECT_EQ(leftOut(GraphSeries::Velocity), c.leftOutPositions);
        EXPECT_EQ(leftOut(GraphSeries::Temperature), c.leftOutPositions);
        EXPECT_EQ(leftOut(GraphSeries::Flow), c.leftOutPositions);
        EXPECT_TRUE(leftOut(GraphSeries::Area).empty());
    }
    // In the history view the spike's end lies far above the box.
    const GraphSegment& seg = g.line(GraphSeries::Velocity).segments[150 - g.base - 1];
    EXPECT_TRUE(seg.drawn);
    EXPECT_LT(seg.y1, -500000.0f);
}

TEST_F(GraphGeometryTest, SwitchesChooseTheSeries) {
    fill(300);
    s.showVelocity = s.showTemperature = s.showFlow = s.showArea = false;
    compute();
    for (const GraphSeriesLine& line : g.series) {
        EXPECT_FALSE(line.shown);
        EXPECT_EQ(line.count, 0);
    }
    // The labels are still written.
    expectLabels({211, 262, 0, 0, 0});

    s.showFlow = true;
    compute();
    EXPECT_EQ(g.line(GraphSeries::Flow).count, 90);
    EXPECT_EQ(g.line(GraphSeries::Velocity).count, 0);
    EXPECT_EQ(g.line(GraphSeries::Area).count, 0);
}

TEST_F(GraphGeometryTest, RecomputingClearsTheLastResult) {
    fill(210);
    compute();
    ASSERT_EQ(g.line(GraphSeries::Velocity).count, 210);
    s.liveRecordCount = 211;
    compute();
    EXPECT_EQ(g.view, GraphView::None);
    for (const GraphSeriesLine& line : g.series) EXPECT_EQ(line.count, 0);
    s.liveRecordCount = 213;
    compute();
    EXPECT_EQ(g.line(GraphSeries::Velocity).count, 3);
}

TEST_F(GraphGeometryTest, CountBeyondTheStoreIsHeldToIt) {
    fill(50000);
    s.liveRecordCount = 60000;
    compute();
    EXPECT_EQ(g.view, GraphView::PagedLive);
    EXPECT_EQ(g.base, 49980);
    EXPECT_EQ(g.count, 20);
}

} // namespace

TEST_F(GraphGeometryTest, TimeLabelsInTheUsersFormatAreNeverCut) {
    // A long format, as some locales have one: literal text of three-byte
    // characters and digits of their own, 12 hours.
    using F = TimeFormat::Field;
    TimeFormat::Digits tibetan;
    for (int d = 0; d < 10; ++d)
        tibetan[static_cast<std::size_t>(d)] = "\xE0\xBC" + std::string(1, static_cast<char>(0xA0 + d));
    const std::string hour = "\xE0\xBD\x86\xE0\xBD\xB4\xE0\xBC\x8B\xE0\xBD\x9A\xE0\xBD\xBC\xE0\xBD\x91\xE0\xBC\x8B ";
    timeFormat = TimeFormat({{F::Text, false, hour, {}},
                             {F::Hour12, false, {}, {}},
                             {F::Text, false, " minutes and seconds ", {}},
                             {F::Minute, true, {}, {}},
                             {F::Text, false, ":", {}},
                             {F::Second, true, {}, {}},
                             {F::Text, false, " ", {}},
                             {F::DayHalf, false, "before noon", "in the afternoon"}},
                            tibetan);
    fill(210);
    s.liveRecords[210].timeText = {22, 5, 9};
    compute();
    ASSERT_TRUE(g.labels);
    const std::string want = hour + tibetan[1] + tibetan[0] + " minutes and seconds " + tibetan[0] + tibetan[5] + ":" +
                             tibetan[0] + tibetan[9] + " in the afternoon";
    EXPECT_GT(want.size(), 64u); // more than a record could hold
    EXPECT_EQ(std::string((*g.labels)[4]), want);
}

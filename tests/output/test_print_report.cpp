// The tabular print report against a printer object that records every call:
// the order of the job, the pages for 0, 35, 36 and 37 records, positions read
// back from a printer that does not hold them exactly, the zoomed span of
// "Print Data ", and the error cases.
#include "output/graph_print.h"
#include "output/print_report.h"
#include "platform/printer.h"

#include "fake_env.h"
#include "record_fills.h"
#include "recording_printer.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using meter::Printer;
using testsupport::RecordingPrinter;

const char* const kDate = "10.12.26";

struct Report {
    std::unique_ptr<meter::SharedState> state = std::make_unique<meter::SharedState>();
    RecordingPrinter printer;
    testsupport::RecordingBoxes boxes;
    meter::Regional regional;
    meter::PrintReportState report;

    explicit Report(int records) {
        meter::initSharedState(*state);
        for (int i = 1; i <= records; ++i)
            testsupport::appendFileRecord(*state,
                                          {i, "09:30:" + std::to_string(10 + i % 50), i + 0.5, i % 2 ? "dBA" : "dBC"});
    }
    bool printAll() {
        return meter::printAllDataCommand(*state, printer, boxes, regional, report, [] { return QString(kDate); });
    }
    bool printData(bool showzoom, double xwidthzoom, std::int32_t start) {
        const meter::GraphZoomView graph{showzoom, xwidthzoom, start};
        return meter::printDataCommand(*state, graph, printer, boxes, regional, report, [] { return QString(kDate); });
    }
    // The record numbers printed, in order.
    std::vector<int> rowsPrinted() const { return printer.rowNumbers(); }
    std::vector<int> rowsOnPage(int page) const { return printer.rowNumbers(page); }
};

using testsupport::numbersFrom;

// The whole job for one record, call by call.
TEST(PrintReport, JobInOrder) {
    Report r(1);
    r.state->fileRecords[1].no = 7;
    r.state->fileRecords[1].value = -3.25;
    r.state->fileRecords[1].timeText.assign("09:30:05");
    // Whatever an earlier graph print left on the shared printer object.
    r.printer.Orientation = Printer::Landscape;
    ASSERT_TRUE(r.printAll());
    const std::vector<std::string> title = {"name Courier", "size 1", "name Arial", "size 24",
                                            "bold on",      "x 2200", "y 400",      "print Sound Meter Tester Report"};
    std::vector<std::string> expected = title;
    for (const char* s :
         {"size 15", "x 1100", "y 1200", "print NO.", "x 3300", "y 1200", "print Time", "x 5800", "y 1200",
          "print Data", "x 8300", "y 1200", "print dBA\\dBC",
          // the row
          "x 1100", "y 1600", "name Courier", "size 1", "name Arial", "size 12", "bold off", "print  7", "x 3300",
          "y 1600", "print 09:30:05", "x 5800", "y 1600", "print -3.25", "x 8300", "y 1600", "print dBA",
          // the footer, in the font of the row
          "x 3953", "y 16000", "print Page 1   (10.12.26)", "enddoc"})
        expected.push_back(s);
    EXPECT_EQ(r.printer.log, expected);
    for (const auto& it : r.printer.items) {
        EXPECT_EQ(it.paper, Printer::PaperA4) << it.text;
        EXPECT_EQ(it.orientation, Printer::Portrait) << it.text;
    }
    EXPECT_TRUE(r.boxes.shown.empty());
    EXPECT_FALSE(r.printer.documentOpen());
    EXPECT_EQ(r.report.printPage, 1);
    EXPECT_EQ(r.report.printX, 8300);
    EXPECT_EQ(r.report.printY, 1600);
}

// The page break after the 36th row, call by call, up to the end.
TEST(PrintReport, PageBreakInOrder) {
    Report r(36);
    ASSERT_TRUE(r.printAll());
    const std::vector<std::string> tail = {"print 09:30:46",
                                           "x 5800",
                                           "y 15600",
                                           "print  36.5",
                                           "x 8300",
                                           "y 15600",
                                           "print dBC",
                                           "x 3953",
                                           "y 16000",
                                           "print Page 1   (10.12.26)",
                                           "newpage",
                                           "name Courier",
                                           "size 1",
                                           "name Arial",
                                           "size 24",
                                           "bold on",
                                           "x 2200",
                                           "y 400",
                                           "print Sound Meter Tester Report",
                                           "name Courier",
                                           "size 1",
                                           "name Arial",
                                           "size 15",
                                           "x 1100",
                                           "y 1200",
                                           "print NO.",
                                           "x 3300",
                                           "y 1200",
                                           "print Time",
                                           "x 5800",
                                           "y 1200",
                                           "print Data",
                                           "x 8300",
                                           "y 1200",
                                           "print dBA\\dBC",
                                           "x 3953",
                                           "y 16000",
                                           "print Page 2   (10.12.26)",
                                           "enddoc"};
    ASSERT_GE(r.printer.log.size(), tail.size());
    EXPECT_EQ(
        std::vector<std::string>(r.printer.log.end() - static_cast<std::ptrdiff_t>(tail.size()), r.printer.log.end()),
        tail);
}

// Every page: title, headings, the rows at their places, the footer.
TEST(PrintReport, PagesForRecordCounts) {
    const struct {
        int records;
        std::vector<std::vector<int>> pages; // the rows of each page
    } cases[] = {
        {0, {{}}},
        {35, {numbersFrom(1, 35)}},
        {36, {numbersFrom(1, 36), {}}},
        {37, {numbersFrom(1, 36), {37}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.records);
        Report r(c.records);
        ASSERT_TRUE(r.printAll());
        EXPECT_TRUE(r.boxes.shown.empty());
        EXPECT_EQ(r.printer.pages, static_cast<int>(c.pages.size()));
        for (int p = 1; p <= static_cast<int>(c.pages.size()); ++p) {
            SCOPED_TRACE(p);
            std::vector<RecordingPrinter::Item> page;
            for (const auto& it : r.printer.items)
                if (it.page == p) page.push_back(it);
            const std::vector<int>& rows = c.pages[static_cast<std::size_t>(p - 1)];
            ASSERT_EQ(page.size(), 1 + 4 + 4 * rows.size() + 1);
            auto expectItem = [](const RecordingPrinter::Item& it, const std::string& text, float x, float y,
                                 const std::string& font) {
                EXPECT_EQ(it.text, text);
                EXPECT_EQ(it.x, x) << text;
                EXPECT_EQ(it.y, y) << text;
                EXPECT_EQ(it.font, font) << text;
                EXPECT_EQ(it.paper, Printer::PaperA4) << text;
                EXPECT_EQ(it.orientation, Printer::Portrait) << text;
            };
            expectItem(page[0], "Sound Meter Tester Report", 2200, 400, "Arial 24 bold");
            expectItem(page[1], "NO.", 1100, 1200, "Arial 15 bold");
            expectItem(page[2], "Time", 3300, 1200, "Arial 15 bold");
            expectItem(page[3], "Data", 5800, 1200, "Arial 15 bold");
            expectItem(page[4], "dBA\\dBC", 8300, 1200, "Arial 15 bold");
            for (std::size_t k = 0; k < rows.size(); ++k) {
                const int n = rows[k];
                const float y = 1600.0f + 400.0f * static_cast<float>(k);
                const std::size_t at = 5 + 4 * k;
                expectItem(page[at], " " + std::to_string(n), 1100, y, "Arial 12");
                expectItem(page[at + 1], "09:30:" + std::to_string(10 + n % 50), 3300, y, "Arial 12");
                expectItem(page[at + 2], " " + std::to_string(n) + ".5", 5800, y, "Arial 12");
                expectItem(page[at + 3], n % 2 ? "dBA" : "dBC", 8300, y, "Arial 12");
            }
            expectItem(page.back(), "Page " + std::to_string(p) + "   (10.12.26)", 3953, 16000,
                       rows.empty() ? "Arial 15 bold" : "Arial 12");
        }
        EXPECT_EQ(r.printer.log.back(), "enddoc");
        EXPECT_FALSE(r.printer.documentOpen());
    }
}

// A printer that holds positions beyond where they were set: the rest of the
// line, the next row and the page break follow the positions read back,
// rounded to whole twips, halves to the even one.
TEST(PrintReport, PositionsReadBack) {
    const struct {
        float offset;
        float x, y;       // first x and heading y read back
        float row1, step; // first row's y and the distance of the rows
    } cases[] = {
        {20.5f, 1120, 1220, 1620, 420}, // 1120.5 -> 1120, 1620.5 -> 1620
        {21.5f, 1122, 1222, 1622, 422}, // 1121.5 -> 1122, 1621.5 -> 1622
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.offset);
        Report r(40);
        r.printer.offset = c.offset;
        ASSERT_TRUE(r.printAll());
        // Headings: "NO." where it was set, the others on the read-back line.
        const auto& it = r.printer.items;
        EXPECT_EQ(it[1].x, 1100);
        EXPECT_EQ(it[1].y, 1200);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(it[2 + k].x, c.x + (k == 0 ? 2200 : k == 1 ? 4700 : 7200));
            EXPECT_EQ(it[2 + k].y, c.y);
        }
        // The first row: its number where it was set, the rest read back.
        EXPECT_EQ(it[5].x, 1100);
        EXPECT_EQ(it[5].y, 1600);
        EXPECT_EQ(it[6].x, c.x + 2200);
        EXPECT_EQ(it[6].y, c.row1);
        EXPECT_EQ(it[8].x, c.x + 7200);
        // The second row 400 below the first as read back.
        EXPECT_EQ(it[9].y, c.row1 + 400);
        EXPECT_EQ(it[10].y, c.row1 + c.step);
        // 34 rows lie above 15600; the 35th breaks the page.
        EXPECT_EQ(r.rowsOnPage(1), numbersFrom(1, 35));
        EXPECT_EQ(r.rowsOnPage(2), numbersFrom(36, 40));
        EXPECT_EQ(r.report.printPage, 2);
    }
}

TEST(PrintReport, PrintDataWithoutZoomPrintsEverything) {
    Report all(37), data(37);
    ASSERT_TRUE(all.printAll());
    ASSERT_TRUE(data.printData(false, 0, 5)); // the zoom values are not looked at
    EXPECT_EQ(data.printer.log, all.printer.log);
    EXPECT_TRUE(data.boxes.shown.empty());
}

TEST(PrintReport, PrintDataZoomedSpan) {
    constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
    const struct {
        int records;
        double xwidthzoom;
        std::int32_t start;
        std::vector<int> rows;
        int pages;
    } cases[] = {
        {500, 3.0, 0, numbersFrom(1, 211), 6}, // 629 / 3 + 1 = 210.67 -> 211
        {100, 3.0, 0, numbersFrom(1, 100), 3},
        {100, 3.0, 10, numbersFrom(11, 100), 3},
        {10, 1258, 0, {1, 2}, 1}, // 0.5 + 0 + 1 = 1.5 -> 2
        {10, 1258, 1, {2}, 1},    // 0.5 + 1 + 1 = 2.5 -> 2
        {100, 3.0, 100, {}, 1},   // the start at the count
        {100, 3.0, 150, {}, 1},   // beyond it
        {100, -3.0, 0, {}, 1},    // a span that ends before it begins
        {100, 3.0, int32Max - 300, {}, 1},
        {50, 1e-5, 0, numbersFrom(1, 50), 2}, // 62900001 still fits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.records) + " " + std::to_string(c.xwidthzoom) + " " + std::to_string(c.start));
        Report r(c.records);
        ASSERT_TRUE(r.printData(true, c.xwidthzoom, c.start));
        EXPECT_TRUE(r.boxes.shown.empty());
        EXPECT_EQ(r.rowsPrinted(), c.rows);
        EXPECT_EQ(r.printer.pages, c.pages);
        EXPECT_EQ(r.printer.log.back(), "enddoc");
    }
    // Six pages for 211 rows, the last with 31.
    Report r(500);
    ASSERT_TRUE(r.printData(true, 3.0, 0));
    EXPECT_EQ(r.rowsOnPage(6), numbersFrom(181, 211));
}

// Each ends after the title and the headings in "print data error!", with the
// document left open.
TEST(PrintReport, Errors) {
    constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        double xwidthzoom;
        std::int32_t start;
        int refuseItem;
        std::size_t printed; // items on paper
    } cases[] = {
        {"width 0", 0.0, 0, 0, 5},
        {"width -0", -0.0, 0, 0, 5},
        {"tiny width", 1e-300, 0, 0, 5},
        {"width whose quotient is infinite", 1e-320, 0, 0, 5},
        {"width not a number", std::nan(""), 0, 0, 5},
        {"infinite width", inf, 0, 0, 5},
        {"negative infinite width", -inf, 0, 0, 5},
        {"last beyond 32 bits", 2.9e-7, 0, 0, 5},
        {"first beyond 32 bits", 3.0, int32Max, 0, 5},
        {"last just beyond 32 bits", 3.0, int32Max - 209, 0, 5},
        {"first record 0", 3.0, -1, 0, 5},
        {"first record far below 1", 3.0, int32Min, 0, 5},
        {"printer refuses a heading", 3.0, 0, 3, 2},
        {"printer refuses a row", 3.0, 0, 8, 7},
        {"no printer", 3.0, 0, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Report r(50);
        r.printer.refuseItem = c.refuseItem;
        EXPECT_FALSE(r.printData(true, c.xwidthzoom, c.start));
        ASSERT_EQ(r.boxes.shown.size(), 1u);
        EXPECT_EQ(r.boxes.shown[0].text, "print data error!");
        EXPECT_EQ(r.boxes.shown[0].title, "meter");
        EXPECT_EQ(r.boxes.shown[0].buttons, meter::MessageBoxes::Buttons::Ok);
        EXPECT_EQ(r.printer.items.size(), c.printed);
        if (c.printed >= 5) {
            EXPECT_EQ(r.printer.items[4].text, "dBA\\dBC");
        }
        for (const auto& line : r.printer.log) {
            EXPECT_NE(line, "enddoc");
            EXPECT_NE(line, "newpage");
        }
        EXPECT_EQ(r.printer.documentOpen(), c.printed > 0);
        EXPECT_EQ(r.report.printPage, 1);
    }
}

// The printer object is shared: the report sets A4 portrait whatever the
// graph print left, and a document a failed run left open is handed to the
// printer before the next print of either kind begins its own.
TEST(PrintReport, SharedPrinterAndDocumentLeftOpen) {
    struct Graph : meter::PrintableGraph {
        QWidget w;
        QWidget* window() override { return &w; }
        void freezePlot() override {}
        void restorePlotFromBackdrop() override {}
        void redraw() override {}
    } graph;
    Report r(3);
    ASSERT_TRUE(r.printData(true, 0, 0) == false);
    ASSERT_TRUE(r.printer.documentOpen());

    r.printer.log.clear();
    ASSERT_TRUE(meter::printsub(graph, r.printer, r.boxes));
    EXPECT_EQ(r.printer.log, (std::vector<std::string>{"enddoc", "printform landscape", "enddoc"}));
    EXPECT_EQ(r.printer.Orientation, Printer::Landscape);

    r.printer.items.clear();
    r.printer.log.clear();
    ASSERT_FALSE(r.printData(true, 0, 0));
    r.printer.log.clear();
    ASSERT_TRUE(r.printAll());
    EXPECT_EQ(r.printer.log.front(), "enddoc");
    EXPECT_EQ(r.printer.log[1], "name Courier");
    EXPECT_EQ(r.rowsPrinted(), numbersFrom(1, 3));
    for (const auto& it : r.printer.items) {
        EXPECT_EQ(it.paper, Printer::PaperA4);
        EXPECT_EQ(it.orientation, Printer::Portrait);
    }
    EXPECT_EQ(r.boxes.shown.size(), 2u); // the two failed runs
}

} // namespace

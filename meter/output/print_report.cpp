#include "output/print_report.h"

#include "core/number_reading.h"
#include "output/log.h"
#include "platform/message_boxes.h"
#include "platform/printer.h"

#include <cmath>
#include <exception>
#include <limits>

namespace meter {

namespace {

// Ends a run at the first failure, like an error trap around the whole job.
// A printer that refuses a call tells why in the log itself; the run's own
// failures carry their cause.
struct ReportFailure {
    const char* why = nullptr;
};

void require(bool ok, const char* why = nullptr) {
    if (!ok) throw ReportFailure{why};
}

constexpr std::int64_t int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t int32Max = std::numeric_limits<std::int32_t>::max();

std::int32_t int32Of(std::int64_t v) {
    require(v >= int32Min && v <= int32Max, "a record, position or page number beyond 32 bits");
    return static_cast<std::int32_t>(v);
}

// A number as the nearest 32-bit integer, halves to the even neighbour; a
// number outside that range, or none at all, is a failure.
std::int32_t nearestInt32(double v) {
    const std::optional<std::int32_t> r = roundToInt32(v);
    require(r.has_value(), "a record number or position with no whole 32-bit value");
    return *r;
}

QString textOf(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// Layout, in twips and points.
constexpr std::int32_t tableLeft = 1100;
constexpr std::int32_t headingY = 1200;
constexpr std::int32_t rowStep = 400;
constexpr std::int32_t lastRowY = 15600;
constexpr float footerY = 16000;

// The records a run prints: first, first + 1, ... while <= last.
struct Span {
    std::int64_t first = 1;
    std::int64_t last = 0;
};

// The graph's zoomed span: NumStartShow + 1 to 629 / xwidthzoom + NumStartShow + 1.
Span zoomedSpan(const GraphZoomView& graph) {
    Span s;
    s.first = int32Of(static_cast<std::int64_t>(graph.NumStartShow) + 1);
    // A zero width is a division by zero; an infinite one is no width at all.
    require(std::isfinite(graph.xwidthzoom) && graph.xwidthzoom != 0, "the graph's zoom has no width");
    s.last = nearestInt32(629.0 / graph.xwidthzoom + graph.NumStartShow + 1);
    return s;
}

class ReportRun {
public:
    ReportRun(const SharedState& state, Printer& printer, const Regional& regional, PrintReportState& report,
              const ShortDateText& shortDate)
        : state_(state), p_(printer), regional_(regional), r_(report), shortDate_(shortDate) {}

    // Paper, title and the heading line of page 1.
    void begin() {
        r_.printPage = 1;
        setPaper();
        titleBlock();
        headingBlock();
        r_.printY = r_.printY0;
    }

    void rows(const Span& span, std::int64_t count) {
        for (std::int64_t i = span.first; i <= span.last && i <= count; ++i) row(i);
    }

    // The footer of the last page, and the document to the printer.
    void end() {
        footer();
        require(p_.EndDoc());
    }

private:
    void setPaper() {
        p_.PaperSize = Printer::PaperA4;
        p_.Orientation = Printer::Portrait;
    }

    // Courier at size 1 before the typeface of the block.
    void resetTypeface() {
        p_.setFontName(QStringLiteral("Courier"));
        p_.setFontSize(1);
        p_.setFontName(QStringLiteral("Arial"));
    }

    void printAt(std::int32_t x, std::int32_t y, const QString& text) {
        p_.setCurrentX(static_cast<float>(x));
        p_.setCurrentY(static_cast<float>(y));
        require(p_.Print(text));
    }

    // The position as the printer holds it, in whole twips.
    void readPositionBack() {
        r_.printX = nearestInt32(p_.CurrentX());
        r_.printY = nearestInt32(p_.CurrentY());
    }

    void titleBlock() {
        resetTypeface();
        p_.setFontSize(24);
        p_.setFontBold(true);
        printAt(2200, 400, QStringLiteral("Sound Meter Tester Report"));
    }

    // Bold stays on from the title.
    void headingBlock() {
        r_.printX0 = tableLeft;
        r_.printY0 = headingY;
        p_.setFontSize(15);
        p_.setCurrentX(static_cast<float>(r_.printX0));
        p_.setCurrentY(static_cast<float>(r_.printY0));
        readPositionBack();
        require(p_.Print(QStringLiteral("NO.")));
        nextColumn(2200, QStringLiteral("Time"));
        nextColumn(2500, QStringLiteral("Data"));
        nextColumn(2500, QStringLiteral("dBA\\dBC"));
    }

    void nextColumn(std::int32_t step, const QString& text) {
        r_.printX = int32Of(static_cast<std::int64_t>(r_.printX) + step);
        printAt(r_.printX, r_.printY, text);
    }

    void nextColumn(std::int32_t step, double number) {
        r_.printX = int32Of(static_cast<std::int64_t>(r_.printX) + step);
        p_.setCurrentX(static_cast<float>(r_.printX));
        p_.setCurrentY(static_cast<float>(r_.printY));
        require(p_.Print(number, regional_.decimalSeparator));
    }

    const FileRecord& record(std::int64_t i) const {
        require(i >= 1 && i <= FileRecordStore::capacity, "a record number outside the store");
        return state_.fileRecords[static_cast<std::int32_t>(i)];
    }

    void row(std::int64_t i) {
        r_.printX = r_.printX0;
        r_.printY = int32Of(static_cast<std::int64_t>(r_.printY) + rowStep);
        p_.setCurrentX(static_cast<float>(r_.printX));
        p_.setCurrentY(static_cast<float>(r_.printY));
        resetTypeface();
        p_.setFontSize(12);
        p_.setFontBold(false);
        readPositionBack();

        const FileRecord& rec = record(i);
        require(p_.Print(static_cast<double>(rec.no), regional_.decimalSeparator));
        nextColumn(2200, textOf(rec.timeText.view()));
        nextColumn(2500, rec.value);
        nextColumn(2500, textOf(rec.unitText.view()));

        if (r_.printY >= lastRowY) pageBreak();
    }

    void pageBreak() {
        footer();
        require(p_.NewPage());
        setPaper();
        titleBlock();
        resetTypeface();
        headingBlock();
        r_.printY = r_.printY0;
        r_.printPage = int32Of(static_cast<std::int64_t>(r_.printPage) + 1);
    }

    // In the font in force: the rows' on a page with rows, else the headings'.
    void footer() {
        p_.setCurrentX(static_cast<float>(p_.Width() / 2.0 - 2000.0));
        p_.setCurrentY(footerY);
        const QString date = shortDate_ ? shortDate_() : QString();
        require(p_.Print(QStringLiteral("Page ") + QString::number(r_.printPage) + QStringLiteral("   (") + date +
                         QLatin1Char(')')));
    }

    const SharedState& state_;
    Printer& p_;
    const Regional& regional_;
    PrintReportState& r_;
    const ShortDateText& shortDate_;
};

// One run; `graph` only for "Print Data ".
bool runReport(const SharedState& state, const GraphZoomView* graph, Printer& printer, MessageBoxes& boxes,
               const Regional& regional, PrintReportState& report, const ShortDateText& shortDate) {
    printer.endDocumentLeftOpen();
    try {
        ReportRun run(state, printer, regional, report, shortDate);
        run.begin();
        const std::int64_t count = state.fileRecordCount;
        const Span span = graph && graph->showzoom ? zoomedSpan(*graph) : Span{1, count};
        run.rows(span, count);
        run.end();
        return true;
    } catch (const ReportFailure& f) {
        if (f.why != nullptr) qCWarning(outputLog, "Cannot print the report: %s", f.why);
    } catch (const std::exception& e) {
        qCWarning(outputLog, "Cannot print the report: %s", e.what());
    }
    // What was printed stays in the open document.
    boxes.show(printDataErrorText, programName, MessageBoxes::Buttons::Ok);
    return false;
}

} // namespace

bool printAllDataCommand(const SharedState& state, Printer& printer, MessageBoxes& boxes, const Regional& regional,
                         PrintReportState& report, const ShortDateText& shortDate) {
    return runReport(state, nullptr, printer, boxes, regional, report, shortDate);
}

bool printDataCommand(const SharedState& state, const GraphZoomView& graph, Printer& printer, MessageBoxes& boxes,
                      const Regional& regional, PrintReportState& report, const ShortDateText& shortDate) {
    return runReport(state, &graph, printer, boxes, regional, report, shortDate);
}

} // namespace meter

// The tabular print report of the data file's records: on A4 portrait pages a
// title, the four column headings, up to 36 rows (number, time, value, unit)
// and a footer with the page number and the date. "Print All Data" prints every
// record, "Print Data " the graph window's zoomed span when it shows one.
#pragma once

#include "core/regional.h"
#include "core/shared_state.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace meter {

class MessageBoxes;
class Printer;

inline const QString printDataErrorText = QStringLiteral("print data error!");

// Where the report stands, in twips from the top-left corner of the printable
// area, and the page it prints. Kept by the tool strip from one run to the
// next; a run sets it anew and leaves the values it reached.
struct PrintReportState {
    std::int32_t printX0 = 0; // left edge of the table
    std::int32_t printY0 = 0; // y of the heading line
    std::int32_t printX = 0;  // x of the item being printed
    std::int32_t printY = 0;  // y of the current line
    std::int32_t printPage = 0;
};

// What "Print Data " reads of the graph window.
struct GraphZoomView {
    bool showzoom = false;
    double xwidthzoom = 0;
    std::int32_t NumStartShow = 0;
};

// The date of the footer as text, asked for each footer.
using ShortDateText = std::function<QString()>;

// "Print All Data": the report of records 1 to fileRecordCount on the printer,
// the values with the regional decimal separator. Any failure ends the run
// with "print data error!" (title "meter", OK only); the document is then left
// open with what was printed so far. True when the document was ended and
// handed to the printer.
bool printAllDataCommand(const SharedState& state, Printer& printer, MessageBoxes& boxes, const Regional& regional,
                         PrintReportState& report, const ShortDateText& shortDate);

// "Print Data ": as printAllDataCommand when the graph shows no zoom; else the
// records NumStartShow + 1 to 629 / xwidthzoom + NumStartShow + 1 (rounded to
// the nearest whole number, halves to even), cut off at fileRecordCount. A zoom
// that gives no whole 32-bit span (xwidthzoom 0, tiny, not a number or
// infinite, a start near the 32-bit limit) ends in the error after the
// headings; so does a span that starts below record 1.
bool printDataCommand(const SharedState& state, const GraphZoomView& graph, Printer& printer, MessageBoxes& boxes,
                      const Regional& regional, PrintReportState& report, const ShortDateText& shortDate);

} // namespace meter

#include "output/graph_print.h"

#include "output/log.h"
#include "platform/message_boxes.h"

#include <exception>
#include "platform/printer.h"

namespace meter {

bool printsub(PrintableGraph& graph, Printer& printer, MessageBoxes& boxes) {
    printer.endDocumentLeftOpen();
    // Every step up to the redraw is guarded: the first failure leads to the
    // error path below. The printer tells in the log why it refused a call.
    try {
        printer.Orientation = Printer::Landscape;
        graph.freezePlot();
        if (printer.PrintForm(graph.window()) && printer.EndDoc()) {
            graph.restorePlotFromBackdrop();
            graph.redraw();
            return true;
        }
    } catch (const std::exception& e) {
        qCWarning(outputLog, "Cannot print the graph: %s", e.what());
    } catch (...) {
        qCWarning(outputLog, "Cannot print the graph: an unknown exception");
    }
    // A failure while the plot is put back must not keep the user from
    // hearing about the printer.
    try {
        graph.restorePlotFromBackdrop();
        graph.redraw();
    } catch (const std::exception& e) {
        qCWarning(outputLog, "Cannot restore the graph after printing: %s", e.what());
    } catch (...) {
        qCWarning(outputLog, "Cannot restore the graph after printing: an unknown exception");
    }
    boxes.show(QStringLiteral("Printer error!"), QStringLiteral("METER"), MessageBoxes::Buttons::Ok);
    return false;
}

} // namespace meter

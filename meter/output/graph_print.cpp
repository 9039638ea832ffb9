#include "output/graph_print.h"

#include "platform/message_boxes.h"
#include "platform/printer.h"

namespace meter {

bool printsub(PrintableGraph& graph, Printer& printer, MessageBoxes& boxes) {
    printer.endDocumentLeftOpen();
    // Every step up to the redraw is guarded: the first failure leads to the
    // error path below.
    try {
        printer.Orientation = Printer::Landscape;
        graph.freezePlot();
        if (printer.PrintForm(graph.window()) && printer.EndDoc()) {
            graph.restorePlotFromBackdrop();
            graph.redraw();
            return true;
        }
    } catch (...) {
    }
    // A failure while the plot is put back must not keep the user from
    // hearing about the printer.
    try {
        graph.restorePlotFromBackdrop();
        graph.redraw();
    } catch (...) {
    }
    boxes.show(QStringLiteral("Printer error!"), QStringLiteral("METER"), MessageBoxes::Buttons::Ok);
    return false;
}

} // namespace meter

// Printing the graph window: one landscape page with an image of the whole
// window, plot, labels and controls as they are on the screen.
#pragma once

class QWidget;

namespace meter {

class MessageBoxes;
class Printer;

// What printing needs of the graph window.
class PrintableGraph {
public:
    virtual ~PrintableGraph() = default;
    // The window whose client area is printed.
    virtual QWidget* window() = 0;
    // Makes the plot's current drawing its background picture.
    virtual void freezePlot() = 0;
    // Gives the plot the picture of its hidden print backdrop again.
    virtual void restorePlotFromBackdrop() = 0;
    // Draws the plot anew.
    virtual void redraw() = 0;
};

// Adapts a graph window with freezePlot(), restorePlotFromBackdrop() and
// frmrefresh() that is itself the window to print.
template <class Graph>
class GraphPrintAdapter final : public PrintableGraph {
public:
    explicit GraphPrintAdapter(Graph& graph) : graph_(graph) {}
    QWidget* window() override { return &graph_; }
    void freezePlot() override { graph_.freezePlot(); }
    void restorePlotFromBackdrop() override { graph_.restorePlotFromBackdrop(); }
    void redraw() override { graph_.frmrefresh(); }

private:
    Graph& graph_;
};

// The graph window's print operation: landscape, freeze the plot, print the
// window, end the job, restore the plot and redraw it (a document an earlier
// print left open is handed to the printer first). On any failure the plot
// is restored and redrawn and "Printer error!" (title "METER") is shown.
// True when the page went to the printer.
bool printsub(PrintableGraph& graph, Printer& printer, MessageBoxes& boxes);

} // namespace meter

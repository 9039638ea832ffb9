// PRINT: the order of the steps, the error path, and a page through a real
// CUPS queue when one is set up (cups-pdf as the default printer).
#include "cups_pdf.h"
#include "output/commands.h"
#include "output/graph_print.h"
#include "platform/printer.h"
#include "windows/frmgraphshow.h"

#include "fake_env.h"
#include "png_files.h"
#include "record_fills.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Stands in for the graph window: 723 x 479, a dark frame filling the whole
// window and a red block in its top-left corner, so that the page shows where
// the window lies and which way up.
class GraphStandIn : public QWidget {
public:
    GraphStandIn() {
        setFixedSize(723, 479);
        auto* l = new QLabel("Real-Time Graph", this);
        l->move(300, 10);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(40, 40, 120));
        p.fillRect(QRect(0, 0, 160, 120), Qt::red);
    }
};

struct RecordingGraph : meter::PrintableGraph {
    std::vector<std::string>* log;
    QWidget* widget;
    std::string throwAt;
    RecordingGraph(std::vector<std::string>* l, QWidget* w) : log(l), widget(w) {}
    QWidget* window() override { return widget; }
    void step(const char* s) {
        log->push_back(s);
        if (throwAt == s) throw std::runtime_error(s);
    }
    void freezePlot() override { step("freeze"); }
    void restorePlotFromBackdrop() override { step("restore"); }
    void redraw() override { step("redraw"); }
};

struct ScriptedPrinter : meter::Printer {
    std::vector<std::string>* log;
    bool printOk = true, endOk = true;
    explicit ScriptedPrinter(std::vector<std::string>* l) : log(l) {}
    bool PrintForm(QWidget* w) override {
        log->push_back(Orientation == Landscape && w ? "print landscape" : "print");
        return printOk;
    }
    bool EndDoc() override {
        log->push_back("enddoc");
        return endOk;
    }
};

TEST(GraphPrinting, StepsAndErrorPath) {
    using Log = std::vector<std::string>;
    const struct {
        const char* name;
        bool printOk, endOk;
        const char* throwAt;
        Log expected;
        bool error;
    } cases[] = {
        {"printed", true, true, "", {"freeze", "print landscape", "enddoc", "restore", "redraw", "resync"}, false},
        {"page refused", false, true, "", {"freeze", "print landscape", "restore", "redraw", "resync"}, true},
        {"job failed", true, false, "", {"freeze", "print landscape", "enddoc", "restore", "redraw", "resync"}, true},
        {"freeze failed", true, true, "freeze", {"freeze", "restore", "redraw", "resync"}, true},
        // A failing redraw after the page: the error path still puts the plot back.
        {"redraw failed",
         true,
         true,
         "redraw",
         {"freeze", "print landscape", "enddoc", "restore", "redraw", "restore", "redraw", "resync"},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Log log;
        QWidget w;
        RecordingGraph graph(&log, &w);
        graph.throwAt = c.throwAt;
        ScriptedPrinter printer(&log);
        printer.printOk = c.printOk;
        printer.endOk = c.endOk;
        testsupport::RecordingBoxes boxes;
        meter::printCommand(graph, printer, boxes, [&] { log.push_back("resync"); });
        EXPECT_EQ(log, c.expected);
        EXPECT_EQ(printer.Orientation, meter::Printer::Landscape);
        if (c.error) {
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_EQ(boxes.shown[0].text, "Printer error!");
            EXPECT_EQ(boxes.shown[0].title, "METER");
            EXPECT_EQ(boxes.shown[0].buttons, meter::MessageBoxes::Buttons::Ok);
        } else {
            EXPECT_TRUE(boxes.shown.empty());
        }
    }
}

TEST(GraphPrinting, NoPrinterInstalled) {
    std::vector<std::string> log;
    GraphStandIn w;
    RecordingGraph graph(&log, &w);
    meter::SystemPrinter printer([] { return QPrinterInfo(); });
    testsupport::RecordingBoxes boxes;
    int resyncs = 0;
    meter::printCommand(graph, printer, boxes, [&] { ++resyncs; });
    EXPECT_EQ(log, (std::vector<std::string>{"freeze", "restore", "redraw"}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Printer error!");
    EXPECT_EQ(boxes.shown[0].title, "METER");
    EXPECT_EQ(resyncs, 1);
    EXPECT_EQ(printer.Orientation, meter::Printer::Landscape);
    // Nothing is left open: a job with nothing in it ends quietly.
    EXPECT_TRUE(printer.EndDoc());
}

QStringList pdfsIn(const QString& folder) { return QDir(folder).entryList({"*.pdf"}, QDir::Files, QDir::Name); }

TEST(GraphPrinting, PageThroughCupsPdfQueue) {
    SKIP_UNLESS_CUPS_PDF();
    const QString folder = testsupport::cupsPdfFolder();
    const QPrinterInfo def = QPrinterInfo::defaultPrinter();

    const QStringList before = pdfsIn(folder);
    // The real graph window, with a few readings drawn.
    auto state = std::make_unique<meter::SharedState>();
    meter::initSharedState(*state);
    for (int n = 1; n <= 40; ++n)
        testsupport::appendLiveRecord(*state, {10.0 * n,
                                               meter::Unit::MetresPerSecond,
                                               21,
                                               meter::Unit::Celsius,
                                               30.0 * n,
                                               meter::Unit::CubicMetresPerMin,
                                               1,
                                               meter::Unit::SquareMetres,
                                               "10-12-2026",
                                               {9, 30, 5}});
    const meter::Regional regional;
    meter::Frmgraphshow window(*state, regional);
    window.show();
    window.frmrefresh();
    QCoreApplication::processEvents();
    std::vector<std::string> log;
    meter::GraphPrintAdapter<meter::Frmgraphshow> adapter(window);
    RecordingGraph graph(&log, &window);
    struct Both : meter::PrintableGraph {
        meter::PrintableGraph& real;
        RecordingGraph& rec;
        Both(meter::PrintableGraph& a, RecordingGraph& b) : real(a), rec(b) {}
        QWidget* window() override { return real.window(); }
        void freezePlot() override {
            rec.freezePlot();
            real.freezePlot();
        }
        void restorePlotFromBackdrop() override {
            rec.restorePlotFromBackdrop();
            real.restorePlotFromBackdrop();
        }
        void redraw() override {
            rec.redraw();
            real.redraw();
        }
    } both(adapter, graph);
    meter::SystemPrinter printer;
    printer.documentName = QStringLiteral("meter-print-test-%1").arg(QDateTime::currentMSecsSinceEpoch());
    testsupport::RecordingBoxes boxes;
    int resyncs = 0;
    meter::printCommand(both, printer, boxes, [&] { ++resyncs; });
    ASSERT_TRUE(boxes.shown.empty()) << boxes.shown[0].text.toStdString();
    EXPECT_FALSE(window.Picture1->frozen()); // the plot shows the live screen again
    EXPECT_EQ(resyncs, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"freeze", "restore", "redraw"}));

    // Wait for one new, complete PDF.
    QString pdf;
    QTemporaryDir out;
    QImage page;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30000 && page.isNull()) {
        QThread::msleep(300);
        QCoreApplication::processEvents();
        QStringList added;
        // The queue is shared with other tests: only this job's file counts.
        for (const QString& f : pdfsIn(folder))
            if (!before.contains(f) && f.startsWith(printer.documentName)) added << f;
        if (added.size() > 1) FAIL() << "more than one new PDF: " << added.join(", ").toStdString();
        if (added.isEmpty()) continue;
        pdf = QDir(folder).filePath(added.first());
        const QString prefix = QDir(out.path()).filePath("page");
        if (QProcess::execute("pdftoppm", {"-png", "-r", "50", "-f", "1", "-l", "1", pdf, prefix}) != 0) continue;
        const QStringList pngs = QDir(out.path()).entryList({"page*.png"}, QDir::Files);
        if (!pngs.isEmpty()) page.load(QDir(out.path()).filePath(pngs.first()));
    }
    ASSERT_FALSE(page.isNull()) << "no PDF from the queue within 30 s in " << folder.toStdString();
    testsupport::savePng(page, "printed_graph_page.png");

    // The bounding box of what is printed (the window's grey against the white sheet).
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 250) box |= QRect(x, y, 1, 1);
    ASSERT_FALSE(box.isEmpty());
    const bool sheetTall = page.height() > page.width();
    const bool contentTall = box.height() > box.width();
    // Landscape: the window's long side runs along the sheet's long side,
    // whether the queue turns the sheet or the content.
    EXPECT_EQ(sheetTall, contentTall) << "sheet " << page.width() << "x" << page.height() << ", content " << box.width()
                                      << "x" << box.height();
    // Scaled to fit: the window's long side covers most of the sheet's.
    const int longContent = std::max(box.width(), box.height());
    const int longSheet = std::max(page.width(), page.height());
    EXPECT_GT(longContent, longSheet * 7 / 10);
    // The window's proportions are kept (723 : 479).
    const double ratio = double(longContent) / std::min(box.width(), box.height());
    EXPECT_NEAR(ratio, 723.0 / 479.0, 0.05);
    QFile::remove(pdf);
}

} // namespace

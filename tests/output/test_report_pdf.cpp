// The report and the printer object on real output: a PDF file written by Qt,
// and the system's cups-pdf queue when one is set up (.ci/cups-setup.sh). The
// text is found again with pdftotext -bbox where the layout puts it.
#include "cups_pdf.h"
#include "output/graph_print.h"
#include "output/print_report.h"
#include "platform/printer.h"

#include "fake_env.h"
#include "record_fills.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <cmath>
#include <memory>
#include <vector>

namespace {

struct Word {
    QString text;
    double x, bottom; // left and bottom edge of its box, points from the page's corner
};

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The words of each page.
std::vector<std::vector<Word>> pdfWords(const QString& pdf) {
    std::vector<std::vector<Word>> pages;
    const QString xml = run("pdftotext", {"-bbox", pdf, "-"});
    static const QRegularExpression tag(
        R"re(<page |<word xMin="([-0-9.]+)" yMin="[-0-9.]+" xMax="[-0-9.]+" yMax="([-0-9.]+)">([^<]*)</word>)re");
    for (auto it = tag.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            pages.emplace_back();
        } else if (!pages.empty()) {
            QString text = m.captured(3);
            text.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
            pages.back().push_back({text, m.captured(1).toDouble(), m.captured(2).toDouble()});
        }
    }
    return pages;
}

const QString kDate = QStringLiteral("10.12.26");

std::unique_ptr<meter::SharedState> records(int n) {
    auto s = std::make_unique<meter::SharedState>();
    meter::initSharedState(*s);
    for (int i = 1; i <= n; ++i)
        testsupport::appendFileRecord(*s, {i, "09:30:" + std::to_string(10 + i), 60 + i / 4.0, "dBA"});
    return s;
}

// Metrics of Arial in points.
struct ArialMetrics {
    double blank;  // width of a blank: a number's place of the sign
    double height; // ascent + descent: from the top of the text to the bottom of its box
};
ArialMetrics arial(double points, bool bold) {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    QFont f(meter::SystemPrinter::printedFamily("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    const QFontMetricsF m(f, &pdf);
    const double k = 72.0 / pdf.resolution();
    return {m.horizontalAdvance(QLatin1Char(' ')) * k, (m.ascent() + m.descent()) * k};
}

// The report of `records(37)` in `pdf`: two pages, each word of the title,
// the headings, the rows and the footer within 2 points of where the layout
// puts it, counted from `origin`, the corner of the printable area, and
// nothing else. The text's top is the layout's y; the box is checked at its
// left and bottom edges, the bottom lying one ascent and descent below the
// top (the top edge that pdftotext reports follows the ascent written in the
// PDF's font, which the queue's renderer changes).
void expectReportOf37(const QString& pdf, QPointF origin) {
    const auto pages = pdfWords(pdf);
    ASSERT_EQ(pages.size(), 2u) << pdf.toStdString();
    const ArialMetrics title = arial(24, true), heading = arial(15, true), row = arial(12, false);
    auto expectWord = [&](int page, const QString& text, double xTwips, double yTwips, const ArialMetrics& font) {
        const double x = origin.x() + xTwips / 20.0;
        const double bottom = origin.y() + yTwips / 20.0 + font.height;
        for (const Word& w : pages[static_cast<std::size_t>(page - 1)])
            if (w.text == text && std::fabs(w.x - x) <= 2 && std::fabs(w.bottom - bottom) <= 2) return;
        ADD_FAILURE() << "page " << page << ": no \"" << text.toStdString() << "\" at x " << x << ", bottom " << bottom;
    };
    const double blank = row.blank * 20; // in twips
    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        expectWord(page, "Sound", 2200, 400, title);
        expectWord(page, "NO.", 1100, 1200, heading);
        expectWord(page, "Time", 3300, 1200, heading);
        expectWord(page, "Data", 5800, 1200, heading);
        expectWord(page, "dBA\\dBC", 8300, 1200, heading);
        expectWord(page, "Page", 3953, 16000, row);
        QStringList footer;
        for (const Word& w : pages[static_cast<std::size_t>(page - 1)])
            if (std::fabs(w.bottom - (origin.y() + 800 + row.height)) <= 2) footer << w.text;
        EXPECT_EQ(footer.join(' '), QString("Page %1 (%2)").arg(page).arg(kDate));
    }
    for (int i = 1; i <= 37; ++i) {
        SCOPED_TRACE(i);
        const int page = i <= 36 ? 1 : 2;
        const double y = 1600 + 400 * ((i - 1) % 36);
        expectWord(page, QString::number(i), 1100 + blank, y, row);
        expectWord(page, QString("09:30:%1").arg(10 + i), 3300, y, row);
        expectWord(page, QString::number(60 + i / 4.0), 5800 + blank, y, row);
        expectWord(page, "dBA", 8300, y, row);
    }
    // Title 4 words, headings 4, rows 4 each, footer 3.
    EXPECT_EQ(pages[0].size(), 4u + 4 + 36 * 4 + 3);
    EXPECT_EQ(pages[1].size(), 4u + 4 + 1 * 4 + 3);
}

struct GraphStandIn : meter::PrintableGraph {
    QWidget w;
    GraphStandIn() { w.resize(300, 200); }
    QWidget* window() override { return &w; }
    void freezePlot() override {}
    void restorePlotFromBackdrop() override {}
    void redraw() override {}
};

int pageCount(const QString& pdf) {
    static const QRegularExpression pagesLine(R"(Pages:\s+(\d+))");
    const auto m = pagesLine.match(run("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

bool landscapeFirstPage(const QString& pdf) {
    static const QRegularExpression sizeLine(R"(Page size:\s+([0-9.]+) x ([0-9.]+))");
    const auto m = sizeLine.match(run("pdfinfo", {pdf}));
    return m.hasMatch() && m.captured(1).toDouble() > m.captured(2).toDouble();
}

TEST(ReportPdf, LayoutInPdfFile) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    auto state = records(37);
    meter::SystemPrinter printer([] { return QPrinterInfo(); }); // the file only
    printer.outputFileName = pdf;
    testsupport::RecordingBoxes boxes;
    meter::PrintReportState report;
    ASSERT_TRUE(meter::printAllDataCommand(*state, printer, boxes, {}, report, [] { return kDate; }));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(printer.documentOpen());
    // A PDF file has no unprintable edge.
    expectReportOf37(pdf, QPointF(0, 0));
    // Arial is printed in Liberation Sans.
    const QString fonts = run("pdffonts", {pdf});
    EXPECT_TRUE(fonts.contains("LiberationSans-Bold")) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains("LiberationSans ") || fonts.contains("LiberationSans-Regular")) << fonts.toStdString();
}

TEST(ReportPdf, ThroughCupsPdfQueue) {
    SKIP_UNLESS_CUPS_PDF();
    const QString folder = testsupport::cupsPdfFolder();
    const QPrinterInfo def = QPrinterInfo::defaultPrinter();

    // The corner of the printable area of an A4 portrait page, as Qt reports it.
    QPrinter probe(def, QPrinter::HighResolution);
    probe.setPageSize(QPageSize(QPageSize::A4));
    probe.setPageOrientation(QPageLayout::Portrait);
    probe.setPageMargins(probe.pageLayout().minimumMargins(), probe.pageLayout().units());
    const QPointF origin = probe.pageLayout().paintRectPoints().topLeft();

    const QString name = QStringLiteral("meter-report-test-%1").arg(QDateTime::currentMSecsSinceEpoch());
    auto state = records(37);
    testsupport::RecordingBoxes boxes;
    meter::PrintReportState report;
    {
        meter::SystemPrinter printer;
        printer.documentName = name;
        ASSERT_TRUE(meter::printAllDataCommand(*state, printer, boxes, {}, report, [] { return kDate; }));
    }
    ASSERT_TRUE(boxes.shown.empty()) << boxes.shown[0].text.toStdString();

    // Wait for our PDF, complete.
    QString pdf;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30000) {
        QThread::msleep(300);
        const QStringList mine = QDir(folder).entryList({name + "*.pdf"}, QDir::Files);
        if (!mine.isEmpty() && pageCount(QDir(folder).filePath(mine.first())) == 2) {
            pdf = QDir(folder).filePath(mine.first());
            break;
        }
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no two-page PDF from the queue within 30 s in " << folder.toStdString();
    expectReportOf37(pdf, origin);
    QFile::remove(pdf);
}

TEST(ReportPdf, NoPrinter) {
    auto state = records(3);
    meter::SystemPrinter printer([] { return QPrinterInfo(); });
    testsupport::RecordingBoxes boxes;
    meter::PrintReportState report;
    EXPECT_FALSE(meter::printAllDataCommand(*state, printer, boxes, {}, report, [] { return kDate; }));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "print data error!");
    EXPECT_EQ(boxes.shown[0].title, "meter");
    EXPECT_EQ(boxes.shown[0].buttons, meter::MessageBoxes::Buttons::Ok);
    EXPECT_FALSE(printer.documentOpen());
}

// A run that fails leaves its document open. The next print of either kind
// hands it to the printer and prints a document of its own; so does the end
// of the program.
TEST(ReportPdf, DocumentLeftOpen) {
    QTemporaryDir dir;
    auto state = records(3);
    testsupport::RecordingBoxes boxes;
    meter::PrintReportState report;
    const meter::GraphZoomView noWidth{true, 0.0, 0};
    auto printer = std::make_unique<meter::SystemPrinter>([] { return QPrinterInfo(); });

    printer->outputFileName = dir.filePath("failed.pdf");
    EXPECT_FALSE(meter::printDataCommand(*state, noWidth, *printer, boxes, {}, report, [] { return kDate; }));
    EXPECT_TRUE(printer->documentOpen());

    // The graph.
    GraphStandIn graph;
    printer->outputFileName = dir.filePath("graph.pdf");
    EXPECT_TRUE(meter::printsub(graph, *printer, boxes));
    EXPECT_FALSE(printer->documentOpen());
    // The failed run's page: title and headings, no rows, no footer.
    const auto failed = pdfWords(dir.filePath("failed.pdf"));
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].size(), 8u);
    EXPECT_EQ(pageCount(dir.filePath("graph.pdf")), 1);
    EXPECT_TRUE(landscapeFirstPage(dir.filePath("graph.pdf")));

    // A report after another failed run.
    EXPECT_FALSE(meter::printDataCommand(*state, noWidth, *printer, boxes, {}, report, [] { return kDate; }));
    printer->outputFileName = dir.filePath("report.pdf");
    EXPECT_TRUE(meter::printAllDataCommand(*state, *printer, boxes, {}, report, [] { return kDate; }));
    const auto pages = pdfWords(dir.filePath("report.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].size(), 4u + 4 + 3 * 4 + 3);
    EXPECT_FALSE(landscapeFirstPage(dir.filePath("report.pdf")));

    // Left open at the end of the program.
    printer->outputFileName = dir.filePath("at-exit.pdf");
    EXPECT_FALSE(meter::printDataCommand(*state, noWidth, *printer, boxes, {}, report, [] { return kDate; }));
    printer.reset();
    EXPECT_EQ(pageCount(dir.filePath("at-exit.pdf")), 1);
    EXPECT_EQ(boxes.shown.size(), 3u);
}

TEST(SystemPrinterObject, PositionsWidthAndLineEnd) {
    QTemporaryDir dir;
    meter::SystemPrinter printer([] { return QPrinterInfo(); });
    printer.outputFileName = dir.filePath("p.pdf");

    printer.PaperSize = meter::Printer::PaperA4;
    EXPECT_EQ(printer.Width(), 11906); // 210 mm
    printer.Orientation = meter::Printer::Landscape;
    EXPECT_EQ(printer.Width(), 16838); // 297 mm
    printer.Orientation = meter::Printer::Portrait;
    printer.PaperSize = 1;
    EXPECT_EQ(printer.Width(), 12240); // 8.5 in

    // A position out of all reach is refused, and no document begins.
    printer.setCurrentX(std::nanf(""));
    EXPECT_FALSE(printer.Print("x"));
    printer.setCurrentX(1e30f);
    EXPECT_FALSE(printer.Print("x"));
    EXPECT_FALSE(printer.documentOpen());

    printer.PaperSize = meter::Printer::PaperA4;
    printer.setFontName("Arial");
    printer.setFontSize(12);
    printer.setCurrentX(1234.5f);
    printer.setCurrentY(2000.25f);
    EXPECT_EQ(printer.CurrentX(), 1234.5f);
    EXPECT_EQ(printer.CurrentY(), 2000.25f);
    ASSERT_TRUE(printer.Print(7.0, '.'));
    EXPECT_TRUE(printer.documentOpen());
    // The line ends: back to the left edge, one line of Arial 12 lower.
    EXPECT_EQ(printer.CurrentX(), 0.0f);
    EXPECT_GT(printer.CurrentY(), 2000.25f + 240);
    EXPECT_LT(printer.CurrentY(), 2000.25f + 320);
    // A size no font has is refused.
    printer.setFontSize(0);
    EXPECT_FALSE(printer.Print("x"));
    EXPECT_TRUE(printer.EndDoc());

    const auto pages = pdfWords(dir.filePath("p.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].size(), 1u);
    EXPECT_EQ(pages[0][0].text, "7");
    const ArialMetrics font = arial(12, false);
    EXPECT_NEAR(pages[0][0].x, 1234.5 / 20 + font.blank, 0.5);
    EXPECT_NEAR(pages[0][0].bottom, 2000.25 / 20 + font.height, 0.5);
}

} // namespace

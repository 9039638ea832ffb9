// The tabular print report of a full data file (36000 records, 1001 pages)
// rendered to a PDF file through the printer object, against its floor: the
// same texts in the same fonts drawn at the same places with plain QPainter
// calls on a QPrinter that writes the same kind of PDF file.
//
// Each iteration prints the report and draws the floor once each, in turn,
// the order changing from one iteration to the next, so that whatever load
// the machine carries falls on both alike. Each is timed on its own, in CPU
// time of this thread and in wall-clock time. The benchmark's time is the
// report's wall-clock time; the counters give the CPU and wall-clock times of
// each and their ratios (report / floor). Read the medians:
//
//     taskset -c 2 bench_print_report
//
// Both print in the same process, after one untimed run of each, so the
// fonts are loaded and what the printer object sets up on its first document
// holds for both.
#include "file_records.h"
#include "ok_boxes.h"
#include "output/print_report.h"
#include "platform/printer.h"
#include "scratch_files.h"

#include "qt_bench_main.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <chrono>
#include <ctime>
#include <vector>

namespace {

const QString kDate = QStringLiteral("10.12.26");

// One item of the report as the printer object is asked to print it.
struct Item {
    int page;
    QString family;
    float size;
    bool bold;
    float x, y; // twips
    QString text;
};

// Takes down the items of a report run.
class ItemRecorder : public meter::Printer {
public:
    std::vector<Item> items;
    bool NewPage() override {
        ++page_;
        return true;
    }
    bool PrintForm(QWidget*) override { return false; }
    bool EndDoc() override { return true; }

protected:
    bool printText(const QString& text) override {
        items.push_back({page_, meter::SystemPrinter::printedFamily(FontName()), FontSize(), FontBold(), CurrentX(),
                         CurrentY(), text});
        return true;
    }

private:
    int page_ = 1;
};

// The report, as the tool strip prints it. The number of pages printed.
int printReport(const QString& path) {
    OkBoxes boxes;
    meter::PrintReportState report;
    meter::SystemPrinter printer([] { return QPrinterInfo(); });
    printer.outputFileName = path;
    if (!meter::printAllDataCommand(fullFileStore(), printer, boxes, {}, report, [] { return kDate; })) return 0;
    return report.printPage;
}

// The texts and their places, taken down once.
const std::vector<Item>& reportItems() {
    static const std::vector<Item> items = [] {
        ItemRecorder recorder;
        OkBoxes boxes;
        meter::PrintReportState report;
        meter::printAllDataCommand(fullFileStore(), recorder, boxes, {}, report, [] { return kDate; });
        return std::move(recorder.items);
    }();
    return items;
}

// The floor: the report's items drawn straight with QPainter, the font chosen
// anew only where it changes. The number of pages drawn.
int drawFloor(const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(QStringLiteral("meter"));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(printer.pageLayout().minimumMargins(), printer.pageLayout().units());
    QPainter painter(&printer);
    const double k = printer.resolution() / 1440.0;
    int page = 1;
    const Item* last = nullptr;
    double ascent = 0;
    for (const Item& it : reportItems()) {
        if (it.page != page) {
            printer.newPage();
            page = it.page;
        }
        if (!last || last->family != it.family || last->size != it.size || last->bold != it.bold) {
            QFont font(it.family);
            font.setPointSizeF(it.size);
            font.setBold(it.bold);
            painter.setFont(font);
            ascent = QFontMetricsF(font, &printer).ascent();
        }
        last = &it;
        painter.drawText(QPointF(it.x * k, it.y * k + ascent), it.text);
    }
    return painter.end() ? page : 0;
}

double threadSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

struct Times {
    double cpu = 0;
    double wall = 0;
};

template <class Run>
int timed(Times& sum, const Run& run) {
    const double w0 = wallSeconds();
    const double c0 = threadSeconds();
    const int pages = run();
    sum.cpu += threadSeconds() - c0;
    sum.wall += wallSeconds() - w0;
    return pages;
}

void BM_PrintReportAgainstFloor(benchmark::State& st) {
    const QString reportPath = QString::fromStdString(benchPath("report.pdf"));
    const QString floorPath = QString::fromStdString(benchPath("floor.pdf"));

    static const bool warm = [&] {
        printReport(reportPath);
        drawFloor(floorPath);
        return true;
    }();
    (void)warm;

    Times report;
    Times floor;
    bool reportFirst = true;
    int reportPages = 0;
    int floorPages = 0;
    for (auto _ : st) {
        const double reportWall = report.wall;
        const auto runReport = [&] { reportPages = timed(report, [&] { return printReport(reportPath); }); };
        const auto runFloor = [&] { floorPages = timed(floor, [&] { return drawFloor(floorPath); }); };
        if (reportFirst) {
            runReport();
            runFloor();
        } else {
            runFloor();
            runReport();
        }
        reportFirst = !reportFirst;
        st.SetIterationTime(report.wall - reportWall);
    }

    // Both must have done the same work: the same pages, files of the same size.
    const qint64 reportBytes = QFileInfo(reportPath).size();
    const qint64 floorBytes = QFileInfo(floorPath).size();
    QFile::remove(reportPath);
    QFile::remove(floorPath);
    if (reportPages != 1001 || floorPages != 1001) st.SkipWithError("not 1001 pages");
    if (reportBytes <= 0 || reportBytes != floorBytes) st.SkipWithError("the two files differ in size");

    const double n = static_cast<double>(st.iterations());
    st.counters["report_cpu_ms"] = report.cpu / n * 1e3;
    st.counters["floor_cpu_ms"] = floor.cpu / n * 1e3;
    st.counters["report_wall_ms"] = report.wall / n * 1e3;
    st.counters["floor_wall_ms"] = floor.wall / n * 1e3;
    st.counters["cpu_ratio"] = report.cpu / floor.cpu;
    st.counters["wall_ratio"] = report.wall / floor.wall;
    st.counters["pdf_bytes"] = static_cast<double>(reportBytes);
}
// Two iterations make one repetition: each order once.
BENCHMARK(BM_PrintReportAgainstFloor)->UseManualTime()->Iterations(2)->Repetitions(9)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }

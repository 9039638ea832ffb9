// The tabular print report of a full data file (36000 records, 1001 pages)
// rendered to a PDF file through the printer object, against the floor: the
// same texts drawn at the same places with plain QPainter calls on the same
// kind of printer.
#include "file_records.h"
#include "output/print_report.h"
#include "platform/message_boxes.h"
#include "platform/printer.h"

#include "qt_bench_main.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

QString benchPath(const char* name) {
    return QStringLiteral("/tmp/meter_bench_%1_%2.pdf").arg(::getpid()).arg(name);
}

struct NoBoxes : meter::MessageBoxes {
    int shown = 0;
    Answer show(const QString&, const QString&, Buttons) override {
        ++shown;
        return Answer::Ok;
    }
};

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

void BM_PrintReport(benchmark::State& st) {
    meter::SharedState& file = fullFileStore();
    const QString path = benchPath("report");
    NoBoxes boxes;
    meter::PrintReportState report;
    for (auto _ : st) {
        meter::SystemPrinter printer([] { return QPrinterInfo(); });
        printer.outputFileName = path;
        if (!meter::printAllDataCommand(file, printer, boxes, report, [] { return kDate; }))
            st.SkipWithError("report failed");
    }
    if (report.printPage != 1001) st.SkipWithError("not 1001 pages");
    st.counters["pages"] = report.printPage;
    QFile::remove(path);
}
BENCHMARK(BM_PrintReport)->Unit(benchmark::kMillisecond);

void BM_PrintReportFloor(benchmark::State& st) {
    // The texts and their places, taken down once.
    ItemRecorder recorder;
    NoBoxes boxes;
    meter::PrintReportState report;
    meter::printAllDataCommand(fullFileStore(), recorder, boxes, report, [] { return kDate; });
    const QString path = benchPath("floor");

    for (auto _ : st) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setPageMargins(printer.pageLayout().minimumMargins(), printer.pageLayout().units());
        QPainter painter(&printer);
        const double k = printer.resolution() / 1440.0;
        int page = 1;
        const Item* last = nullptr;
        double ascent = 0;
        for (const Item& it : recorder.items) {
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
        painter.end();
    }
    st.counters["pages"] = recorder.items.empty() ? 0 : recorder.items.back().page;
    QFile::remove(path);
}
BENCHMARK(BM_PrintReportFloor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }

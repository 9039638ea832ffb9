// Memory over repeated saves: SAVE AS and EXPORT of a full store (50000
// records), one pair after the other, each name picked in Qt's file dialog as
// a user picks it (the overwrite question answered Yes), against the floor:
// the same pairs with the names handed in, no dialog shown. Reported per pair:
// the growth of the heap in use (what a leak or a growing cache shows) and of
// the resident memory, also after malloc_trim (what the allocator merely
// keeps of freed memory).
#include "output/commands.h"
#include "platform/common_dialog.h"
#include "ok_boxes.h"
#include "qt_bench_main.h"
#include "record_fills.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using meter::Unit;

double residentBytes() {
    std::ifstream in("/proc/self/statm");
    long size = 0, resident = 0;
    in >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE));
}

double heapInUse() {
    const struct mallinfo2 m = ::mallinfo2();
    return static_cast<double>(m.uordblks + m.hblkhd);
}

meter::SharedState& fullStore() {
    static std::unique_ptr<meter::SharedState> s = [] {
        auto st = std::make_unique<meter::SharedState>();
        meter::initSharedState(*st);
        for (std::int32_t n = 1; n <= meter::LiveRecordStore::capacity; ++n)
            testsupport::appendLiveRecord(*st, {(n % 3000) / 100.0, Unit::MetresPerSecond, (150 + n % 150) / 10.0,
                                                Unit::Celsius, (n % 10000) * 37 / 1000.0, Unit::CubicMetresPerMin,
                                                0.125, Unit::SquareMetres, "10-12-2026", testsupport::timeOfDayAt(n)});
        return st;
    }();
    return *s;
}

// Qt's dialog, accepted once it shows its proposal; the question whether to
// replace the file answered Yes.
meter::CommonDialog::Chooser acceptingQtDialog() {
    meter::CommonDialog::Chooser qt = meter::qtFileChooser(nullptr);
    return [qt](const meter::CommonDialog::Request& r) {
        QTimer user;
        QWidget* answered = nullptr;
        QObject::connect(&user, &QTimer::timeout, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (w == nullptr || w == answered) return;
            answered = w;
            if (auto* box = qobject_cast<QMessageBox*>(w))
                QMetaObject::invokeMethod(box->button(QMessageBox::Yes), "click", Qt::QueuedConnection);
            else if (qobject_cast<QFileDialog*>(w) != nullptr)
                QMetaObject::invokeMethod(w, "accept", Qt::QueuedConnection);
        });
        user.start(1);
        return qt(r);
    };
}

void savePairs(benchmark::State& state, const meter::CommonDialog::Chooser& chooser) {
    const std::string folder = "/tmp/meter_bench_" + std::to_string(::getpid());
    ::mkdir(folder.c_str(), 0700);
    const QString report = QString::fromStdString(folder + "/report.txt");
    const QString csv = QString::fromStdString(folder + "/export.csv");
    meter::CommonDialog dialog(chooser);
    OkBoxes boxes;
    const auto pair = [&] {
        dialog.FileName = report;
        meter::saveasCommand(fullStore(), dialog, boxes, {}, {}, {});
        dialog.FileName = csv;
        meter::exportCommand(fullStore(), dialog, boxes, {}, {});
        // What the main loop does once a click has been handled.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    // The first pairs fill what is made once (fonts, icons, the dialog, the
    // writers' buffers in the heap).
    for (int i = 0; i < 3; ++i) pair();
    const double heap0 = heapInUse(), rss0 = residentBytes();
    for (auto _ : state) pair();
    const double n = static_cast<double>(state.iterations());
    const double heap1 = heapInUse(), rss1 = residentBytes();
    ::malloc_trim(0);
    const double rssTrimmed = residentBytes();
    state.counters["heap_growth_per_pair"] = (heap1 - heap0) / n;
    state.counters["rss_growth_per_pair"] = (rss1 - rss0) / n;
    state.counters["rss_growth_per_pair_trimmed"] = (rssTrimmed - rss0) / n;
    if (boxes.shown > 0) state.SkipWithError("a save failed");
    std::remove(report.toStdString().c_str());
    std::remove(csv.toStdString().c_str());
    ::rmdir(folder.c_str());
}

void BM_SavePairsThroughTheDialog(benchmark::State& state) { savePairs(state, acceptingQtDialog()); }

void BM_SavePairsFloor(benchmark::State& state) {
    savePairs(state, [](const meter::CommonDialog::Request& r) { return r.proposedName; });
}

BENCHMARK(BM_SavePairsThroughTheDialog)->Unit(benchmark::kMillisecond)->Iterations(60);
BENCHMARK(BM_SavePairsFloor)->Unit(benchmark::kMillisecond)->Iterations(60);

} // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }

// The whole handling of one accepted frame in the main window: readout, record,
// statistics texts and the graph's geometry; and the same with the repaint of
// the four child windows into an offscreen image.
#include "ok_boxes.h"
#include "qt_bench_main.h"
#include "windows/mainform.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

using namespace meter;

namespace {

// A main window on a pseudo-terminal, as when a meter is plugged in.
struct Rig {
    QTemporaryDir sysfs;
    int master = -1, slave = -1;
    OkBoxes boxes;
    std::unique_ptr<MainForm> form;
    std::vector<std::uint8_t> frame = std::vector<std::uint8_t>(40, 0);

    Rig() {
        namespace fs = std::filesystem;
        const fs::path root = sysfs.path().toStdString();
        fs::create_directories(root / "drivers" / "cp210x");
        fs::create_directories(root / "dev");
        fs::create_directory_symlink(root / "drivers" / "cp210x", root / "dev" / "driver");
        fs::create_directories(root / "class" / "tty" / "ttyUSB0");
        fs::create_directory_symlink(root / "dev", root / "class" / "tty" / "ttyUSB0" / "device");
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        openpty(&master, &slave, name, &raw, nullptr);
        Environment env;
        const QString path = QString::fromLocal8Bit(name);
        env.portPath = [path](int) { return path; };
        env.sysfsRoot = root;
        env.boxes = &boxes;
        env.clock = [] { return LocalDateTime{2026, 12, 10, 9, 30, 5}; };
        env.shortDate = [] { return QStringLiteral("10.12.26"); };
        form = std::make_unique<MainForm>(std::move(env));
        form->MDIForm_Load();
        form->TimerCheck->stop();
        form->MSComm1->setRThreshold(40);

        const float values[6] = {12.34f, 21.5f, 3.5f, 21.5f, 2.25f, 0.5f};
        for (int i = 0; i < 6; ++i) std::memcpy(&frame[static_cast<std::size_t>(2 + 4 * i)], &values[i], 4);
        frame[26] = 0x02;
        frame[27] = 0x01;
        frame[28] = 0x82;
        frame[29] = 0x01;
    }
    ~Rig() {
        form.reset();
        ::close(master);
        ::close(slave);
    }
    // Fills the store with n records.
    void fill(int n) {
        while (form->state.liveRecordCount < n) handle();
    }
    void handle() { form->MSComm1->deliver(frame.data(), frame.size()); }
};

std::unique_ptr<Rig> theRig;
Rig& rig() {
    if (!theRig) theRig = std::make_unique<Rig>();
    return *theRig;
}

void PerFrame(benchmark::State& st) {
    Rig& r = rig();
    const int stored = static_cast<int>(st.range(0));
    r.fill(stored);
    for (auto _ : st) {
        r.form->state.liveRecordCount = stored - 1; // the next frame is record `stored` again
        r.handle();
    }
}
// Counts with the same 200 records on the newest screen, so that only the store size differs.
BENCHMARK(PerFrame)->Arg(1040)->Arg(25190)->Arg(49970);

// The frame, then the repaint it causes: the window system's paint of every
// part of the four child windows that the frame changed, into the offscreen
// backing store.
void PerFrameWithRepaint(benchmark::State& st) {
    Rig& r = rig();
    const int stored = static_cast<int>(st.range(0));
    r.fill(stored);
    QCoreApplication::processEvents();
    for (auto _ : st) {
        r.form->state.liveRecordCount = stored - 1;
        r.handle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(PerFrameWithRepaint)->Arg(1040)->Arg(49970)->Unit(benchmark::kMicrosecond);

// The worst case: all four child windows painted anew into an image.
void PerFrameWithFullRender(benchmark::State& st) {
    Rig& r = rig();
    const int stored = static_cast<int>(st.range(0));
    r.fill(stored);
    QImage image(r.form->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        r.form->state.liveRecordCount = stored - 1;
        r.handle();
        r.form->render(&image);
    }
}
BENCHMARK(PerFrameWithFullRender)->Arg(49970)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv, [] { theRig.reset(); });
}

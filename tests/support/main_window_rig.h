// The main window on a pseudo-terminal, as when a meter is plugged in: a fake
// sysfs with one CP210x bridge whose port is the pseudo-terminal, recorded
// message boxes, a fixed clock and short date, a file dialog that hands back
// the answers queued in `answers`, and optionally a printer and regional
// settings of the test's own.
// Header only: it is used by the window tests alone, which link the windows.
#pragma once

#include "fake_env.h"
#include "file_bytes.h"
#include "pty_meter.h"
#include "record_fills.h"
#include "platform/printer.h"
#include "windows/mainform.h"

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <chrono>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

class MainWindowRig {
public:
    struct Options {
        std::string tty = "ttyUSB0"; // the bridge's device; ttyUSB0 is port 1
        meter::Printer* printer = nullptr;
        meter::Regional regional{};
        bool start = true; // run the start-up and wait until reception is armed
        // More ports besides the bridge's: port number and device.
        std::vector<std::pair<int, QString>> morePorts{};
        // The device the program opens as the bridge's port; empty: the
        // pseudo-terminal itself. A link here can be pointed at another
        // pseudo-terminal, as when the bridge is plugged in again.
        QString node{};
    };

    MainWindowRig() : MainWindowRig(Options{}) {}
    explicit MainWindowRig(Options options) {
        sysfs.addTty(options.tty, "cp210x");
        meter::Environment env;
        const QString slave = options.node.isEmpty() ? pty.slavePath() : options.node;
        const int port = commPortOf(options.tty);
        env.portPath = [slave, port, more = options.morePorts](int n) {
            if (n == port) return slave;
            for (const auto& [number, device] : more)
                if (n == number) return device;
            return QStringLiteral("/nonexistent/port");
        };
        env.sysfsRoot = sysfs.root();
        env.boxes = &boxes;
        env.clock = fixedTime;
        env.shortDate = fixedShortDate;
        env.printer = options.printer;
        env.regional = options.regional;
        env.chooser = [this](const meter::CommonDialog::Request&) {
            if (answers.empty()) return QString();
            const QString a = answers.front();
            answers.pop_front();
            return a;
        };
        form = std::make_unique<meter::MainForm>(std::move(env));
        if (options.start) {
            started = form->MDIForm_Load() && waitArmed();
        }
    }

    FakeSysfs sysfs;
    PtyMeter pty;
    RecordingBoxes boxes;
    std::deque<QString> answers; // what the file dialog hands back, in turn; empty: cancelled
    std::unique_ptr<meter::MainForm> form;
    bool started = false; // the start-up ran and reception is armed

    // Reception armed for the next frame, the synchronisation at rest.
    bool armed() const { return form->MSComm1->RThreshold() == 40 && !form->TimerCheck->isActive(); }
    bool waitArmed() {
        return waitUntil([this] { return armed(); }, std::chrono::seconds(2));
    }
    // Reception handed back to the synchronisation, as every command ends.
    bool resynchronised() const { return form->MSComm1->RThreshold() == 0 && form->TimerCheck->isActive(); }

    int count() const { return form->state.liveRecordCount; }
    double velocity(int n) const { return form->state.liveRecords[n].velocity; }
    bool waitForCount(int n) {
        return waitUntil([this, n] { return count() == n; }, std::chrono::seconds(2));
    }

    // At least n bytes that the program sent to the meter, with any that
    // follow within a short while; empty when fewer came within two seconds.
    std::vector<std::uint8_t> sentToMeter(std::size_t n) {
        std::vector<std::uint8_t> got;
        auto take = [&] {
            const auto more = pty.received();
            got.insert(got.end(), more.begin(), more.end());
        };
        if (!waitUntil(
                [&] {
                    take();
                    return got.size() >= n;
                },
                std::chrono::seconds(2)))
            return {};
        spin(std::chrono::milliseconds(20));
        take();
        return got;
    }

    // Records 1..n in the store, as the receive handler would leave them:
    // velocity 1.25 n m/s, the other quantities 0, all at one date and time.
    void addRecords(int n) {
        for (int i = 1; i <= n; ++i)
            setLiveRecord(form->state, i,
                          {1.25 * i,
                           meter::Unit::MetresPerSecond,
                           0,
                           meter::Unit::Celsius,
                           0,
                           meter::Unit::CubicMetresPerMin,
                           0,
                           meter::Unit::SquareMetres,
                           "10-12-2026",
                           {9, 30, 5}});
        form->state.liveRecordCount = n;
    }

    // A file the program wrote; empty when it cannot be read.
    static QByteArray readFile(const QString& path) { return QByteArray::fromStdString(readAll(path)); }

private:
    // ttyUSB<n> is the program's port n + 1.
    static int commPortOf(const std::string& tty) {
        const std::string prefix = "ttyUSB";
        return tty.rfind(prefix, 0) == 0 ? std::stoi(tty.substr(prefix.size())) + 1 : 0;
    }
};

} // namespace testsupport

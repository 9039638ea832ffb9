#include "fake_env.h"
#include "frame_bytes.h"
#include "main_window_rig.h"
#include "mouse_input.h"
#include "pty_meter.h"
#include "core/serial_link.h"
#include "platform/serialcomm_map.h"
#include "windows/mainform.h"
#include "windows/frmgraphshow.h"
#include "windows/statusfrm.h"
#include "windows/tableshow.h"
#include "windows/toolbar.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <stdexcept>

using namespace meter;
using namespace testsupport;
using namespace std::chrono_literals;

namespace {

// The main window on its pseudo-terminal, started by the test.
struct Rig : MainWindowRig {
    Rig() : MainWindowRig(Options{.start = false}) {}
    explicit Rig(QString node) : MainWindowRig(Options{.start = false, .node = std::move(node)}) {}
    bool start() { return form->MDIForm_Load(); }
};

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Runs the event loop without polling, so that the process stays idle unless
// something in the program keeps it busy.
void idleFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The meter at the line's pace: the bytes one by one, about a millisecond
// apart as at 9600 baud. Returns false when they did not go out back to back:
// on a busy machine this process can be held up between two bytes for as long
// as a pause of the meter, and the program rightly takes the frame for none.
bool sendPaced(PtyMeter& pty, const std::vector<std::uint8_t>& bytes) {
    bool backToBack = true;
    for (const std::uint8_t b : bytes) {
        QElapsedTimer step;
        step.start();
        pty.send({b});
        spin(1ms);
        if (step.elapsed() >= frameGapMs / 3) backToBack = false;
    }
    return backToBack;
}

// Makes `node` lead to a pseudo-terminal, as the system makes the bridge's
// device node when it is plugged in.
void pointAt(const QString& node, const QString& device) {
    std::filesystem::remove(node.toStdString());
    std::filesystem::create_symlink(device.toStdString(), node.toStdString());
}

} // namespace

TEST(PortDiscovery, FakeSysfsTrees) {
    {
        FakeSysfs fs;
        fs.addTty("ttyUSB0", "ftdi_sio");
        fs.addTty("ttyS0", "serial8250");
        const auto map = readSerialDeviceMap(fs.root());
        ASSERT_TRUE(map);
        EXPECT_TRUE(map->values.empty());
        EXPECT_EQ(lookUpPort(map).error, PortLookupError::NoBridge);
    }
    {
        FakeSysfs fs;
        fs.makeUnreadable();
        EXPECT_FALSE(readSerialDeviceMap(fs.root()));
        EXPECT_EQ(lookUpPort(readSerialDeviceMap(fs.root())).error, PortLookupError::KeyNotOpened);
    }
    {
        FakeSysfs fs;
        fs.addTty("ttyUSB6", "cp210x");
        EXPECT_EQ(lookUpPort(readSerialDeviceMap(fs.root())).commPort, 7);
    }
    {
        FakeSysfs fs;
        fs.addTty("ttyUSB11", "cp210x");
        fs.addTty("ttyUSB2", "cp210x");
        fs.addTty("ttyUSB0", "ftdi_sio");
        const auto map = readSerialDeviceMap(fs.root());
        ASSERT_TRUE(map);
        ASSERT_EQ(map->values.size(), 2u);
        EXPECT_EQ(map->values[0].name, "\\Device\\silabser0");
        EXPECT_EQ(map->values[0].data, "COM3");
        EXPECT_EQ(map->values[1].name, "\\Device\\silabser1");
        EXPECT_EQ(map->values[1].data, "COM12");
        EXPECT_EQ(lookUpPort(map).commPort, 3);
    }
    {
        FakeSysfs fs;
        fs.addTty("ttyUSB16", "cp210x"); // COM17 is no match: the stored port 3
        const PortLookup r = lookUpPort(readSerialDeviceMap(fs.root()));
        EXPECT_EQ(r.error, PortLookupError::None);
        EXPECT_EQ(r.commPort, 3);
    }
}

TEST(StartUp, FailuresEndTheProgramWithTheirMessage) {
    struct Case {
        std::function<void(FakeSysfs&)> setUp;
        const char* message;
    };
    const Case cases[] = {
        {[](FakeSysfs& fs) { fs.makeUnreadable(); }, "RegOpenKey error!"},
        {[](FakeSysfs& fs) { fs.addTty("ttyUSB0", "ftdi_sio"); },
         "No com-port! Please check out the line-connection and the device-driver-installation!"},
        {[](FakeSysfs& fs) { fs.addTty("ttyUSB4", "cp210x"); }, "PortOpen error!"}, // device missing
    };
    for (const Case& c : cases) {
        FakeSysfs fs;
        c.setUp(fs);
        RecordingBoxes boxes;
        Environment env;
        env.portPath = [](int) { return QStringLiteral("/nonexistent/ttyUSB4"); };
        env.sysfsRoot = fs.root();
        env.boxes = &boxes;
        env.clock = fixedTime;
        env.shortDate = fixedShortDate;
        MainForm form(std::move(env));
        EXPECT_FALSE(form.MDIForm_Load());
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, c.message);
        EXPECT_EQ(boxes.shown[0].title, "meter");
        EXPECT_EQ(boxes.shown[0].buttons, MessageBoxes::Buttons::Ok);
        EXPECT_FALSE(form.isVisible());
        EXPECT_FALSE(form.MSComm1->PortOpen());
        EXPECT_FALSE(form.TimerCheck->isActive());
    }
}

TEST(StartUp, OpensTheBridgesPortAndShutDownClosesIt) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_EQ(rig.form->MSComm1->CommPort(), 1);
    EXPECT_TRUE(rig.form->MSComm1->PortOpen());
    EXPECT_TRUE(rig.form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(rig.form->size(), QSize(909, 670));
    EXPECT_EQ(rig.form->frmtoolbar->geometry(), QRect(0, 0, 909, 71));
    EXPECT_EQ(rig.form->frmtableshow->geometry(), QRect(0, 71, 194, 479));
    EXPECT_EQ(rig.form->frmgraph->geometry(), QRect(194, 71, 723, 479));
    EXPECT_EQ(rig.form->frmstatus->geometry(), QRect(0, 550, 909, 120));
    EXPECT_TRUE(rig.waitArmed()); // no meter sending: armed at the first tick
    rig.form->close();
    EXPECT_FALSE(rig.form->MSComm1->PortOpen());
    EXPECT_TRUE(rig.boxes.shown.empty()); // no file records: no question
}

TEST(Reception, FramesBetweenPausesAreAcceptedOtherBlocksAreNot) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.waitArmed());

    rig.pty.send(frameOf(1));
    ASSERT_TRUE(rig.waitForCount(1));
    EXPECT_EQ(rig.velocity(1), 1);
    spin(150ms);

    std::vector<std::uint8_t> longer = frameOf(2);
    longer.push_back(0x55);
    rig.pty.send(longer); // 41 bytes: thrown away
    spin(150ms);
    EXPECT_EQ(rig.count(), 1);
    EXPECT_EQ(rig.form->MSComm1->InBufferCount(), 0);

    rig.pty.send(frameOf(3));
    ASSERT_TRUE(rig.waitForCount(2));
    EXPECT_EQ(rig.velocity(2), 3);
}

// A byte too many, or a frame cut short, puts the next 40 bytes across the
// meter's pause; taken as a frame it would leave every later block off by one.
TEST(Reception, AStrayByteOrABrokenFrameCorruptsNoRecord) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.waitArmed());
    spin(200ms); // the windows' first paints, before the meter starts
    std::uint8_t tag = 0;
    std::vector<double> heldUp; // frames that did not go out back to back
    auto frames = [&](int n) {
        for (int i = 0; i < n; ++i) {
            if (!sendPaced(rig.pty, frameOf(++tag))) heldUp.push_back(tag);
            spin(120ms); // the meter's pause
        }
    };
    frames(2);
    sendPaced(rig.pty, {0x5A}); // a stray byte in the pause
    spin(60ms);
    frames(3);
    std::vector<std::uint8_t> broken = frameOf(99);
    broken.pop_back(); // 39 bytes, then the pause
    sendPaced(rig.pty, broken);
    spin(120ms);
    frames(3);

    std::vector<double> stored;
    for (int n = 1; n <= rig.count(); ++n) stored.push_back(rig.velocity(n));
    SCOPED_TRACE("stored " + ::testing::PrintToString(stored) + ", held up " + ::testing::PrintToString(heldUp));
    // Every record is one of the frames, in the order sent...
    EXPECT_TRUE(std::adjacent_find(stored.begin(), stored.end(), std::greater_equal<>()) == stored.end());
    for (const double v : stored) EXPECT_TRUE(v >= 1 && v <= tag && v == static_cast<int>(v)) << v;
    // ...and from the second frame after each disturbance on, every frame is one.
    for (const double v : {1, 2, 4, 5, 7, 8}) {
        if (std::count(heldUp.begin(), heldUp.end(), v) == 0) {
            EXPECT_EQ(std::count(stored.begin(), stored.end(), v), 1) << v;
        }
    }
}

TEST(Reception, AStreamWithoutPausesIsNeverAccepted) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.waitArmed());
    rig.form->resyncReceive();
    for (int i = 0; i < 50; ++i) { // one second, a few bytes every 20 ms
        rig.pty.send(std::vector<std::uint8_t>(8, static_cast<std::uint8_t>(i)));
        spin(20ms);
    }
    EXPECT_EQ(rig.count(), 0);
    EXPECT_EQ(rig.form->MSComm1->RThreshold(), 0);
    EXPECT_TRUE(rig.form->TimerCheck->isActive());
}

TEST(Reception, ResyncDiscardsWhatCameMeanwhileAndResumesAtTheNextSilence) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.waitArmed());
    rig.form->resyncReceive();
    rig.pty.send(frameOf(7)); // arrives while synchronising
    ASSERT_TRUE(rig.waitArmed());
    EXPECT_EQ(rig.count(), 0);
    rig.pty.send(frameOf(8));
    ASSERT_TRUE(rig.waitForCount(1));
    EXPECT_EQ(rig.velocity(1), 8);
}

TEST(Reception, KeyBytesArriveUnchanged) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    rig.form->MSComm1->Output({0xAA, 0xBB, 0x0D, 0x0A, 0x00, 0xFF});
    EXPECT_EQ(rig.sentToMeter(6), (std::vector<std::uint8_t>{0xAA, 0xBB, 0x0D, 0x0A, 0x00, 0xFF}));
}

// A click on a key of the readout panel reaches the meter at once, also while
// reception is synchronising; where MAX/MIN is pictured nothing is sent.
TEST(Keys, ClicksOnThePanelReachTheMeter) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_EQ(rig.form->MSComm1->RThreshold(), 0); // not armed yet
    Tableshow& panel = *rig.form->frmtableshow;
    const std::pair<QPoint, std::uint8_t> keys[] = {
        {{53, 292}, 0x09},  // SET
        {{96, 292}, 0x0B},  // MEAN
        {{143, 293}, 0x05}, // HOLD/ZERO
        {{97, 328}, 0x06},  // FLOW/TEMP
        {{137, 327}, 0x0C}, // ENTER
        {{59, 425}, 0x0D},  // power
    };
    for (const auto& [at, code] : keys) {
        SCOPED_TRACE(int(code));
        clickAt(panel, at);
        EXPECT_EQ(rig.sentToMeter(3), (std::vector<std::uint8_t>{0xAA, 0xBB, code}));
    }
    clickAt(panel, {55, 328}); // MAX/MIN
    clickAt(panel, {90, 120}); // the display
    spin(150ms);
    EXPECT_TRUE(rig.pty.received().empty());
}

TEST(Environment, MessageBoxesClockAndShortDateAreRequired) {
    RecordingBoxes boxes;
    Environment noBoxes;
    noBoxes.clock = fixedTime;
    noBoxes.shortDate = fixedShortDate;
    EXPECT_THROW(MainForm{noBoxes}, std::invalid_argument);
    Environment noClock;
    noClock.boxes = &boxes;
    noClock.shortDate = fixedShortDate;
    EXPECT_THROW(MainForm{noClock}, std::invalid_argument);
    Environment noShortDate;
    noShortDate.boxes = &boxes;
    noShortDate.clock = fixedTime;
    EXPECT_THROW(MainForm{noShortDate}, std::invalid_argument);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ToolStrip, TestButtonSpeaksOnlyWhileThePortIsOpen) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    rig.form->frmtoolbar->Command1->click(); // hidden, but its handler runs
    ASSERT_EQ(rig.boxes.shown.size(), 1u);
    EXPECT_EQ(rig.boxes.shown[0].text, "fdsfds");
    EXPECT_EQ(rig.boxes.shown[0].title, "Meter");
    EXPECT_EQ(rig.boxes.shown[0].buttons, MessageBoxes::Buttons::Ok);
    rig.form->MSComm1->setPortOpen(false);
    rig.form->frmtoolbar->Command1_Click();
    EXPECT_EQ(rig.boxes.shown.size(), 1u);
}

TEST(Reception, FullStoreIgnoresTheFrameBeforeReadingIt) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    rig.form->TimerCheck->stop();
    rig.form->MSComm1->setRThreshold(40);
    rig.form->state.liveRecordCount = 49999;
    const auto f = frameOf(9);
    rig.form->MSComm1->deliver(f.data(), f.size());
    EXPECT_EQ(rig.count(), 50000); // the 50000th is stored in slot 50000
    EXPECT_EQ(rig.velocity(50000), 9);
    EXPECT_EQ(rig.form->frmgraph->NumberofAlltext->text(), "50000");
    const auto g = frameOf(10);
    rig.form->MSComm1->deliver(g.data(), g.size());
    EXPECT_EQ(rig.count(), 50000);
    EXPECT_EQ(rig.velocity(50000), 9);
    EXPECT_EQ(rig.form->MSComm1->InBufferCount(), 40); // nothing read or discarded
}

TEST(Reception, WatchdogShowsOffLineFourSecondsAfterTheLastFrame) {
    Rig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.waitArmed());
    EXPECT_FALSE(rig.form->Timer_offline->isActive());
    EXPECT_EQ(rig.form->frmtableshow->FIRSTLABEL->text(), "-0.000"); // design caption
    rig.pty.send(frameOf(1));
    ASSERT_TRUE(rig.waitForCount(1));
    EXPECT_EQ(rig.form->frmtableshow->FIRSTLABEL->text(), "0"); // display value 0 in m/s
    EXPECT_TRUE(rig.form->Timer_offline->isActive());
    spin(3500ms);
    EXPECT_NE(rig.form->frmtableshow->FIRSTLABEL->text(), "OFF");
    ASSERT_TRUE(waitUntil([&] { return rig.form->frmtableshow->FIRSTLABEL->text() == "OFF"; }, 1500ms));
    EXPECT_EQ(rig.form->frmtableshow->SECONDLABEL->text(), "LINE");
    EXPECT_FALSE(rig.form->Timer_offline->isActive());
}

// A bridge's node in a folder of its own: the program looks for the device
// again once it is gone, and must look where no other test's pseudo-terminal
// can appear.
struct BridgeNode {
    QTemporaryDir dir;
    QString node = dir.filePath(QStringLiteral("ttyUSB0"));

    // Pulls the bridge out: the line hangs up and its device goes away.
    void unplug(PtyMeter& pty) const {
        pty.hangUp();
        std::filesystem::remove(node.toStdString());
    }
};

// Starts on the bridge, records one frame and unplugs the bridge.
void recordOneThenUnplug(Rig& rig, const BridgeNode& bridge) {
    ASSERT_TRUE(bridge.dir.isValid());
    pointAt(bridge.node, rig.pty.slavePath());
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.waitArmed());
    rig.pty.send(frameOf(1));
    ASSERT_TRUE(rig.waitForCount(1));
    bridge.unplug(rig.pty);
}

// Unplugging the bridge removes its device; plugged in again, the same port
// comes back at the same node, and recording goes on.
TEST(Reception, ABridgePluggedInAgainIsReopenedAndRecordingGoesOn) {
    const BridgeNode bridge;
    Rig rig(bridge.node);
    ASSERT_NO_FATAL_FAILURE(recordOneThenUnplug(rig, bridge));
    ASSERT_TRUE(waitUntil([&] { return !rig.form->MSComm1->PortOpen(); }, 2s));
    const double before = cpuSeconds();
    idleFor(1500);
    EXPECT_LT(cpuSeconds() - before, 0.15); // the wait for the device keeps no core busy
    EXPECT_FALSE(rig.form->MSComm1->PortOpen());

    PtyMeter back;
    pointAt(bridge.node, back.slavePath());
    ASSERT_TRUE(waitUntil([&] { return rig.form->MSComm1->PortOpen(); }, 3s));
    ASSERT_TRUE(rig.waitArmed());
    back.send(frameOf(2));
    ASSERT_TRUE(rig.waitForCount(2));
    EXPECT_EQ(rig.velocity(1), 1);
    EXPECT_EQ(rig.velocity(2), 2);
    EXPECT_EQ(rig.form->MSComm1->CommPort(), 1);

    // A port closed on purpose stays closed although its device is there.
    rig.form->MSComm1->setPortOpen(false);
    idleFor(1200);
    EXPECT_FALSE(rig.form->MSComm1->PortOpen());
    EXPECT_FALSE(rig.form->Timer_reopen->isActive());

    // Shut-down ends the wait for a device that is gone.
    rig.form->connectPort(1);
    ASSERT_TRUE(rig.form->MSComm1->PortOpen());
    bridge.unplug(back);
    ASSERT_TRUE(waitUntil([&] { return rig.form->Timer_reopen->isActive(); }, 2s));
    rig.form->close();
    EXPECT_FALSE(rig.form->Timer_reopen->isActive());
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST(Reception, UnpluggedBridgeLeavesTheProgramIdleAndResponsive) {
    const BridgeNode bridge;
    Rig rig(bridge.node);
    ASSERT_NO_FATAL_FAILURE(recordOneThenUnplug(rig, bridge));
    spin(100ms);
    const double before = cpuSeconds();
    idleFor(1000);
    EXPECT_LT(cpuSeconds() - before, 0.3); // no busy loop on the dead line
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    EXPECT_TRUE(waitUntil([&] { return fired; }, 1s));
    ASSERT_TRUE(waitUntil([&] { return rig.form->frmtableshow->FIRSTLABEL->text() == "OFF"; }, 4s));
    EXPECT_EQ(rig.count(), 1);
}

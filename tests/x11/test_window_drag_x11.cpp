// Dragging the caption-less windows for real: on an X server of their own with
// the openbox window manager (run_under_openbox.sh starts both), the pointer
// driven with xdotool, each window's position read back from the X server.
#include "form1.h"
#include "launcher_services.h"
#include "main_window_rig.h"
#include "png_files.h"
#include "pty_meter.h"
#include "windows/dlg_selectcon.h"
#include "windows/mainform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <memory>

using namespace std::chrono_literals;

// Points in the failure messages (found by argument-dependent look-up, so in
// QPoint's own, the global, namespace).
static std::ostream& operator<<(std::ostream& os, const QPoint& p) {
    return os << '(' << p.x() << ", " << p.y() << ')';
}

namespace {

// One run of xdotool with a chain of its commands, e.g. {"mousemove", "10",
// "20", "mousedown", "1"}; the program waits for it (its events queue up and
// are taken in when the test next runs the event loop).
void pointer(const QStringList& commands) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), commands);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        ADD_FAILURE() << "xdotool " << commands.join(QLatin1Char(' ')).toStdString()
                      << " failed: " << p.readAllStandardError().toStdString();
}

QStringList moveTo(QPoint global) {
    return {QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())};
}

QStringList button(const char* action, int number) { return {QString::fromLatin1(action), QString::number(number)}; }

// Where the X server has the window's top-left corner on the screen, asked on
// the program's own connection (as xdotool getwindowgeometry does, without
// starting a process for every look).
QPoint serverPos(const QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return {-1, -1};
    const auto w = static_cast<xcb_window_t>(window.winId());
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr), &std::free);
    if (!geometry) return {-1, -1};
    std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> at(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, geometry->root, 0, 0), nullptr), &std::free);
    if (!at) return {-1, -1};
    return {at->dst_x, at->dst_y};
}

// The window gets to `expected` within a while (the window manager and the
// program answer the pointer in their own time): first as the program sees it,
// then on the X server.
bool reaches(const QWidget& window, QPoint expected) {
    return testsupport::waitUntil([&] { return window.pos() == expected; }, 2s) &&
           testsupport::waitUntil([&] { return serverPos(window) == expected; }, 1s);
}

// The window is still at `expected` once everyone had time to act on the
// pointer: a window that follows the pointer moves within milliseconds.
void staysAt(const QWidget& window, QPoint expected, const char* when) {
    testsupport::spin(150ms);
    EXPECT_EQ(window.pos(), expected) << when;
    EXPECT_EQ(serverPos(window), expected) << when;
}

void show(QWidget& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Let the window manager finish placing it, and the program learn where:
    // on a busy machine the program may still see its first position.
    testsupport::spin(100ms);
    ASSERT_TRUE(testsupport::waitUntil([&] { return window.pos() == serverPos(window); }, 5s))
        << "placed at " << serverPos(window) << ", the program sees " << window.pos();
}

void savePicture(QWidget& window, const char* name) {
    testsupport::savePng(window, QStringLiteral("x11_%1.png").arg(QString::fromLatin1(name)));
}

// At the background point `at` of `window`: a click, then a drag with each of
// the buttons 1, 2 and 3 (to half the travel, then all of it), each followed
// by a move with no button held. The window moves only while a button is
// held, by the pointer's travel, and stays where the release left it.
void dragFrom(QWidget& window, QPoint at, const char* what) {
    SCOPED_TRACE(what);
    QPoint pos = serverPos(window);
    ASSERT_NE(pos, QPoint(-1, -1));
    const QPoint travel(60, 40);

    pointer(moveTo(pos + at) + button("click", 1));
    testsupport::spin(50ms); // the program takes the click in before the pointer moves on
    pointer(moveTo(pos + at + travel));
    staysAt(window, pos, "moving on after a click");
    // Once the window is off its track, what follows tells nothing more.
    if (testing::Test::HasFailure()) return;

    int sign = 1;
    for (int b : {1, 2, 3}) {
        SCOPED_TRACE(testing::Message() << "button " << b);
        const QPoint grip = pos + at;
        const QPoint d = sign * travel;
        pointer(moveTo(grip) + button("mousedown", b) + moveTo(grip + d / 2));
        EXPECT_TRUE(reaches(window, pos + d / 2)) << "while held, half way: at " << serverPos(window);
        pointer(moveTo(grip + d));
        EXPECT_TRUE(reaches(window, pos + d)) << "while held: at " << serverPos(window) << ", expected " << pos + d;
        pointer(button("mouseup", b) + moveTo(grip + 2 * d));
        pos = pos + d;
        staysAt(window, pos, "moving on after the release");
        if (testing::Test::HasFailure()) return;
        sign = -sign;
    }
}

} // namespace

TEST(X11WindowDrag, MainWindowByTheToolStripAndTheStatisticsStrip) {
    testsupport::MainWindowRig rig;
    ASSERT_TRUE(rig.started);
    meter::MainForm& main = *rig.form;
    show(main);
    savePicture(main, "mainform");
    dragFrom(main, {200, 30}, "tool strip");
    dragFrom(main, {850, 600}, "statistics strip");
}

TEST(X11WindowDrag, ConnectionDialog) {
    meter::DlgSelectCon dialog;
    show(dialog);
    savePicture(dialog, "dlg_selectcon");
    dragFrom(dialog, {10, 10}, "connection dialog");
}

TEST(X11WindowDrag, Launcher) {
    installer::Form1 form(QDir::tempPath() + QStringLiteral("/no medium here"), installer::realLauncherServices());
    show(form);
    savePicture(form, "installer");
    dragFrom(form, {20, 20}, "launcher");
}

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM") != "xcb" || qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "Runs on an X server with a window manager: start it with run_under_openbox.sh\n");
        return 1;
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "pty_meter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace testsupport {

PtyMeter::PtyMeter() {
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) throw std::runtime_error("openpty failed");
    slavePath_ = QString::fromLocal8Bit(name);
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
}

PtyMeter::~PtyMeter() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
}

void PtyMeter::send(const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) done += static_cast<std::size_t>(n);
        else if (errno != EAGAIN && errno != EINTR) throw std::runtime_error("pty write failed");
    }
}

std::vector<std::uint8_t> PtyMeter::received() {
    std::vector<std::uint8_t> out;
    std::uint8_t buf[256];
    for (;;) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n <= 0) break;
        out.insert(out.end(), buf, buf + n);
    }
    return out;
}

void PtyMeter::hangUp() {
    if (slave_ >= 0) ::close(slave_);
    slave_ = -1;
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

bool waitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > timeout.count()) return pred();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

void spin(std::chrono::milliseconds time) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < time.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

} // namespace testsupport

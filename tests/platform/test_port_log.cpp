// The serial control's log: a port that cannot be opened and a port that is
// lost are written with their device and the system's reason, a failed open
// that only repeats itself (the wait for an unplugged bridge) once.
#include "platform/mscomm.h"

#include "log_capture.h"
#include "pty_meter.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

using namespace std::chrono_literals;

TEST(PortLog, AFailedOpenAndALostPortAreWrittenWithTheirCause) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString node = dir.filePath(QStringLiteral("ttyUSB0"));
    testsupport::PtyMeter pty;
    meter::MSComm comm([node](int) { return node; });
    comm.setCommPort(1);
    bool lost = false;
    QObject::connect(&comm, &meter::MSComm::portLost, [&] { lost = true; });
    testsupport::CapturedLog log;

    EXPECT_FALSE(comm.setPortOpen(true));
    EXPECT_FALSE(comm.setPortOpen(true));
    auto warnings = log.warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].category, "meter.platform");
    EXPECT_TRUE(warnings[0].text.contains(node)) << warnings[0].text.toStdString();
    EXPECT_TRUE(warnings[0].text.contains(QString::fromUtf8(std::strerror(ENOENT)))) << warnings[0].text.toStdString();

    // Once there, it opens and sends without a word.
    std::filesystem::create_symlink(pty.slavePath().toStdString(), node.toStdString());
    ASSERT_TRUE(comm.setPortOpen(true));
    comm.Output({0xAA, 0xBB, 0x01});
    std::vector<std::uint8_t> sent;
    EXPECT_TRUE(testsupport::waitUntil(
        [&] {
            const std::vector<std::uint8_t> more = pty.received();
            sent.insert(sent.end(), more.begin(), more.end());
            return sent.size() >= 3;
        },
        2s));
    EXPECT_EQ(sent, (std::vector<std::uint8_t>{0xAA, 0xBB, 0x01}));
    EXPECT_EQ(log.warnings().size(), 1u);

    pty.hangUp();
    ASSERT_TRUE(testsupport::waitUntil([&] { return lost; }, 2s));
    EXPECT_FALSE(comm.PortOpen());
    warnings = log.warnings();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[1].category, "meter.platform");
    EXPECT_TRUE(warnings[1].text.contains(node)) << warnings[1].text.toStdString();
    EXPECT_TRUE(warnings[1].text.contains(QLatin1String("lost"))) << warnings[1].text.toStdString();
}

} // namespace

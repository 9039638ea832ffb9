// OPEN: the data file chosen in a scripted Open dialog, read into the file
// records, with recorded message boxes.
#include "output/data_file_read.h"
#include "output/samples_report.h"
#include "platform/common_dialog.h"

#include "data_file_text.h"
#include "fake_env.h"
#include "file_bytes.h"
#include "file_faults.h"
#include "record_fills.h"
#include "scripted_dialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::dataFileLine;
using testsupport::kDataFileSeparator;
using testsupport::localPath;
using testsupport::openDescriptors;
using testsupport::writeFile;

std::string goodFile() {
    return testsupport::dataFileHead() + dataFileLine("1", "10:00:01", "45.5", "dBA") +
           dataFileLine("2", "10:00:02", "-3.25", "dBA") +
           dataFileLine("3", "10:00:03", "1e2",
                        "\xB0"
                        "C");
}

// OPEN with its own state, a scripted dialog and recorded boxes; counts the
// calls of the callback that shows a file read.
struct Open {
    Open() { meter::initSharedState(*state); }

    bool run(const QString& answer, char sep = '.') {
        script.answers.push_back(answer);
        meter::Regional regional;
        regional.decimalSeparator = sep;
        return meter::openDataFileCommand(*state, script.dialog, boxes, regional, [this] { ++fileReads; });
    }

    std::unique_ptr<meter::SharedState> state = std::make_unique<meter::SharedState>();
    testsupport::ScriptedDialog script;
    const std::vector<meter::CommonDialog::Request>& requests = script.requests;
    testsupport::RecordingBoxes boxes;
    int fileReads = 0;
};

TEST(OpenDataFile, ReadsTheChosenFile) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("log.txt");
    writeFile(path, goodFile());
    Open o;
    const int fds = openDescriptors();
    EXPECT_TRUE(o.run(path));
    ASSERT_EQ(o.requests.size(), 1u);
    EXPECT_EQ(o.requests[0].kind, meter::CommonDialog::Kind::Open);
    EXPECT_EQ(o.requests[0].filter, "text files (*.txt)|*.txt");
    EXPECT_EQ(o.state->fileRecordCount, 3);
    EXPECT_EQ(o.fileReads, 1);
    EXPECT_TRUE(o.boxes.shown.empty());
    const meter::FileRecord& r = o.state->fileRecords[3];
    EXPECT_EQ(r.no, 3);
    EXPECT_EQ(r.value, 100);
    EXPECT_EQ(r.timeText.view(), "10:00:03");
    EXPECT_EQ(r.unitText.view(), "\xC2\xB0"
                                 "C");
    EXPECT_EQ(openDescriptors(), fds);
    // Reception is left alone: the live store is not touched either.
    EXPECT_EQ(o.state->liveRecordCount, 0);
}

TEST(OpenDataFile, CancelKeepsThePreviousRead) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("log.txt");
    writeFile(path, goodFile());
    Open o;
    ASSERT_TRUE(o.run(path));
    EXPECT_FALSE(o.run(""));
    ASSERT_EQ(o.requests.size(), 2u);
    EXPECT_EQ(o.requests[1].proposedName, path);
    EXPECT_EQ(o.state->fileRecordCount, 3);
    EXPECT_EQ(o.state->fileRecords[2].value, -3.25);
    EXPECT_EQ(o.fileReads, 1);
    EXPECT_TRUE(o.boxes.shown.empty());
}

TEST(OpenDataFile, EveryBadFileEndsInTheMessageWithNoRecords) {
    QTemporaryDir dir;
    const QDir d(dir.path());
    const QString good = d.filePath("good.txt");
    writeFile(good, goodFile());
    writeFile(d.filePath("bad.txt"),
              "a\r\nb\r\n" + std::string(55, '_') + "\r\nc\r\n" + dataFileLine("1", "t", "1", ""));
    d.mkdir("folder");
    ASSERT_EQ(::mkfifo(localPath(d.filePath("fifo.txt")).c_str(), 0600), 0);

    struct Case {
        const char* name;
        QString path;
    };
    std::vector<Case> cases = {
        {"missing file", d.filePath("missing.txt")},
        {"a folder", d.filePath("folder")},
        {"a path through a file", good + "/x.txt"},
        {"a FIFO", d.filePath("fifo.txt")},
        {"a device", "/dev/null"},
        {"a regular file whose reading fails", "/proc/self/mem"},
        {"a wrong separator", d.filePath("bad.txt")},
        {"a name with a NUL", good + QChar(0) + "x"},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open o;
        ASSERT_TRUE(o.run(good));
        const int fds = openDescriptors();
        EXPECT_FALSE(o.run(c.path));
        EXPECT_EQ(o.state->fileRecordCount, 0);
        EXPECT_EQ(o.fileReads, 1);
        ASSERT_EQ(o.boxes.shown.size(), 1u);
        EXPECT_EQ(o.boxes.shown[0].text, "open file error!");
        EXPECT_EQ(o.boxes.shown[0].title, "meter");
        EXPECT_EQ(o.boxes.shown[0].buttons, meter::MessageBoxes::Buttons::Ok);
        EXPECT_EQ(openDescriptors(), fds);
    }
}

TEST(OpenDataFile, FileWithoutReadPermission) {
    QTemporaryDir dir;
    const QDir d(dir.path());
    const QString open = d.filePath("open.txt"), locked = d.filePath("locked.txt");
    writeFile(open, goodFile());
    writeFile(locked, goodFile());
    ASSERT_EQ(::chmod(localPath(open).c_str(), 0644), 0);
    ASSERT_EQ(::chmod(localPath(locked).c_str(), 0), 0);
    ASSERT_TRUE(testsupport::handToUnprivileged(localPath(dir.path())));
    // Where permission bits apply: the open file is read, the locked one gives the message.
    const int result = testsupport::runUnprivileged([&] {
        Open o;
        if (!o.run(open) || o.state->fileRecordCount != 3) return 1;
        if (o.run(locked) || o.state->fileRecordCount != 0) return 2;
        if (o.boxes.shown.size() != 1 || o.boxes.shown[0].text != meter::openFileErrorText) return 3;
        return 0;
    });
    EXPECT_EQ(result, 0);
}

TEST(OpenDataFile, OurSamplesReportFailsAtItsThirdLine) {
    QTemporaryDir dir;
    const QString report = QDir(dir.path()).filePath("report.txt");
    auto live = std::make_unique<meter::SharedState>();
    meter::initSharedState(*live);
    for (int n = 1; n <= 3; ++n)
        testsupport::appendLiveRecord(
            *live,
            {.velocity = 1.5, .velocityUnit = meter::Unit::MetresPerSecond, .date = "10-12-2026", .time = {9, 30, 5}});
    ASSERT_TRUE(meter::saveSamplesReport(localPath(report), *live, testsupport::fixedTime(), {}));
    auto store = std::make_unique<meter::FileRecordStore>();
    const meter::DataFileResult r = meter::readDataFileAt(localPath(report), '.', *store);
    EXPECT_EQ(r.failure, meter::DataFileFailure::NoSeparator);
    EXPECT_EQ(r.failedLine, 3);

    Open o;
    EXPECT_FALSE(o.run(report));
    EXPECT_EQ(o.boxes.shown.size(), 1u);
}

TEST(OpenDataFile, RegionalSeparator) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("comma.txt");
    writeFile(path, "a\r\nb\r\n" + kDataFileSeparator + "\r\nc\r\n" + dataFileLine("12,5", "10:00:01", "45,5", "dBA"));
    Open o;
    EXPECT_TRUE(o.run(path, ','));
    EXPECT_EQ(o.state->fileRecords[1].no, 12);
    EXPECT_EQ(o.state->fileRecords[1].value, 45.5);
    EXPECT_FALSE(o.run(path, '.'));
    EXPECT_EQ(o.state->fileRecordCount, 0);
}

} // namespace

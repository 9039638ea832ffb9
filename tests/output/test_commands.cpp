// SAVE AS and EXPORT with a scripted file dialog and recorded message boxes.
#include "output/commands.h"
#include "platform/common_dialog.h"

#include "fake_env.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <deque>
#include <fstream>
#include <iterator>
#include <memory>

#include <sys/resource.h>

namespace {

using meter::Unit;

std::string readAll(const QString& path) {
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void addRecords(meter::SharedState& s, int n) {
    for (int i = 0; i < n; ++i) {
        const std::int32_t no = ++s.liveRecordCount;
        meter::LiveRecord& r = s.liveRecords[no];
        r.no = no;
        r.dateText.assign("10-12-2026");
        r.timeText = {9, 30, 5};
        r.velocity = 1.5 + no;
        r.velocityUnit = Unit::MetresPerSecond;
        r.temperature = 21.5;
        r.temperatureUnit = Unit::Celsius;
        r.flow = 3.25;
        r.flowUnit = Unit::CubicMetresPerMin;
        r.area = 0.5;
        r.areaUnit = Unit::SquareMetres;
    }
}

// What a command needs, with a dialog that answers from a script.
struct Commands {
    Commands() : dialog([this](const meter::CommonDialog::Request& r) {
        requests.push_back(r);
        if (answers.empty()) return QString();
        QString a = answers.front();
        answers.pop_front();
        return a;
    }) {
        meter::initSharedState(*state);
    }

    void saveas() {
        meter::saveasCommand(*state, dialog, boxes, testsupport::fixedTime, meter::Regional{}, [this] { ++resyncs; });
    }
    void exportCsv() {
        meter::exportCommand(*state, dialog, boxes, meter::Regional{}, [this] { ++resyncs; });
    }

    std::unique_ptr<meter::SharedState> state = std::make_unique<meter::SharedState>();
    std::deque<QString> answers;
    std::vector<meter::CommonDialog::Request> requests;
    meter::CommonDialog dialog;
    testsupport::RecordingBoxes boxes;
    int resyncs = 0;
};

TEST(OutputCommands, NothingWithoutRecords) {
    Commands c;
    c.answers = {"/tmp/never.txt", "/tmp/never.csv"};
    c.saveas();
    c.exportCsv();
    EXPECT_TRUE(c.requests.empty());
    EXPECT_EQ(c.resyncs, 0);
    EXPECT_TRUE(c.boxes.shown.empty());
}

TEST(OutputCommands, CancelWritesNothingAndResyncs) {
    QTemporaryDir dir;
    Commands c;
    addRecords(*c.state, 3);
    c.answers = {"", ""};
    c.saveas();
    ASSERT_EQ(c.requests.size(), 1u);
    EXPECT_EQ(c.requests[0].kind, meter::CommonDialog::Kind::SaveAs);
    EXPECT_EQ(c.requests[0].filter, "text files (*.txt)|*.txt");
    c.exportCsv();
    ASSERT_EQ(c.requests.size(), 2u);
    EXPECT_EQ(c.requests[1].kind, meter::CommonDialog::Kind::SaveAs);
    EXPECT_EQ(c.requests[1].title, "Save");
    EXPECT_EQ(c.requests[1].filter, "csv files (*.csv)|*.csv");
    EXPECT_EQ(c.resyncs, 2);
    EXPECT_TRUE(c.boxes.shown.empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(OutputCommands, SecondSaveReplacesTheFirst) {
    QTemporaryDir dir;
    const QString target = QDir(dir.path()).filePath("report.txt");
    const QString csv = QDir(dir.path()).filePath("report.csv");
    Commands c;
    addRecords(*c.state, 5);
    c.answers = {target, csv, target};
    c.saveas();
    const std::string first = readAll(target);
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 7);
    c.exportCsv();
    const std::string csvBytes = readAll(csv);
    EXPECT_EQ(std::count(csvBytes.begin(), csvBytes.end(), '\n'), 6);

    addRecords(*c.state, 2);
    c.saveas();
    const std::string second = readAll(target);
    EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 9);
    // Same clock, same first records: the new report begins with the old one.
    EXPECT_EQ(second.substr(0, first.size()), first);
    // The dialog offered the last name and, after the export, kept its title.
    EXPECT_EQ(c.requests[2].proposedName, csv);
    EXPECT_EQ(c.requests[2].title, "Save");
    EXPECT_EQ(c.resyncs, 3);
    EXPECT_TRUE(c.boxes.shown.empty());
    // No temporary file is left beside the targets.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"report.csv", "report.txt"}));
}

// Limits the size of files this process may write, as a full disk would;
// also for root, who is not stopped by permission bits.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit l = old_;
        l.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST(OutputCommands, UnwritableTargetShowsErrorAndKeepsEverything) {
    enum class Fault { MissingFolder, TargetIsFolder, DiskFull };
    for (const Fault fault : {Fault::MissingFolder, Fault::TargetIsFolder, Fault::DiskFull}) {
        for (const bool csv : {false, true}) {
            SCOPED_TRACE(testing::Message() << "fault " << static_cast<int>(fault) << (csv ? " csv" : " report"));
            QTemporaryDir dir;
            QDir d(dir.path());
            QString target = d.filePath("old.txt");
            const std::string oldBytes = "old content\r\n";
            {
                std::ofstream(QFile::encodeName(target).toStdString(), std::ios::binary) << oldBytes;
            }
            if (fault == Fault::MissingFolder) target = d.filePath("gone/report.txt");
            if (fault == Fault::TargetIsFolder) {
                d.mkdir("folder");
                std::ofstream(QFile::encodeName(d.filePath("folder/inside.txt")).toStdString()) << "x";
                target = d.filePath("folder");
            }

            Commands c;
            addRecords(*c.state, 2000);
            const meter::LiveRecord before = c.state->liveRecords[1234];
            c.answers = {target};
            {
                std::unique_ptr<FileSizeLimit> limit;
                if (fault == Fault::DiskFull) limit = std::make_unique<FileSizeLimit>(4096);
                csv ? c.exportCsv() : c.saveas();
            }
            ASSERT_EQ(c.boxes.shown.size(), 1u);
            EXPECT_EQ(c.boxes.shown[0].text, "Save file error!");
            EXPECT_EQ(c.boxes.shown[0].title, "meter");
            EXPECT_EQ(c.boxes.shown[0].buttons, meter::MessageBoxes::Buttons::Ok);
            EXPECT_EQ(c.resyncs, 1);
            EXPECT_EQ(c.state->liveRecordCount, 2000);
            EXPECT_EQ(c.state->liveRecords[1234].velocity, before.velocity);
            EXPECT_EQ(readAll(d.filePath("old.txt")), oldBytes);
            if (fault == Fault::TargetIsFolder) {
                EXPECT_TRUE(QFileInfo(target).isDir());
                EXPECT_EQ(readAll(d.filePath("folder/inside.txt")), "x");
            }
            QStringList expected{"old.txt"};
            if (fault == Fault::TargetIsFolder) expected.prepend("folder");
            EXPECT_EQ(d.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name), expected);
        }
    }
}

TEST(OutputCommands, DiskFullOverExistingFileKeepsIt) {
    QTemporaryDir dir;
    const QString target = QDir(dir.path()).filePath("report.txt");
    Commands c;
    addRecords(*c.state, 3);
    c.answers = {target, target};
    c.saveas();
    const std::string good = readAll(target);
    ASSERT_FALSE(good.empty());
    addRecords(*c.state, 3000);
    {
        FileSizeLimit limit(8192);
        c.saveas();
    }
    ASSERT_EQ(c.boxes.shown.size(), 1u);
    EXPECT_EQ(readAll(target), good);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.txt"});
}

} // namespace

// SAVE AS and EXPORT with a scripted file dialog and recorded message boxes.
#include "output/commands.h"
#include "platform/common_dialog.h"

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

#include <csignal>

#include <sys/stat.h>

namespace {

using meter::Unit;

using testsupport::readAll;
using testsupport::writeFile;

void addRecords(meter::SharedState& s, int n) {
    for (int i = 0; i < n; ++i) {
        const std::int32_t no = s.liveRecordCount + 1;
        testsupport::appendLiveRecord(s, {1.5 + no,
                                          Unit::MetresPerSecond,
                                          21.5,
                                          Unit::Celsius,
                                          3.25,
                                          Unit::CubicMetresPerMin,
                                          0.5,
                                          Unit::SquareMetres,
                                          "10-12-2026",
                                          {9, 30, 5}});
    }
}

// What a command needs, with a dialog that answers from a script.
struct Commands : testsupport::ScriptedDialog {
    Commands() { meter::initSharedState(*state); }

    void saveas() {
        meter::saveasCommand(*state, dialog, boxes, testsupport::fixedTime, meter::Regional{}, [this] { ++resyncs; });
    }
    void exportCsv() {
        meter::exportCommand(*state, dialog, boxes, meter::Regional{}, [this] { ++resyncs; });
    }

    std::unique_ptr<meter::SharedState> state = std::make_unique<meter::SharedState>();
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

TEST(OutputCommands, UnwritableTargetShowsErrorAndKeepsEverything) {
    // A read-only file is kept also when the tests run as root.
    enum class Fault { MissingFolder, TargetIsFolder, DiskFull, ReadOnlyFile };
    for (const Fault fault : {Fault::MissingFolder, Fault::TargetIsFolder, Fault::DiskFull, Fault::ReadOnlyFile}) {
        for (const bool csv : {false, true}) {
            SCOPED_TRACE(testing::Message() << "fault " << static_cast<int>(fault) << (csv ? " csv" : " report"));
            QTemporaryDir dir;
            QDir d(dir.path());
            QString target = d.filePath("old.txt");
            const std::string oldBytes = "old content\r\n";
            ASSERT_TRUE(writeFile(target, oldBytes));
            if (fault == Fault::MissingFolder) target = d.filePath("gone/report.txt");
            if (fault == Fault::TargetIsFolder) {
                d.mkdir("folder");
                ASSERT_TRUE(writeFile(d.filePath("folder/inside.txt"), "x"));
                target = d.filePath("folder");
            }
            if (fault == Fault::ReadOnlyFile) {
                ASSERT_EQ(chmod(QFile::encodeName(target).constData(), 0444), 0);
            }

            Commands c;
            addRecords(*c.state, 2000);
            const meter::LiveRecord before = c.state->liveRecords[1234];
            c.answers = {target};
            {
                std::unique_ptr<testsupport::FileSizeLimit> limit;
                if (fault == Fault::DiskFull) limit = std::make_unique<testsupport::FileSizeLimit>(4096);
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
        testsupport::FileSizeLimit limit(8192);
        c.saveas();
    }
    ASSERT_EQ(c.boxes.shown.size(), 1u);
    EXPECT_EQ(readAll(target), good);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.txt"});
}

// What a command writes for `records` records, saved to a fresh folder.
std::string writtenBytes(bool csv, int records) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("expected");
    Commands c;
    addRecords(*c.state, records);
    c.answers = {path};
    csv ? c.exportCsv() : c.saveas();
    return readAll(path);
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A pipe, a socket, a device or a link to one under the chosen name is no
// file to replace: the message, and the node stays as it was.
TEST(OutputCommands, ANodeThatIsNoRegularFileStays) {
    for (const testsupport::Node kind : {testsupport::Node::Fifo, testsupport::Node::Socket, testsupport::Node::Device,
                                         testsupport::Node::LinkToDevice}) {
        for (const bool csv : {false, true}) {
            SCOPED_TRACE(testing::Message() << testsupport::nodeName(kind) << (csv ? ", csv" : ", report"));
            if (geteuid() != 0 && (kind == testsupport::Node::Device || kind == testsupport::Node::LinkToDevice))
                continue; // only root makes devices
            QTemporaryDir dir;
            const QString target = QDir(dir.path()).filePath("node");
            const std::string path = QFile::encodeName(target).toStdString();
            ASSERT_TRUE(testsupport::makeNode(path, kind));
            const std::string before = testsupport::nodeIdentity(path);
            const QStringList names = entries(dir.path());

            Commands c;
            addRecords(*c.state, 30);
            c.answers = {target};
            csv ? c.exportCsv() : c.saveas();
            ASSERT_EQ(c.boxes.shown.size(), 1u);
            EXPECT_EQ(c.boxes.shown[0].text, "Save file error!");
            EXPECT_EQ(c.resyncs, 1);
            EXPECT_EQ(testsupport::nodeIdentity(path), before); // a link's device included
            EXPECT_EQ(entries(dir.path()), names);
        }
    }
}

// Any name the file system takes can be saved, however long; a longer one is
// refused with the message.
TEST(OutputCommands, SavesUnderAnyNameTheFileSystemTakes) {
    for (const bool named : {false, true}) {
        std::unique_ptr<testsupport::NamedTemporaryFiles> namedFiles;
        if (named) namedFiles = std::make_unique<testsupport::NamedTemporaryFiles>();
        for (const bool csv : {false, true}) {
            const std::string expected = writtenBytes(csv, 20);
            for (const int length : {246, 255, 256}) {
                SCOPED_TRACE(testing::Message() << length << " bytes, " << (csv ? "csv" : "report")
                                                << (named ? ", named temporary files" : ""));
                QTemporaryDir dir;
                const QString name = QString(length - 4, 'n') + (csv ? ".csv" : ".txt");
                Commands c;
                addRecords(*c.state, 20);
                c.answers = {QDir(dir.path()).filePath(name)};
                csv ? c.exportCsv() : c.saveas();
                if (length <= 255) {
                    EXPECT_TRUE(c.boxes.shown.empty());
                    EXPECT_TRUE(readAll(QDir(dir.path()).filePath(name)) == expected);
                    EXPECT_EQ(entries(dir.path()), QStringList{name});
                } else {
                    EXPECT_EQ(c.boxes.shown.size(), 1u);
                    EXPECT_TRUE(entries(dir.path()).isEmpty());
                }
            }
        }
    }
}

// A save that is killed half-way leaves the old file whole and no temporary
// file; where none can be made without a name, at most one under its hidden name.
TEST(OutputCommands, AKilledSaveLeavesNoTemporaryFile) {
    for (const bool named : {false, true}) {
        for (const bool csv : {false, true}) {
            SCOPED_TRACE(testing::Message() << (csv ? "csv" : "report") << (named ? ", named temporary files" : ""));
            QTemporaryDir dir;
            const QString target = QDir(dir.path()).filePath("old.txt");
            const std::string oldBytes(1000, 'o');
            ASSERT_TRUE(writeFile(target, oldBytes));
            const int signal = testsupport::killedAtFileSize(65536, [&] {
                std::unique_ptr<testsupport::NamedTemporaryFiles> namedFiles;
                if (named) namedFiles = std::make_unique<testsupport::NamedTemporaryFiles>();
                Commands c;
                addRecords(*c.state, 3000);
                c.answers = {target};
                csv ? c.exportCsv() : c.saveas();
            });
            EXPECT_EQ(signal, SIGXFSZ);
            EXPECT_TRUE(readAll(target) == oldBytes);
            QStringList left = entries(dir.path());
            left.removeOne("old.txt");
            EXPECT_LE(left.size(), named ? 1 : 0) << left.join(", ").toStdString();
            for (const QString& name : left)
                EXPECT_TRUE(testsupport::isHiddenTemporaryName(name.toStdString())) << name.toStdString();
        }
    }
}

// A name relative to the working folder is saved there, over an old file or
// into a folder below.
TEST(OutputCommands, SavesUnderANameRelativeToTheWorkingFolder) {
    QTemporaryDir dir;
    QDir d(dir.path());
    ASSERT_TRUE(d.mkdir("sub"));
    ASSERT_TRUE(writeFile(d.filePath("old.txt"), std::string(7000, 'o')));
    {
        testsupport::WorkingFolder working(QFile::encodeName(dir.path()).toStdString());
        ASSERT_TRUE(working.entered());
        Commands c;
        addRecords(*c.state, 20);
        c.answers = {"old.txt", "sub/r.csv"};
        c.saveas();
        c.exportCsv();
        EXPECT_TRUE(c.boxes.shown.empty());
    }
    EXPECT_TRUE(readAll(d.filePath("old.txt")) == writtenBytes(false, 20));
    EXPECT_TRUE(readAll(d.filePath("sub/r.csv")) == writtenBytes(true, 20));
    EXPECT_EQ(entries(d.path()), (QStringList{"old.txt", "sub"}));
    EXPECT_EQ(entries(d.filePath("sub")), QStringList{"r.csv"});
}

// A folder that takes no new file (not even a temporary one), holding a file
// its user may write: the file itself is written, shorter or longer than before.
TEST(OutputCommands, SavesInPlaceWhereTheFolderTakesNoNewFile) {
    for (const bool csv : {false, true}) {
        for (const std::size_t oldSize : {std::size_t{10}, std::size_t{100000}}) {
            SCOPED_TRACE(testing::Message() << (csv ? "csv" : "report") << ", old file of " << oldSize << " bytes");
            QTemporaryDir dir;
            QDir d(dir.path());
            // What the command writes into a folder that takes new files.
            Commands reference;
            addRecords(*reference.state, 300);
            reference.answers = {d.filePath("expected")};
            csv ? reference.exportCsv() : reference.saveas();
            const std::string expected = readAll(d.filePath("expected"));
            ASSERT_GT(expected.size(), 10u);
            ASSERT_LT(expected.size(), 100000u);

            ASSERT_TRUE(d.mkdir("locked") && d.mkdir("stage"));
            const std::string folder = QFile::encodeName(d.filePath("locked")).toStdString();
            const std::string stage = QFile::encodeName(d.filePath("stage")).toStdString();
            const QString target = d.filePath("locked/old.txt");
            const std::string targetPath = QFile::encodeName(target).toStdString();
            ASSERT_TRUE(writeFile(targetPath, std::string(oldSize, 'o')));
            ASSERT_EQ(chmod(QFile::encodeName(d.path()).constData(), 0755), 0);
            ASSERT_EQ(chmod(stage.c_str(), 0777), 0);
            ASSERT_EQ(chmod(targetPath.c_str(), 0644), 0);
            ASSERT_TRUE(testsupport::handToUnprivileged(targetPath));
            ASSERT_EQ(chmod(folder.c_str(), 0555), 0);

            const int messages = testsupport::runUnprivileged([&] {
                setenv("TMPDIR", stage.c_str(), 1);
                Commands c;
                addRecords(*c.state, 300);
                c.answers = {target};
                csv ? c.exportCsv() : c.saveas();
                return static_cast<int>(c.boxes.shown.size());
            });
            chmod(folder.c_str(), 0755);
            EXPECT_EQ(messages, 0);
            EXPECT_TRUE(readAll(target) == expected) << "the file holds what the command writes elsewhere";
            EXPECT_EQ(QDir(d.filePath("locked")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                      QStringList{"old.txt"});
            EXPECT_TRUE(QDir(d.filePath("stage")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        }
    }
}

} // namespace

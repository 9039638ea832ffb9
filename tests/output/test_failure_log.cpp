// A failure the user is told of in a message box leaves its cause in the log:
// one warning, in the category of the layer that met it, naming the file and
// the system's reason; the box says what it always said.
#include "output/commands.h"
#include "output/data_file_read.h"

#include "fake_env.h"
#include "file_bytes.h"
#include "file_faults.h"
#include "log_capture.h"
#include "scripted_dialog.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>

#include <sys/stat.h>

namespace {

using testsupport::localPath;

struct FileCommands {
    FileCommands() { meter::initSharedState(*state); }

    void saveas() { meter::saveasCommand(*state, script.dialog, boxes, testsupport::fixedTime, meter::Regional{}, {}); }
    void exportCsv() { meter::exportCommand(*state, script.dialog, boxes, meter::Regional{}, {}); }
    void open() { meter::openDataFileCommand(*state, script.dialog, boxes, meter::Regional{}, {}); }

    std::unique_ptr<meter::SharedState> state = std::make_unique<meter::SharedState>();
    testsupport::ScriptedDialog script;
    testsupport::RecordingBoxes boxes;
};

TEST(FailureLog, AFailedFileCommandWritesItsCauseOnce) {
    enum class Fault { MissingFolder, ReadOnlyFile, DiskFull, MissingDataFile, NoSeparatorLine };
    struct Case {
        const char* name;
        Fault fault;
        bool csv;             // for a save: the CSV export, else the report
        const char* box;      // the message box, as it always was
        const char* category; // where the cause is written
        std::string cause;    // a part of the warning besides the path
    };
    const Case cases[] = {
        {"report into a missing folder", Fault::MissingFolder, false, "Save file error!", "meter.platform",
         std::strerror(ENOENT)},
        {"CSV over a read-only file", Fault::ReadOnlyFile, true, "Save file error!", "meter.platform", "read-only"},
        {"report onto a full disk", Fault::DiskFull, false, "Save file error!", "meter.output", std::strerror(EFBIG)},
        {"CSV onto a full disk", Fault::DiskFull, true, "Save file error!", "meter.output", std::strerror(EFBIG)},
        {"data file that is not there", Fault::MissingDataFile, false, "open file error!", "meter.output",
         std::strerror(ENOENT)},
        {"data file without its line of underscores", Fault::NoSeparatorLine, false, "open file error!", "meter.output",
         "line 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QDir d(dir.path());
        QString path = d.filePath("old.txt");
        ASSERT_TRUE(testsupport::writeFile(path, "old\r\nlines\r\nno underscores\r\nhere\r\n"));
        if (c.fault == Fault::MissingFolder || c.fault == Fault::MissingDataFile) path = d.filePath("gone/x.txt");
        if (c.fault == Fault::ReadOnlyFile) {
            ASSERT_EQ(chmod(localPath(path).c_str(), 0444), 0);
        }

        FileCommands run;
        run.state->liveRecordCount = 2000;
        run.script.answers = {path};
        testsupport::CapturedLog log;
        {
            std::unique_ptr<testsupport::FileSizeLimit> full;
            if (c.fault == Fault::DiskFull) full = std::make_unique<testsupport::FileSizeLimit>(4096);
            if (c.fault == Fault::MissingDataFile || c.fault == Fault::NoSeparatorLine) run.open();
            else c.csv ? run.exportCsv() : run.saveas();
        }

        ASSERT_EQ(run.boxes.shown.size(), 1u);
        EXPECT_EQ(run.boxes.shown[0].text, c.box);
        EXPECT_EQ(run.boxes.shown[0].title, "meter");
        const auto warnings = log.warnings();
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0].category, c.category);
        EXPECT_TRUE(warnings[0].text.contains(path)) << warnings[0].text.toStdString();
        EXPECT_TRUE(warnings[0].text.contains(QString::fromStdString(c.cause))) << warnings[0].text.toStdString();
    }
}

} // namespace

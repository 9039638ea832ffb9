// The workbook export: the automation calls it makes, recorded in front of the
// real provider, and the workbooks that provider writes, read back by an
// independent reader (openpyxl).
#include "output/workbook_export.h"
#include "platform/common_dialog.h"

#include "fake_env.h"
#include "file_bytes.h"
#include "file_faults.h"
#include "record_fills.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <charconv>
#include <csignal>
#include <clocale>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace {

using testsupport::readAll;
using testsupport::writeFile;

bool isWorkbook(const QString& path) { return readAll(path).rfind("PK\x03\x04", 0) == 0; }

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

struct Record {
    std::int32_t no;
    const char* time;
    double value;
    const char* unit;
};

// The records of the read-back: a fraction, a time text that looks like a
// number, an empty unit, a unit outside ASCII.
const std::vector<Record> threeRecords = {
    {1, "12:00:01", 1.25, "dBA"},
    {2, "12", -0.5, ""},
    {36000, "23:59:59", 1234567.875,
     "\xC2\xB0"
     "C"},
};

// What openpyxl reads from a workbook of threeRecords.
const char* const threeRecordsReadBack = R"(['Sheet1']
A1 str 'NO.'
B1 str 'TIME'
C1 str 'DATA'
D1 str 'dBA\\dBC'
A2 int 1
B2 str '12:00:01'
C2 float 1.25
D2 str 'dBA'
A3 int 2
B3 str '12'
C3 float -0.5
A4 int 36000
B4 str '23:59:59'
C4 float 1234567.875
D4 str '°C'
)";

// The sheet names, then every filled cell of "Sheet1" with its type and value,
// as openpyxl reads them. openpyxl refuses a ".xls" name, so it gets the open file.
QString readBack(const QString& path) {
    const QString script =
        QStringLiteral("import sys, openpyxl\n"
                       "with open(sys.argv[1], 'rb') as f:\n"
                       "    book = openpyxl.load_workbook(f)\n"
                       "print(book.sheetnames)\n"
                       "for row in book['Sheet1'].iter_rows():\n"
                       "    for cell in row:\n"
                       "        if cell.value is not None:\n"
                       "            print(cell.coordinate, type(cell.value).__name__, repr(cell.value))\n");
    QProcess python;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PYTHONIOENCODING", "utf-8");
    python.setProcessEnvironment(env);
    python.start("/usr/bin/python3", {"-c", script, path});
    if (!python.waitForFinished(120000)) return "/usr/bin/python3 did not run: " + python.errorString();
    return QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError());
}

// Runs the program with a decimal comma in the C library's number formatting,
// as the user's locale gives it once the program has taken it: a locale of
// that one category, compiled into a folder of the test's own.
class DecimalCommaLocale {
public:
    DecimalCommaLocale() {
        const QString source = dir_.filePath("comma.src");
        writeFile(source, "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep \"\"\ngrouping -1\nEND LC_NUMERIC\n");
        QProcess localedef;
        localedef.setStandardOutputFile(QProcess::nullDevice());
        localedef.setStandardErrorFile(QProcess::nullDevice());
        localedef.start("/usr/bin/localedef", {"-c", "-i", source, "-f", "ANSI_X3.4-1968", dir_.filePath("comma")});
        localedef.waitForFinished(120000);
        oldPath_ = qgetenv("LOCPATH");
        qputenv("LOCPATH", QFile::encodeName(dir_.path()));
        old_ = std::setlocale(LC_NUMERIC, nullptr);
        active_ = std::setlocale(LC_NUMERIC, "comma") != nullptr && *std::localeconv()->decimal_point == ',';
    }
    ~DecimalCommaLocale() {
        std::setlocale(LC_NUMERIC, old_.c_str());
        if (oldPath_.isNull()) qunsetenv("LOCPATH");
        else qputenv("LOCPATH", oldPath_);
    }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;
    bool active() const { return active_; }

private:
    QTemporaryDir dir_;
    QByteArray oldPath_;
    std::string old_;
    bool active_ = false;
};

std::string describe(const meter::CellValue& v) {
    if (const auto* i = std::get_if<std::int32_t>(&v)) return "int " + std::to_string(*i);
    if (const auto* d = std::get_if<double>(&v)) {
        char buf[32];
        return "double " + std::string(buf, std::to_chars(buf, buf + sizeof buf, *d).ptr);
    }
    return "text \"" + std::string(std::get<std::string_view>(v)) + "\"";
}

// Stands in for the spreadsheet application: writes every call into the log,
// fails the call named `failing`, and hands the others on to the real
// provider behind it, when there is one.
struct Automation {
    std::vector<std::string> log;
    std::string failing;
    meter::ApplicationFactory provider;

    bool fails(const std::string& call, const std::string& name) {
        log.push_back(call);
        return name == failing;
    }
    meter::ApplicationFactory factory();
};

class RecordedSheet final : public meter::Worksheet {
public:
    RecordedSheet(Automation& a, std::shared_ptr<meter::Worksheet> inner) : a_(a), inner_(std::move(inner)) {}
    ~RecordedSheet() override { a_.log.push_back("release Worksheet"); }
    bool SaveAs(const QString& name) override {
        if (a_.fails("SaveAs " + name.toStdString(), "SaveAs")) return false;
        return !inner_ || inner_->SaveAs(name);
    }

protected:
    bool setCellValue(int row, int column, const meter::CellValue& v) override {
        const std::string cell = "Cells(" + std::to_string(row) + "," + std::to_string(column) + ")";
        if (a_.fails(cell + ".Value = " + describe(v), cell)) return false;
        return !inner_ || inner_->Cells(row, column).setValue(v);
    }

private:
    Automation& a_;
    std::shared_ptr<meter::Worksheet> inner_;
};

class RecordedBook final : public meter::Workbook {
public:
    RecordedBook(Automation& a, std::shared_ptr<meter::Workbook> inner) : a_(a), inner_(std::move(inner)) {}
    ~RecordedBook() override { a_.log.push_back("release Workbook"); }
    std::shared_ptr<meter::Worksheet> Worksheets(const QString& name) override {
        if (a_.fails("Worksheets " + name.toStdString(), "Worksheets")) return nullptr;
        std::shared_ptr<meter::Worksheet> inner;
        if (inner_ && !(inner = inner_->Worksheets(name))) return nullptr;
        return std::make_shared<RecordedSheet>(a_, inner);
    }

private:
    Automation& a_;
    std::shared_ptr<meter::Workbook> inner_;
};

class RecordedApplication final : public meter::SpreadsheetApplication, private meter::WorkbookCollection {
public:
    RecordedApplication(Automation& a, std::shared_ptr<meter::SpreadsheetApplication> inner)
        : a_(a), inner_(std::move(inner)) {}
    ~RecordedApplication() override { a_.log.push_back("release Application"); }
    meter::WorkbookCollection& Workbooks() override { return *this; }
    bool setVisible(bool visible) override {
        if (a_.fails(std::string("Visible = ") + (visible ? "True" : "False"), "Visible")) return false;
        return !inner_ || inner_->setVisible(visible);
    }
    bool Quit() override {
        if (a_.fails("Quit", "Quit")) return false;
        return !inner_ || inner_->Quit();
    }

private:
    std::shared_ptr<meter::Workbook> Add() override {
        if (a_.fails("Workbooks.Add", "Workbooks.Add")) return nullptr;
        std::shared_ptr<meter::Workbook> inner;
        if (inner_ && !(inner = inner_->Workbooks().Add())) return nullptr;
        return std::make_shared<RecordedBook>(a_, inner);
    }

    Automation& a_;
    std::shared_ptr<meter::SpreadsheetApplication> inner_;
};

meter::ApplicationFactory Automation::factory() {
    return [this](const QString& className) -> std::shared_ptr<meter::SpreadsheetApplication> {
        if (fails("CreateObject " + className.toStdString(), "CreateObject")) return nullptr;
        std::shared_ptr<meter::SpreadsheetApplication> inner;
        if (provider && !(inner = provider(className))) return nullptr;
        return std::make_shared<RecordedApplication>(*this, inner);
    };
}

// An export with a dialog that answers one name, a temporary folder for the
// provider and recorded message boxes.
struct Export {
    explicit Export(const std::vector<Record>& records)
        : dialog([this](const meter::CommonDialog::Request& r) {
              requests.push_back(r);
              return answer;
          }) {
        meter::initSharedState(*state);
        for (const Record& r : records) testsupport::appendFileRecord(*state, {r.no, r.time, r.value, r.unit});
    }

    void run(const meter::ApplicationFactory& factory) { meter::exportToExcelCommand(*state, dialog, boxes, factory); }
    // Through the real provider, with its scratch files in `temp`.
    void run() { run(meter::automationObjects(temp.path())); }

    std::unique_ptr<meter::SharedState> state = std::make_unique<meter::SharedState>();
    QString answer;
    std::vector<meter::CommonDialog::Request> requests;
    meter::CommonDialog dialog;
    testsupport::RecordingBoxes boxes;
    QTemporaryDir temp;
};

void expectExportDataError(const testsupport::RecordingBoxes& boxes) {
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Export data error!");
    EXPECT_EQ(boxes.shown[0].title, "Valdor  K17");
    EXPECT_EQ(boxes.shown[0].buttons, meter::MessageBoxes::Buttons::Ok);
}

TEST(WorkbookExport, NothingWithoutRecordsOrName) {
    Automation automation;
    Export none({});
    none.answer = "/tmp/never.xls";
    none.run(automation.factory());
    EXPECT_TRUE(none.requests.empty());

    Export cancelled(threeRecords);
    cancelled.run(automation.factory());
    ASSERT_EQ(cancelled.requests.size(), 1u);
    EXPECT_EQ(cancelled.requests[0].kind, meter::CommonDialog::Kind::Open);
    EXPECT_EQ(cancelled.requests[0].filter, "Excel files (*.xls)|*.xls");

    EXPECT_TRUE(automation.log.empty());
    EXPECT_TRUE(none.boxes.shown.empty());
    EXPECT_TRUE(cancelled.boxes.shown.empty());
}

// Every call of an export of two records, in order.
const std::vector<std::string> twoRecordCalls = {
    "CreateObject Excel.Application",
    "Workbooks.Add",
    "Worksheets Sheet1",
    "Visible = False",
    "Cells(1,1).Value = text \"NO.\"",
    "Cells(1,2).Value = text \"TIME\"",
    "Cells(1,3).Value = text \"DATA\"",
    "Cells(1,4).Value = text \"dBA\\dBC\"",
    "Cells(2,1).Value = int 1",
    "Cells(2,2).Value = text \"12:00:01\"",
    "Cells(2,3).Value = double 1.25",
    "Cells(2,4).Value = text \"dBA\"",
    "Cells(3,1).Value = int 2",
    "Cells(3,2).Value = text \"12\"",
    "Cells(3,3).Value = double -0.5",
    "Cells(3,4).Value = text \"\"",
    "SaveAs <target>",
    "Quit",
    "release Application",
    "release Workbook",
    "release Worksheet",
};

TEST(WorkbookExport, CallsInOrder) {
    Export e({threeRecords[0], threeRecords[1]});
    QTemporaryDir out;
    e.answer = QDir(out.path()).filePath("two records.xls");
    Automation automation;
    automation.provider = meter::automationObjects(e.temp.path());
    e.run(automation.factory());

    std::vector<std::string> expected = twoRecordCalls;
    expected[16] = "SaveAs " + e.answer.toStdString();
    EXPECT_EQ(automation.log, expected);
    EXPECT_TRUE(e.boxes.shown.empty());
    EXPECT_TRUE(isWorkbook(e.answer));
    EXPECT_EQ(entries(out.path()), QStringList{"two records.xls"});
    EXPECT_TRUE(entries(e.temp.path()).isEmpty());
}

// A failure at any step shows the message and skips every later call; the
// references held are released all the same, and the provider drops the
// workbook with its scratch files. Only a failing Quit comes after the save.
TEST(WorkbookExport, FailureAtEachStep) {
    const struct {
        const char* step;
        std::size_t lastCall; // index into twoRecordCalls
        std::size_t references;
    } cases[] = {
        {"CreateObject", 0, 0}, {"Workbooks.Add", 1, 1}, {"Worksheets", 2, 2}, {"Visible", 3, 3},
        {"Cells(1,3)", 6, 3},   {"Cells(3,2)", 13, 3},   {"SaveAs", 16, 3},    {"Quit", 17, 3},
    };
    const std::string old = "the workbook saved last time";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        Export e({threeRecords[0], threeRecords[1]});
        QTemporaryDir out;
        e.answer = QDir(out.path()).filePath("old.xls");
        writeFile(e.answer, old);
        Automation automation;
        automation.failing = c.step;
        automation.provider = meter::automationObjects(e.temp.path());
        const int filesBefore = testsupport::openDescriptors();
        e.run(automation.factory());
        EXPECT_EQ(testsupport::openDescriptors(), filesBefore);

        std::vector<std::string> expected(twoRecordCalls.begin(), twoRecordCalls.begin() + c.lastCall + 1);
        for (std::string& call : expected)
            if (call == "SaveAs <target>") call = "SaveAs " + e.answer.toStdString();
        expected.insert(expected.end(), twoRecordCalls.end() - 3, twoRecordCalls.end() - 3 + c.references);
        EXPECT_EQ(automation.log, expected);
        expectExportDataError(e.boxes);
        if (std::string(c.step) == "Quit") EXPECT_TRUE(isWorkbook(e.answer));
        else EXPECT_EQ(readAll(e.answer), old);
        EXPECT_EQ(entries(out.path()), QStringList{"old.xls"});
        EXPECT_TRUE(entries(e.temp.path()).isEmpty());
    }
}

TEST(WorkbookExport, CreationOfAClassNothingProvides) {
    const meter::ApplicationFactory objects = meter::automationObjects();
    EXPECT_EQ(objects("Excel.Application.16"), nullptr);
    EXPECT_EQ(objects(""), nullptr);
    EXPECT_NE(objects("excel.application"), nullptr);

    Export e(threeRecords);
    QTemporaryDir out;
    e.answer = QDir(out.path()).filePath("never.xls");
    e.run([&](const QString&) { return objects("Word.Application"); });
    expectExportDataError(e.boxes);
    EXPECT_TRUE(entries(out.path()).isEmpty());
}

// The workbook as an independent reader sees it, also where the user's
// locale writes numbers with a decimal comma.
TEST(WorkbookExport, ReadBackByAnotherReader) {
    for (const bool comma : {false, true}) {
        SCOPED_TRACE(comma ? "decimal comma" : "decimal point");
        std::unique_ptr<DecimalCommaLocale> locale;
        if (comma) {
            locale = std::make_unique<DecimalCommaLocale>();
            ASSERT_TRUE(locale->active()) << "no locale with a decimal comma could be made with localedef";
        }
        Export e(threeRecords);
        QTemporaryDir out;
        e.answer = QDir(out.path()).filePath("three records.xls");
        e.run();
        locale.reset();
        EXPECT_TRUE(e.boxes.shown.empty());
        EXPECT_EQ(readBack(e.answer), threeRecordsReadBack);
        EXPECT_EQ(entries(out.path()), QStringList{"three records.xls"});
        EXPECT_TRUE(entries(e.temp.path()).isEmpty());
    }
}

// A missing folder and a full disk, early (the provider's scratch file) and
// late (the workbook itself): the message, the old file whole, nothing left.
TEST(WorkbookExport, UnwritableTarget) {
    const struct {
        const char* name;
        bool missingFolder;
        std::size_t records;
        rlim_t sizeLimit;
    } cases[] = {
        {"missing folder", true, 3, 0},
        {"disk full while filling", false, 2000, 65536},
        {"disk full while saving", false, 3, 4096},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Record> records;
        for (std::size_t i = 0; i < c.records; ++i) records.push_back(threeRecords[i % 3]);
        Export e(records);
        QTemporaryDir out;
        const QString old = QDir(out.path()).filePath("old.xls");
        const std::string oldBytes(10000, 'o');
        writeFile(old, oldBytes);
        e.answer = c.missingFolder ? QDir(out.path()).filePath("gone/old.xls") : old;
        {
            std::unique_ptr<testsupport::FileSizeLimit> limit;
            if (c.sizeLimit > 0) limit = std::make_unique<testsupport::FileSizeLimit>(c.sizeLimit);
            e.run();
        }
        expectExportDataError(e.boxes);
        EXPECT_TRUE(readAll(old) == oldBytes);
        EXPECT_EQ(entries(out.path()), QStringList{"old.xls"});
        EXPECT_TRUE(entries(e.temp.path()).isEmpty());
    }
}

// A pipe, a socket, a device or a link to one under the chosen name is never
// replaced by a workbook.
TEST(WorkbookExport, ANodeThatIsNoRegularFileStays) {
    for (const testsupport::Node kind : {testsupport::Node::Fifo, testsupport::Node::Socket, testsupport::Node::Device,
                                         testsupport::Node::LinkToDevice}) {
        SCOPED_TRACE(testsupport::nodeName(kind));
        if (geteuid() != 0 && (kind == testsupport::Node::Device || kind == testsupport::Node::LinkToDevice))
            continue; // only root makes devices
        Export e(threeRecords);
        QTemporaryDir out;
        e.answer = QDir(out.path()).filePath("node.xls");
        const std::string path = QFile::encodeName(e.answer).toStdString();
        ASSERT_TRUE(testsupport::makeNode(path, kind));
        const std::string before = testsupport::nodeIdentity(path);
        const QStringList names = entries(out.path());
        e.run();
        expectExportDataError(e.boxes);
        EXPECT_EQ(testsupport::nodeIdentity(path), before);
        EXPECT_EQ(entries(out.path()), names);
        EXPECT_TRUE(entries(e.temp.path()).isEmpty());
    }
}

// A name relative to the working folder, over an old file or into a folder
// below it, and a name as long as the file system takes: the workbook is
// there and nothing else, also where temporary files must have names.
TEST(WorkbookExport, SavesUnderRelativeAndLongNames) {
    for (const bool named : {false, true}) {
        std::unique_ptr<testsupport::NamedTemporaryFiles> namedFiles;
        if (named) namedFiles = std::make_unique<testsupport::NamedTemporaryFiles>();
        for (const QString& name : {QString("old.xls"), QString("sub/e.xls"), QString(251, 'n') + ".xls"}) {
            SCOPED_TRACE(testing::Message() << name.left(20).toStdString() << (named ? ", named temporary files" : ""));
            QTemporaryDir working;
            QDir w(working.path());
            ASSERT_TRUE(w.mkdir("sub"));
            writeFile(w.filePath("old.xls"), std::string(7000, 'o'));
            Export e(threeRecords);
            e.answer = name;
            {
                testsupport::WorkingFolder folder(QFile::encodeName(working.path()).toStdString());
                ASSERT_TRUE(folder.entered());
                e.run();
            }
            EXPECT_TRUE(e.boxes.shown.empty());
            EXPECT_EQ(readBack(w.filePath(name)), threeRecordsReadBack);
            QStringList expected{"old.xls", "sub"};
            if (!name.contains('/') && name != "old.xls") expected.prepend(name);
            EXPECT_EQ(entries(w.path()), expected);
            EXPECT_EQ(entries(w.filePath("sub")), name.startsWith("sub/") ? QStringList{"e.xls"} : QStringList{});
            EXPECT_TRUE(entries(e.temp.path()).isEmpty());
        }
    }
}

// An export killed while it fills the sheet or while it writes the workbook
// leaves the old file whole and no file or folder of its own; where temporary
// files must have names, at most one under its hidden name.
TEST(WorkbookExport, AKilledExportLeavesNothingBehind) {
    const struct {
        const char* name;
        std::size_t records;
        rlim_t sizeLimit;
    } cases[] = {
        {"killed while filling", 2000, 65536},
        {"killed while saving", 3, 4096},
    };
    for (const bool named : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << (named ? ", named temporary files" : ""));
            std::vector<Record> records;
            for (std::size_t i = 0; i < c.records; ++i) records.push_back(threeRecords[i % 3]);
            Export e(records);
            QTemporaryDir out;
            e.answer = QDir(out.path()).filePath("old.xls");
            const std::string oldBytes(1000, 'o');
            writeFile(e.answer, oldBytes);
            const int signal = testsupport::killedAtFileSize(c.sizeLimit, [&] {
                std::unique_ptr<testsupport::NamedTemporaryFiles> namedFiles;
                if (named) namedFiles = std::make_unique<testsupport::NamedTemporaryFiles>();
                e.run();
            });
            EXPECT_EQ(signal, SIGXFSZ);
            EXPECT_TRUE(readAll(e.answer) == oldBytes);
            QStringList left = entries(out.path());
            left.removeOne("old.xls");
            EXPECT_LE(left.size(), named ? 1 : 0) << left.join(", ").toStdString();
            for (const QString& name : left)
                EXPECT_TRUE(testsupport::isHiddenTemporaryName(name.toStdString())) << name.toStdString();
            EXPECT_TRUE(entries(e.temp.path()).isEmpty()) << entries(e.temp.path()).join(", ").toStdString();
        }
    }
}

// A folder that takes no new file, holding a workbook its user may write:
// the workbook itself is written.
TEST(WorkbookExport, SavesInPlaceWhereTheFolderTakesNoNewFile) {
    QTemporaryDir dir;
    QDir d(dir.path());
    ASSERT_TRUE(d.mkdir("locked") && d.mkdir("temp"));
    const std::string folder = QFile::encodeName(d.filePath("locked")).toStdString();
    const std::string temp = QFile::encodeName(d.filePath("temp")).toStdString();
    const QString target = d.filePath("locked/old.xls");
    writeFile(target, std::string(100000, 'o'));
    ASSERT_EQ(chmod(QFile::encodeName(d.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(temp.c_str(), 0777), 0);
    ASSERT_TRUE(testsupport::handToUnprivileged(QFile::encodeName(target).toStdString()));
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);

    const int messages = testsupport::runUnprivileged([&] {
        Export e(threeRecords);
        e.answer = target;
        e.run(meter::automationObjects(d.filePath("temp")));
        return static_cast<int>(e.boxes.shown.size());
    });
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(readBack(target), threeRecordsReadBack);
    EXPECT_EQ(entries(d.filePath("locked")), QStringList{"old.xls"});
    EXPECT_TRUE(entries(d.filePath("temp")).isEmpty());
}

} // namespace

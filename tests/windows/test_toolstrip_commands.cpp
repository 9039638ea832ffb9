// The tool strip's commands run from the main window: file dialog, files,
// printer, About window, and reception handed back to the synchronisation.
#include "fake_env.h"
#include "main_window_rig.h"
#include "platform/printer.h"
#include "platform/regional_settings.h"
#include "windows/frmabout.h"
#include "windows/frmgraphshow.h"
#include "windows/mainform.h"
#include "windows/statusfrm.h"
#include "windows/toolbar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>

using namespace meter;
using namespace testsupport;
using namespace std::chrono_literals;

namespace {

class FailingPrinter : public Printer {
public:
    int pages = 0;
    bool PrintForm(QWidget*) override { return false; }
    bool EndDoc() override { return true; }
};

struct WithFailingPrinter {
    FailingPrinter printer;
};

// The main window with a printer that cannot print (built first, as a base).
struct Strip : WithFailingPrinter, MainWindowRig {
    Strip() : MainWindowRig(Options{.printer = &printer}) { EXPECT_TRUE(started); }
};

} // namespace

TEST(ToolStripCommands, SaveAsWritesTheReportOrSaysWhyNot) {
    Strip s;
    QTemporaryDir dir;
    const QString target = dir.filePath("run.txt");

    // No record: no dialog, no resynchronisation.
    s.answers = {target};
    s.form->frmtoolbar->saveas_Click();
    EXPECT_EQ(s.answers.size(), 1u);
    EXPECT_TRUE(s.armed());

    s.addRecords(2);
    s.answers = {QString()}; // cancelled
    s.form->frmtoolbar->saveas_Click();
    EXPECT_TRUE(s.resynchronised());
    EXPECT_FALSE(QFile::exists(target));

    ASSERT_TRUE(waitUntil([&] { return s.armed(); }, 2s));
    s.answers = {target};
    s.form->frmtoolbar->saveas_Click();
    EXPECT_TRUE(s.resynchronised());
    const QByteArray first = s.readFile(target);
    EXPECT_TRUE(first.startsWith("Samples Report"));
    EXPECT_EQ(first.count("\r\n"), 4); // heading lines and two records

    s.addRecords(3);
    s.answers = {target}; // the second save replaces the first
    s.form->frmtoolbar->saveas_Click();
    EXPECT_EQ(s.readFile(target).count("\r\n"), 5);

    // A folder that is gone: the message, the old file and every record stay.
    s.answers = {dir.filePath("gone/run.txt")};
    s.form->frmtoolbar->saveas_Click();
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].text, "Save file error!");
    EXPECT_EQ(s.boxes.shown[0].title, "meter");
    EXPECT_EQ(s.readFile(target).count("\r\n"), 5);
    EXPECT_EQ(s.form->state.liveRecordCount, 3);
    EXPECT_TRUE(s.resynchronised());
}

TEST(ToolStripCommands, ExportWritesTheCsvFile) {
    Strip s;
    QTemporaryDir dir;
    const QString target = dir.filePath("run.csv");
    s.answers = {target};
    s.form->frmtoolbar->export_Click(); // no record: nothing more than the button
    EXPECT_EQ(s.answers.size(), 1u);
    EXPECT_TRUE(s.armed());

    s.addRecords(1);
    s.form->frmtoolbar->export_Click();
    EXPECT_TRUE(s.resynchronised());
    EXPECT_EQ(s.readFile(target), "\"NO.\",\"DATE\",\"TIME\",\"VELOCITY\",\"TEMPERATURE\",\"FLOW\",\"AREA\"\r\n"
                                  "1,\"10-12-2026\",\"09:30:05\",\"1.25m/s\",\"0\xB0"
                                  "C\",\"0CMM\",\"0m2\"\r\n");
    EXPECT_EQ(s.form->CommonDialog1.DialogTitle, "Save"); // stays for later dialogs
}

// The separator and the time format the environment gives, in every text
// made from the records and the clock.
TEST(ToolStripCommands, FilesAndWindowsInTheUsersRegionalSettings) {
    const Regional regional{',', timeFormatFor(QStringLiteral("h.mm.ss AP"), QLocale("en_US"))};
    MainWindowRig s(MainWindowRig::Options{.regional = regional});
    ASSERT_TRUE(s.started);
    QTemporaryDir dir;
    s.addRecords(2);
    s.answers = {dir.filePath("run.txt"), dir.filePath("run.csv")};
    s.form->frmtoolbar->saveas_Click();
    s.form->frmtoolbar->export_Click();

    const QByteArray report = MainWindowRig::readFile(dir.filePath("run.txt"));
    EXPECT_TRUE(report.startsWith("Samples Report              10-12-2026    9.30.05 AM\r\n")) << report.toStdString();
    EXPECT_TRUE(report.contains("\r\n1             10-12-2026    9.30.05 AM    1,25m/s ")) << report.toStdString();
    const QByteArray csv = MainWindowRig::readFile(dir.filePath("run.csv"));
    EXPECT_TRUE(csv.contains("\r\n2,\"10-12-2026\",\"9.30.05 AM\",\"2,5m/s\",")) << csv.toStdString();

    s.form->frmgraph->frmrefresh();
    EXPECT_EQ(s.form->frmgraph->LabelB0->text(), "9.30.05 AM");
    s.form->frmstatus->Timer1_Timer();
    EXPECT_EQ(s.form->frmstatus->Label5->text(), "9.30.05 AM");
}

TEST(ToolStripCommands, PrintWithoutPrinterSaysSoAndResynchronises) {
    Strip s;
    s.addRecords(5);
    s.form->frmtoolbar->toolprint_Click();
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].text, "Printer error!");
    EXPECT_EQ(s.boxes.shown[0].title, "METER");
    EXPECT_EQ(s.printer.Orientation, Printer::Landscape);
    EXPECT_TRUE(s.resynchronised());
}

TEST(ToolStripCommands, InfoShowsOneAboutWindowAndResynchronises) {
    Strip s;
    s.form->frmtoolbar->help_Click();
    EXPECT_TRUE(s.resynchronised());
    FrmAbout* about = s.form->about().window();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    ASSERT_TRUE(s.waitArmed());
    s.form->frmtoolbar->help_Click();
    EXPECT_EQ(s.form->about().window(), about);
    EXPECT_TRUE(s.resynchronised());
    about->close();

    // The hidden menu item shows it modally and leaves reception alone.
    ASSERT_TRUE(s.waitArmed());
    QTimer::singleShot(0, [] {
        if (QWidget* m = QApplication::activeModalWidget()) m->close();
    });
    s.form->frmtoolbar->CapAbout->trigger();
    EXPECT_TRUE(s.armed());
}

TEST(ToolStripCommands, ShutDownOffersToSaveOnlyWithFileRecords) {
    QTemporaryDir dir;
    const QString target = dir.filePath("last.txt");
    {
        Strip s;
        s.addRecords(2);
        s.form->close(); // no file records: no question, nothing written
        EXPECT_TRUE(s.boxes.shown.empty());
        EXPECT_FALSE(s.form->MSComm1->PortOpen());
    }
    Strip s;
    s.addRecords(2);
    s.form->state.fileRecordCount = 2;
    s.boxes.answer = MessageBoxes::Answer::Yes;
    s.answers = {target};
    s.form->close();
    ASSERT_EQ(s.boxes.shown.size(), 1u);
    EXPECT_EQ(s.boxes.shown[0].text, "Do you want to save the existing graph data?");
    EXPECT_EQ(s.boxes.shown[0].title, "meter");
    EXPECT_EQ(s.boxes.shown[0].buttons, MessageBoxes::Buttons::YesNo);
    EXPECT_EQ(s.readFile(target).count("\r\n"), 4);
}

// The tool strip's data file commands run from the main window: OPEN reads a
// data file and the graph window shows its summary, the workbook export, and
// the hidden print menu with the tabular report and the print layout window.
#include "data_file_text.h"
#include "fake_env.h"
#include "file_bytes.h"
#include "main_window_rig.h"
#include "png_files.h"
#include "record_fills.h"
#include "recording_printer.h"
#include "platform/mouse_capture.h"
#include "windows/frmgraphshow.h"
#include "windows/frmprintuse.h"
#include "windows/mainform.h"
#include "windows/toolbar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <string>
#include <vector>

namespace meter {

// Runs the tool strip's workbook export, which nothing in the program calls.
struct ToolbarTestAccess {
    static void exportToExcel(Toolbar& strip) { strip.exportToExcel(); }
};

} // namespace meter

using namespace meter;
using namespace testsupport;
using namespace std::chrono_literals;

namespace {

// A record line in dBA.
std::string recordLine(int no, const char* time, const char* value) {
    return dataFileLine(std::to_string(no), time, value, "dBA");
}

QString writeDataFile(const QTemporaryDir& dir, const char* name, const std::string& records) {
    const QString path = QDir(dir.path()).filePath(name);
    EXPECT_TRUE(writeFile(path, dataFileHead() + records));
    return path;
}

// Three records; the largest value twice.
std::string threeRecords(const char* largest = "45.5", const char* smallest = "-3.25") {
    return recordLine(1, "10:00:01", largest) + recordLine(2, "10:00:02", smallest) +
           recordLine(3, "10:00:03", largest);
}

// The main window with a printer that records what the report prints (built
// first, as a base).
struct WithRecordingPrinter {
    RecordingPrinter printer;
};
struct Window : WithRecordingPrinter, MainWindowRig {
    explicit Window(Regional regional = {}) : MainWindowRig(Options{.printer = &printer, .regional = regional}) {
        EXPECT_TRUE(started);
    }
    Toolbar& strip() { return *form->frmtoolbar; }
    Frmgraphshow& graph() { return *form->frmgraph; }
    SharedState& state() { return form->state; }

    // The summary boxes of the graph window.
    std::vector<QString> summary() {
        return {graph().starttimetext->text(), graph().NumberofAlltext->text(), graph().MaxofAll->text(),
                graph().MinofAll->text()};
    }
    void clearPrinter() {
        printer.log.clear();
        printer.items.clear();
        printer.pages = 0;
    }
    // File records 1..n: number i, value i + 0.5.
    void fileRecords(int n) {
        for (int i = 1; i <= n; ++i) setFileRecord(state(), i, {i, "09:30:05", i + 0.5, "dBA"});
        state().fileRecordCount = n;
    }
    // The record numbers in the report's first column, page by page.
    std::vector<std::vector<int>> rowsByPage() const {
        std::vector<std::vector<int>> pages;
        for (int page = 1; page <= printer.pages; ++page) pages.push_back(printer.rowNumbers(page));
        return pages;
    }
};

} // namespace

TEST(ToolStripOpen, TheGraphWindowShowsTheSummaryAndRedraws) {
    Window w;
    QTemporaryDir dir;
    w.addRecords(3); // live records that the graph has not drawn yet
    ASSERT_EQ(w.graph().graphGeometry().count, 0);

    w.strip().toolopen->showImage(7); // hovered
    w.answers = {writeDataFile(dir, "good.txt", threeRecords())};
    w.strip().toolopen_Click();
    EXPECT_EQ(w.strip().toolopen->shownImage(), 8);
    EXPECT_EQ(w.form->CommonDialog1.Filter, "text files (*.txt)|*.txt");
    EXPECT_TRUE(w.boxes.shown.empty());
    EXPECT_EQ(w.state().fileRecordCount, 3);
    const std::vector<QString> good = {"10:00:01", "3", "45.5   (10:00:01)", "-3.25   (10:00:02)"};
    EXPECT_EQ(w.summary(), good);                  // of two equal largest values the first is named
    EXPECT_EQ(w.graph().graphGeometry().count, 3); // redrawn
    EXPECT_EQ(w.graph().LabelB0->text(), "09:30:05");
    EXPECT_TRUE(w.armed()); // reception is left as it was

    // A bad file: the message, no records, the summary and the graph as they were.
    w.addRecords(4);
    w.answers = {writeDataFile(dir, "bad.txt", recordLine(1, "10:00:01", "inf"))};
    w.strip().toolopen_Click();
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_EQ(w.boxes.shown[0].text, "open file error!");
    EXPECT_EQ(w.boxes.shown[0].title, "meter");
    EXPECT_EQ(w.boxes.shown[0].buttons, MessageBoxes::Buttons::Ok);
    EXPECT_EQ(w.state().fileRecordCount, 0);
    EXPECT_EQ(w.summary(), good);
    EXPECT_EQ(w.graph().graphGeometry().count, 3);

    // A good file again, then a cancelled dialog: store and summary stay.
    w.answers = {writeDataFile(dir, "again.txt", threeRecords("7", "1"))};
    w.strip().toolopen_Click();
    const std::vector<QString> again = {"10:00:01", "3", "7   (10:00:01)", "1   (10:00:02)"};
    EXPECT_EQ(w.summary(), again);
    w.answers.clear();
    w.strip().toolopen_Click();
    EXPECT_EQ(w.state().fileRecordCount, 3);
    EXPECT_EQ(w.state().fileRecords[1].value, 7);
    EXPECT_EQ(w.summary(), again);
    EXPECT_EQ(w.boxes.shown.size(), 1u);
}

// The user's decimal separator reaches the reader, the summary and the printer.
TEST(ToolStripOpen, RegionalSeparatorReadSummarisedAndPrinted) {
    Window w(Regional{.decimalSeparator = ','});
    QTemporaryDir dir;
    w.answers = {writeDataFile(dir, "comma.txt", threeRecords("45,5", "-3,25"))};
    w.strip().toolopen_Click();
    ASSERT_EQ(w.state().fileRecordCount, 3);
    EXPECT_EQ(w.graph().MaxofAll->text(), "45,5   (10:00:01)");
    EXPECT_EQ(w.graph().MinofAll->text(), "-3,25   (10:00:02)");
    w.strip().printalldata->trigger();
    ASSERT_GE(w.printer.items.size(), 8u);
    EXPECT_EQ(w.printer.items[7].text, " 45,5");
}

TEST(ToolStripWorkbookExport, ResetsTheButtonThenWritesTheWorkbook) {
    Window w;
    QTemporaryDir dir;
    const QString target = QDir(dir.path()).filePath("data.xls");

    // No file records: the button is reset and nothing more happens.
    w.strip().export_->showImage(3);
    setCapture(w.strip().export_);
    w.answers = {target};
    ToolbarTestAccess::exportToExcel(w.strip());
    EXPECT_EQ(w.strip().export_->shownImage(), 4);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(w.answers.size(), 1u); // no dialog
    EXPECT_FALSE(QFile::exists(target));

    w.answers = {writeDataFile(dir, "good.txt", threeRecords()), target};
    w.strip().toolopen_Click();
    ASSERT_EQ(w.state().fileRecordCount, 3);
    ToolbarTestAccess::exportToExcel(w.strip());
    EXPECT_TRUE(w.answers.empty());
    EXPECT_EQ(w.form->CommonDialog1.Filter, "Excel files (*.xls)|*.xls");
    EXPECT_TRUE(w.boxes.shown.empty());
    EXPECT_TRUE(MainWindowRig::readFile(target).startsWith("PK\x03\x04")); // a workbook, under the name given
    EXPECT_TRUE(w.armed());                                                // reception is left as it was
}

TEST(ToolStripPrintMenu, ReportsOfAllRecordsAndOfTheZoomedSpan) {
    Window w;
    w.fileRecords(300);
    const std::vector<std::vector<int>> allPages = {
        numbersFrom(1, 36),    numbersFrom(37, 72),   numbersFrom(73, 108),
        numbersFrom(109, 144), numbersFrom(145, 180), numbersFrom(181, 216),
        numbersFrom(217, 252), numbersFrom(253, 288), numbersFrom(289, 300)};

    w.strip().printalldata->trigger();
    EXPECT_TRUE(w.boxes.shown.empty());
    EXPECT_EQ(w.rowsByPage(), allPages);
    EXPECT_EQ(w.printer.items.back().text, "Page 9   (10.12.26)");
    EXPECT_EQ(w.printer.log.back(), "enddoc");
    EXPECT_EQ(w.strip().printReport().printPage, 9); // kept on the tool strip
    const std::vector<std::string> allLog = w.printer.log;

    // "Print Data " without a zoom: the same job.
    w.clearPrinter();
    w.strip().printdata->trigger();
    EXPECT_EQ(w.printer.log, allLog);

    // With the graph's zoom: records 11 to 629 / 3 + 10 + 1 = 220.67, so 221.
    w.clearPrinter();
    w.graph().showzoom = true;
    w.graph().NumStartShow = 10;
    w.strip().printdata->trigger();
    EXPECT_TRUE(w.boxes.shown.empty());
    const auto zoomed = w.rowsByPage();
    ASSERT_EQ(zoomed.size(), 6u);
    EXPECT_EQ(zoomed.front().front(), 11);
    EXPECT_EQ(zoomed.back(), numbersFrom(191, 221));
    EXPECT_EQ(w.strip().printReport().printPage, 6);

    // A zoom of no width: the title and headings, then the message, with the
    // document left open.
    w.clearPrinter();
    w.graph().xwidthzoom = 0;
    w.strip().printdata->trigger();
    ASSERT_EQ(w.boxes.shown.size(), 1u);
    EXPECT_EQ(w.boxes.shown[0].text, "print data error!");
    EXPECT_EQ(w.boxes.shown[0].title, "meter");
    EXPECT_EQ(w.boxes.shown[0].buttons, MessageBoxes::Buttons::Ok);
    ASSERT_EQ(w.printer.items.size(), 5u);
    EXPECT_EQ(w.printer.items.back().text, "dBA\\dBC");
    EXPECT_TRUE(w.printer.documentOpen());
    EXPECT_EQ(w.strip().printReport().printPage, 1);
    EXPECT_TRUE(w.armed()); // no print touches reception
}

TEST(ToolStripPrintMenu, PrintGraphShowsTheOnePrintLayoutWindow) {
    Window w;
    w.strip().printgraph->trigger();
    FrmPrintUse* layout = w.form->frmprint();
    ASSERT_NE(layout, nullptr);
    EXPECT_TRUE(layout->isVisible());
    EXPECT_TRUE(layout->isWindow());
    EXPECT_EQ(layout->parentWidget(), nullptr); // no owner: not inside the main window
    EXPECT_TRUE(layout->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(layout->size(), QSize(1024, 768));
    EXPECT_EQ(layout->windowTitle(), "Form1");
    EXPECT_EQ(layout->palette().color(QPalette::Window), FrmPrintUse::backgroundColour());
    layout->close(); // as the window manager may
    w.strip().printgraph->trigger();
    EXPECT_EQ(w.form->frmprint(), layout);
    EXPECT_TRUE(layout->isVisible());

    // Its fixed content.
    EXPECT_EQ(layout->SelectRate->count(), 9);
    EXPECT_EQ(layout->SelectRate->itemText(0), "0.1");
    EXPECT_EQ(layout->SelectRate->itemText(8), "5");
    EXPECT_EQ(layout->SelectRate->currentText(), "0.5");
    const auto boxes = layout->findChildren<QLineEdit*>();
    int locked = 0;
    for (const QLineEdit* b : boxes) {
        if (b->parentWidget() != layout) continue; // the rate list's own field
        ++locked;
        EXPECT_TRUE(b->isReadOnly()) << b->objectName().toStdString();
        EXPECT_EQ(b->text(), "0") << b->objectName().toStdString();
    }
    EXPECT_EQ(locked, 9);
    EXPECT_EQ(layout->Picture1->geometry(), QRect(184, 176, 633, 313));
    EXPECT_EQ(layout->Picture1->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(layout->Shape1->isVisible());
    EXPECT_FALSE(layout->APointShowLabel->isVisible());
    EXPECT_FALSE(layout->BPointShowLabel->isVisible());
    EXPECT_EQ(layout->APointShowLabel->palette().color(QPalette::WindowText), QColor(Qt::blue));
    for (const QLabel* l : {layout->LabelBL, layout->LabelBM, layout->LabelBR}) {
        EXPECT_TRUE(l->text().isEmpty());
        EXPECT_EQ(l->width(), 136);
        EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(Qt::red));
    }
    EXPECT_EQ(layout->Image2->geometry().topLeft(), QPoint(472, 488));
    EXPECT_FALSE(layout->TimerRepire->isActive());
    EXPECT_EQ(layout->TimerRepire->interval(), 200);
    for (const ImageList* l : {&layout->ImageList1, &layout->ImageList2, &layout->ImageList3, &layout->ImageList4})
        EXPECT_EQ(l->count(), 0);

    savePng(*layout, "frmprintuse.png");
}

// The print layout window cannot be closed by itself: closing the main window
// must end the program all the same.
TEST(ToolStripPrintMenu, ClosingTheMainWindowEndsTheProgramWhileTheLayoutIsShown) {
    Window w;
    w.strip().printgraph->trigger();
    FrmPrintUse* layout = w.form->frmprint();
    ASSERT_TRUE(layout->isVisible());

    bool stuck = false;
    QTimer::singleShot(0, w.form.get(), [&] { w.strip().toolclose_Click(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        stuck = true;
        QApplication::exit(1);
    });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(stuck);
    EXPECT_FALSE(w.form->isVisible());
    EXPECT_FALSE(layout->isVisible());
    EXPECT_FALSE(w.form->MSComm1->PortOpen());
}

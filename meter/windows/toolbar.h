// The tool strip across the top of the main window: the command buttons
// EXPORT, SAVE AS, PRINT and INFO, minimise and close, the file dialog and
// the button pictures. Pressing its background drags the main window.
#pragma once

#include "core/shared_state.h"
#include "output/print_report.h"
#include "platform/image_list.h"
#include "windows/picture_button.h"

#include <QPixmap>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace meter {

class CommonDialog;

class Toolbar : public QWidget {
    Q_OBJECT
public:
    Toolbar(SharedState& state, QWidget* mainWindow, CommonDialog& dialog, QWidget* parent = nullptr);

    static constexpr int designedWidth = 966;
    static constexpr int designedHeight = 71;

    // Width = the main window's width; minimise and close 5 pixels down.
    // The constructor runs it with the main window's width at that time.
    void Form_Load();
    void setMainWidth(int px);

    void export_Click();
    void saveas_Click(); // also run by the shut-down question
    void toolprint_Click();
    void help_Click();
    void toolmin_Click();
    void toolclose_Click();
    void connect_Click();
    void toolopen_Click();
    void Command1_Click();

    // The hidden print menu: the tabular report of the data file's records,
    // all of them or the graph's zoomed span, and the print layout window.
    void printgraph_Click();
    void printdata_Click();
    void printalldata_Click();

    // Where the tabular report stood when its last run ended.
    const PrintReportState& printReport() const { return printReport_; }

    CommonDialog& CommonDialog1;
    ImageList ToolBarImageList;

    // `export` and `connect` are the buttons' names; export is a C++ keyword and
    // connect would hide QObject::connect, hence the trailing underscore.
    PictureButton* export_ = nullptr;
    PictureButton* saveas = nullptr;
    PictureButton* toolprint = nullptr;
    PictureButton* help = nullptr;
    PictureButton* toolmin = nullptr;
    PictureButton* toolclose = nullptr;
    PictureButton* connect_ = nullptr; // hidden
    PictureButton* toolopen = nullptr; // hidden
    QPushButton* Command1 = nullptr;   // hidden
    QLabel* Label1 = nullptr;          // hidden

    // Hidden menus, never popped up.
    QMenu* CapHelp = nullptr;
    QAction* CapContents = nullptr;
    QAction* CapAbout = nullptr;
    QMenu* printselect = nullptr;
    QAction* printgraph = nullptr;
    QAction* printdata = nullptr;
    QAction* printalldata = nullptr;

signals:
    // The commands behind the buttons, raised after each button's first steps;
    // the main window runs them.
    void exportRequested();        // CSV export
    void saveAsRequested();        // samples report
    void printRequested();         // graph printing
    void helpRequested();          // About window
    void connectRequested();       // connection dialog (hidden button)
    void openRequested();          // data file reader (hidden button)
    void testRequested();          // test message (hidden push button Command1)
    void exportToExcelRequested(); // workbook export (exportToExcel)
    // The tabular report of every record, or of the zoomed span: `report` is
    // where the last run ended, kept on the strip; the run leaves its own end there.
    void printAllDataRequested(PrintReportState& report);
    void printDataRequested(PrintReportState& report);
    void printGraphRequested(); // the print layout window

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    // The workbook export; nothing in the program calls it.
    void exportToExcel();
    friend struct ToolbarTestAccess; // lets the tests run exportToExcel

    SharedState& state_;
    QWidget* mainWindow_;
    QPixmap background_;
    PrintReportState printReport_;
};

} // namespace meter

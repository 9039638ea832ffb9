// The statistics strip along the bottom of the main window: the largest and
// smallest reading of each quantity with its unit, the series switches of the
// graph, a clock, and dragging of the main window from the strip's background.
#pragma once

#include "core/recording.h"
#include "core/regional.h"
#include "core/shared_state.h"

#include <QPixmap>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace meter {

class Statusfrm : public QWidget {
    Q_OBJECT
public:
    // mainWindow is the window that is dragged and whose size places the
    // strip. `regional` gives the clock its time format; it must outlive the strip.
    Statusfrm(SharedState& state, QWidget* mainWindow, Clock clock, const Regional& regional,
              QWidget* parent = nullptr);
    Statusfrm(SharedState&, QWidget*, Clock, const Regional&&, QWidget* = nullptr) = delete;

    // Places the strip below the tool strip and the readout panel, across the
    // main window's width and down to its bottom.
    void Form_Load(int toolbarHeight, int tableshowHeight);
    // The same with their designed heights; the constructor runs it.
    void Form_Load();

    // Text1..Text12; nullptr for any other i.
    QLineEdit* text(int i) const;

    // Writes the unit boxes Text9..Text12, then the extremes Text1..Text8.
    void showStatistics(const RecordOutcome& outcome);

    // The series switches: each sets its series flag, then raises seriesSwitched.
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Timer1_Timer();

    // Column headings.
    QLabel* Label12 = nullptr; // "MAXIMUM"
    QLabel* Label13 = nullptr; // "MINIMUM"
    QLabel* Label14 = nullptr; // "UNIT"
    // Rows: switch, heading, maximum, minimum, unit.
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QLabel* Label8 = nullptr;  // "VELOCITY"
    QLabel* Label9 = nullptr;  // "TEMPERATURE"
    QLabel* Label10 = nullptr; // "FLOW"
    QLabel* Label11 = nullptr; // "AREA"
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text7 = nullptr;
    QLineEdit* Text8 = nullptr;
    QLineEdit* Text9 = nullptr;
    QLineEdit* Text10 = nullptr;
    QLineEdit* Text11 = nullptr;
    QLineEdit* Text12 = nullptr;
    // Clock.
    QLabel* Label6 = nullptr; // date
    QLabel* Label5 = nullptr; // time
    QTimer* Timer1 = nullptr;
    // Cursor readout, kept hidden.
    QLabel* Label7 = nullptr;
    QLineEdit* CursorAtext = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* CursorBtext = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* MaxofAB = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* MinofAB = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* AVGofAB = nullptr;

signals:
    // A series was switched on or off: the graph is to be redrawn at once.
    void seriesSwitched();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    SharedState& state_;
    QWidget* mainWindow_;
    Clock clock_;
    const Regional& regional_;
    QPixmap background_;
};

// The strip's background picture: 966 x 120, a light-blue vertical gradient.
QPixmap statusBackground();

} // namespace meter

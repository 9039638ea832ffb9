// The print layout window: a still page in the graph window's manner, with the
// start time, the sampling rate, the record count, the largest and smallest
// value, a white plot box with its scale, and the read-outs of two cursors A
// and B. It has no procedures: nothing fills, changes, hides or closes it.
// A top-level window of its own, borderless and centred on the screen; it
// does not keep the program running once the main window has closed.
#pragma once

#include "platform/image_list.h"

#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QTimer;

namespace meter {

class FrmPrintUse : public QWidget {
    Q_OBJECT
public:
    static constexpr int clientWidth = 1024; // 15360 twips
    static constexpr int clientHeight = 768; // 11520 twips

    FrmPrintUse();

    // The background: the system colour of an inactive caption's text.
    static QColor backgroundColour();

    // Controls, named as in the design. Its other labels are fixed texts.
    QLabel* Label1 = nullptr; // "Real-Time Graph"
    QLineEdit* starttimetext = nullptr;
    QComboBox* SelectRate = nullptr;
    QLineEdit* NumberofAlltext = nullptr;
    QLineEdit* MaxofAll = nullptr;
    QLineEdit* MinofAll = nullptr;
    QWidget* Picture1 = nullptr;       // the white plot box
    QFrame* Shape1 = nullptr;          // hidden, inside the plot box
    QLabel* APointShowLabel = nullptr; // "A", hidden
    QLabel* BPointShowLabel = nullptr; // "B", hidden
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* LabelBL = nullptr;
    QLabel* LabelBM = nullptr;
    QLabel* LabelBR = nullptr;
    QLineEdit* CursorAtext = nullptr;
    QLineEdit* CursorBtext = nullptr;
    QLineEdit* AVGofAB = nullptr;
    QLineEdit* MaxofAB = nullptr;
    QLineEdit* MinofAB = nullptr;
    QLabel* Label5 = nullptr;
    QTimer* TimerRepire = nullptr;                            // 200 ms, never started
    ImageList ImageList1, ImageList2, ImageList3, ImageList4; // empty, unused
};

} // namespace meter

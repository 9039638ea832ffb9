// The real-time graph window: the plot box with its grid, the range list that
// sets the full scale, the scroll bar that brings back earlier screens, the
// record-count and start-time boxes, the axis and time labels.
#pragma once

#include "core/graph_geometry.h"
#include "core/regional.h"
#include "core/shared_state.h"
#include "core/zoom_band.h"
#include "platform/image_list.h"
#include "windows/graph_plot_box.h"

#include <QWidget>

#include <cstdint>
#include <optional>
#include <string_view>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTimer;

namespace meter {

class PictureButton;
class ZoomBandShape;

class Frmgraphshow : public QWidget {
    Q_OBJECT
public:
    static constexpr int designWidth = 723;
    static constexpr int designHeight = 479;

    // Builds the window and does what loading it does: scroll bar range and
    // position 1, the public members' start values, the twelve full scales.
    // The main window places it (left = readout panel width, top = tool strip height).
    // `regional` gives the time labels their format and the file summary its
    // decimal separator; it must outlive the window.
    Frmgraphshow(SharedState& state, const Regional& regional, QWidget* parent = nullptr);
    Frmgraphshow(SharedState&, const Regional&&, QWidget* = nullptr) = delete;

    // Redraws the graph: works out what the plot shows now, writes the time
    // labels at once (also while the window is hidden) and has the plot box
    // repainted from that.
    void frmrefresh();

    // An item of the range list was picked: sets graphRange and the axis
    // captions when the list's text is one of the twelve full scales, then redraws.
    void Combo1_Click();

    // The scroll bar's position changed (by the user or by setScrollRange).
    void HScroll1_Change();

    // For the receive handler: sets the scroll bar's minimum and maximum and,
    // when `value` is given, its position; a changed position runs
    // HScroll1_Change before this returns.
    void setScrollRange(int min, int max, std::optional<int> value);

    // What others write into the boxes (UTF-8 texts): the number of stored
    // records (NumberofAlltext), the date and time of the first one
    // (starttimetext), and a data file's largest and smallest reading
    // (MaxofAll, MinofAll, stored hidden).
    void showRecordCount(std::string_view text);
    void showStartTime(std::string_view text);
    void showFileSummary(std::string_view maxText, std::string_view minText);

    // The summary of the data file read last, from the file records: the
    // first record's time, the number of records, the largest and the
    // smallest value with their times. Nothing while no record is held.
    void OpenFileUse();

    // For printing. freezePlot: the plot box's picture becomes an image of its
    // current drawing and the box shows that picture instead of the live series.
    // restorePlotFromBackdrop: the picture becomes the image of the print
    // backdrop Picture2 (background and grid) and the live series are drawn
    // over it again; run frmrefresh() after it to redraw.
    void freezePlot();
    void restorePlotFromBackdrop();

    // What the last frmrefresh worked out.
    const GraphGeometry& graphGeometry() const { return geometry_; }

    // Controls, named as in the window's design. Others read them; they write
    // through the operations above.
    QLabel* Label1 = nullptr;    // "Real-Time Graph"
    QLabel* Label6 = nullptr;    // "Range:"
    QComboBox* Combo1 = nullptr; // the range list
    QLabel* Label2 = nullptr;    // "Start Time:"
    QLineEdit* starttimetext = nullptr;
    QLabel* Label7 = nullptr; // "DataNo."
    QLineEdit* NumberofAlltext = nullptr;
    QLabel* Label_Range0 = nullptr; // "0" at the baseline
    QLabel* Label_Range1 = nullptr;
    QLabel* Label_Range2 = nullptr;
    QLabel* Label_Range3 = nullptr;
    QLabel* Label_Range4 = nullptr;
    QLabel* Label_Range5 = nullptr;
    QLabel* Label_Range6 = nullptr;   // the top edge
    GraphPlotBox* Picture1 = nullptr; // the plot box
    GraphPlotBox* Picture2 = nullptr; // hidden print backdrop
    QLabel* LabelB0 = nullptr;        // time of screen position 1
    QLabel* LabelB1 = nullptr;        // 52
    QLabel* LabelB2 = nullptr;        // 105
    QLabel* LabelB3 = nullptr;        // 157
    QLabel* LabelB4 = nullptr;        // 210
    QScrollBar* HScroll1 = nullptr;
    // File summary, hidden.
    QLabel* Label8 = nullptr; // "Maximum:"
    QLineEdit* MaxofAll = nullptr;
    QLabel* Label9 = nullptr; // "Minimum:"
    QLineEdit* MinofAll = nullptr;

    // Public members with their values after loading.
    double xwidth = 3.0; // kept from the design; nothing in the program uses it
    double xwidthzoom = 3.0;
    std::int32_t NumStartShow = 0;
    bool showzoom = false;
    bool runORpause = false;
    // Kept from the design; nothing in the program uses them.
    bool fristzoom = true;
    bool runORstop = false;
    double textshowMax = 0;
    double textshowMin = 0;

    // ---- The second set of controls, top right, all stored hidden, and the
    // zoom band (frmgraphshow_extras.cpp). None of it changes what the plot shows.

    // Pause and resume: runORpause, the button's picture and tooltip, the timers.
    void btpause_Click();
    // An item of the sampling-rate list was picked: the recording timer's interval.
    void SelectRate_Click();
    // One tick: the recording timer starts its period afresh, this timer stops.
    void TimerRepire_Timer();
    // The plot box white, then redrawn (which gives it back its background).
    void dotLine_Click();
    // The zoom band, bound to no event: Button 1 left, 2 right; X, Y in plot pixels.
    void zoomMouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void zoomMouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);

    ImageList ImageList2; // pause, start
    ImageList ImageList3; // move up, down, left, right (normal, hover)
    ImageList ImageList4; // undo zoom (normal, hover)
    PictureButton* btpause = nullptr;
    PictureButton* btstartorstop = nullptr;
    // The move and undo-zoom buttons: the hover rule, no click action.
    PictureButton* btmvToup = nullptr;
    PictureButton* btmvTodown = nullptr;
    PictureButton* btmvToleft = nullptr;
    PictureButton* btmvToright = nullptr;
    PictureButton* btrealsize = nullptr;
    QCheckBox* dotLine = nullptr;
    QLabel* Label5 = nullptr;        // "dot-dot line "
    QComboBox* SelectRate = nullptr; // periods in seconds
    QLabel* Label3 = nullptr;        // "Sampling Rate:"
    QLabel* Label4 = nullptr;        // "Sec"
    QTimer* startRecTimer = nullptr; // no tick action
    QTimer* TimerRepire = nullptr;   // nothing starts it
    ZoomBandShape* Shape1 = nullptr; // inside Picture1
    QMenu* PicUndoZoomMenu = nullptr;
    QAction* Undo_Zoom = nullptr; // "Undo Zoom", no action

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void buildExtras();

    SharedState& state_;
    const Regional& regional_;
    GraphGeometry geometry_;
    ZoomPoint zoomStart_; // zoomStartX, zoomStartY: the band's anchor
    ZoomPoint zoomEnd_;   // zoomEndX, zoomEndY: its moving corner
};

} // namespace meter

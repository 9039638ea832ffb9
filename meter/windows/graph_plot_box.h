// The graph window's plot box: 632 x 356 pixels, the series of a graph
// geometry over the box's background, under its eight dotted grid lines.
#pragma once

#include "core/graph_geometry.h"

#include <QPixmap>
#include <QWidget>

class QPainter;

namespace meter {

// The small upward triangle that marks a time label's place under a plot:
// black lines, 17 pixels wide and 9 high, apex at `apex`.
void paintTimeMarker(QPainter& p, QPoint apex);

// Its painting, always in this order:
//   1. the background colour (the system's window background, QPalette::Base);
//   2. the background picture, if one is set (setPicture);
//   3. the series of the geometry it is given, unless the box is frozen;
//   4. the eight dotted grid lines, so they always lie above the series.
// Freezing keeps step 3 out: the box then shows only its picture (which the
// graph window sets to an image of the last drawing) under the grid.
// Without a geometry (the print backdrop) the box shows background and grid.
class GraphPlotBox : public QWidget {
public:
    explicit GraphPlotBox(QWidget* parent = nullptr);

    // What step 3 draws; nullptr draws no series. Not owned; must outlive the box.
    void setGraph(const GraphGeometry* g) {
        graph_ = g;
        update();
    }

    // The background picture (the box's Picture); a null pixmap removes it.
    void setPicture(const QPixmap& picture) {
        picture_ = picture;
        update();
    }
    const QPixmap& picture() const { return picture_; }

    void setFrozen(bool frozen) {
        frozen_ = frozen;
        update();
    }
    bool frozen() const { return frozen_; }

    // An image of the box's current drawing (its Image).
    QPixmap image() const;

    // The whole drawing, in box coordinates, onto any painter.
    void paintPlot(QPainter& p) const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    const GraphGeometry* graph_ = nullptr;
    QPixmap picture_;
    bool frozen_ = false;
};

} // namespace meter

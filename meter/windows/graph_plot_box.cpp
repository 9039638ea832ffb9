#include "windows/graph_plot_box.h"

#include "core/segment_clip.h"

#include <QPainter>

#include <array>

namespace meter {

void paintTimeMarker(QPainter& p, QPoint apex) {
    const int x = apex.x(), y = apex.y();
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(x, y, x - 8, y + 8);
    p.drawLine(x, y, x + 8, y + 8);
    p.drawLine(x - 8, y + 8, x + 8, y + 8);
}

namespace {

// Series colours in drawing order.
const std::array<QColor, graph::seriesCount> seriesColours = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255),
                                                              QColor(0, 0, 0)};

// The grid: five horizontal lines across the box, three vertical ones from
// y = 352 up to 0; dotted, one pixel on, one off.
constexpr std::array<int, 5> gridRows = {59, 118, 177, 236, 295};
constexpr std::array<int, 3> gridColumns = {160, 311, 472};

const QPolygon& gridDots() {
    static const QPolygon dots = [] {
        QPolygon p;
        for (int y : gridRows)
            for (int x = 0; x < graph::plotWidth; x += 2) p << QPoint(x, y);
        for (int x : gridColumns)
            for (int y = 352; y >= 0; y -= 2) p << QPoint(x, y);
        return p;
    }();
    return dots;
}

} // namespace

GraphPlotBox::GraphPlotBox(QWidget* parent) : QWidget(parent) {
    setFixedSize(graph::plotWidth, graph::plotHeight);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QPixmap GraphPlotBox::image() const {
    QPixmap pm(graph::plotWidth, graph::plotHeight);
    QPainter p(&pm);
    paintPlot(p);
    return pm;
}

void GraphPlotBox::paintPlot(QPainter& p) const {
    const QRect box(0, 0, graph::plotWidth, graph::plotHeight);
    p.save();
    p.setClipRect(box);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(box, palette().color(QPalette::Base));
    if (!picture_.isNull()) p.drawPixmap(0, 0, picture_);

    if (graph_ != nullptr && !frozen_) {
        for (int si = 0; si < graph::seriesCount; ++si) {
            const GraphSeriesLine& line = graph_->series[static_cast<std::size_t>(si)];
            if (!line.shown || line.count == 0) continue;
            // Square caps: both end points of a segment are set, so the newest record shows.
            QPen pen(seriesColours[static_cast<std::size_t>(si)], 1, Qt::SolidLine, Qt::SquareCap);
            pen.setCosmetic(true);
            p.setPen(pen);
            std::array<QLineF, graph::screenRecords> lines;
            int k = 0;
            for (int i = 0; i < line.count; ++i) {
                const GraphSegment& s = line.segments[static_cast<std::size_t>(i)];
                if (!s.drawn) continue;
                double x1 = s.x1, y1 = s.y1, x2 = s.x2, y2 = s.y2;
                if (!clipSegment(x1, y1, x2, y2)) continue;
                lines[static_cast<std::size_t>(k++)] = QLineF(x1, y1, x2, y2);
            }
            p.drawLines(lines.data(), k);
        }
    }

    p.setPen(QPen(Qt::black, 1));
    p.drawPoints(gridDots());
    p.restore();
}

void GraphPlotBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintPlot(p);
}

} // namespace meter

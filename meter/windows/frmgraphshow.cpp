#include "windows/frmgraphshow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

#include <algorithm>
#include <array>
#include <cmath>

namespace meter {

namespace {

// 11.25 pt and 14.25 pt at 96 dpi.
constexpr int labelFontPixels = 15;
constexpr int titleFontPixels = 19;
// The controls' default font, 8.25 pt.
constexpr int controlFontPixels = 11;

QFont labelFont() {
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QString::fromUtf8("\xE5\xAE\x8B\xE4\xBD\x93"),
                   QStringLiteral("NSimSun"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("DejaVu Sans")});
    f.setPixelSize(labelFontPixels);
    f.setWeight(QFont::Normal);
    return f;
}

QFont titleFont() {
    QFont f;
    f.setFamilies({QStringLiteral("Arial Unicode MS"), QStringLiteral("Arial"),
                   QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(titleFontPixels);
    f.setBold(true);
    return f;
}

QFont controlFont() {
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                   QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(controlFontPixels);
    return f;
}

QLabel* makeLabel(QWidget* parent, const char* text, int x, int y, int w, int h,
                  Qt::Alignment align, const QFont& font) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setGeometry(x, y, w, h);
    l->setAlignment(align | Qt::AlignTop);
    l->setFont(font);
    l->setAutoFillBackground(false);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(pal);
    return l;
}

QLineEdit* makeBox(QWidget* parent, int x, int y, int w, int h) {
    auto* e = new QLineEdit(QStringLiteral("0"), parent);
    e->setGeometry(x, y, w, h);
    e->setReadOnly(true);
    e->setFont(controlFont());
    return e;
}

// Series colours in drawing order.
const std::array<QColor, graph::seriesCount> seriesColours = {
    QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255), QColor(0, 0, 0)};

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

// The part of a segment that can show in the box, with a margin, so that the
// painter never gets coordinates far outside it. Returns false when nothing
// shows or an end is not a number.
bool clipSegment(double& x1, double& y1, double& x2, double& y2) {
    if (std::isnan(y1) || std::isnan(y2)) return false;
    // Infinite ends (readings beyond the float range) are taken as far away.
    constexpr double far = 1e9;
    y1 = std::clamp(y1, -far, far);
    y2 = std::clamp(y2, -far, far);
    constexpr double xmin = -2, xmax = graph::plotWidth + 2;
    constexpr double ymin = -2, ymax = graph::plotHeight + 2;
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double nx1 = x1 + t0 * dx, ny1 = y1 + t0 * dy;
    const double nx2 = x1 + t1 * dx, ny2 = y1 + t1 * dy;
    x1 = nx1; y1 = ny1; x2 = nx2; y2 = ny2;
    return true;
}

struct RangeRow {
    const char* text;
    double range;
    std::array<const char*, 6> captions; // Label_Range1 .. Label_Range6
};

const std::array<RangeRow, 12> rangeRows = {{
    {"6000000", 6000000, {"1000000", "2000000", "3000000", "4000000", "5000000", "6000000"}},
    {"600000", 600000, {"100000", "200000", "300000", "400000", "500000", "600000"}},
    {"60000", 60000, {"10000", "20000", "30000", "40000", "50000", "60000"}},
    {"6000", 6000, {"1000", "2000", "3000", "4000", "5000", "6000"}},
    {"3000", 3000, {"500", "1000", "1500", "2000", "2500", "3000"}},
    {"1000", 1000, {"166.7", "333.3", "500", "666.7", "833.3", "1000"}},
    {"600", 600, {"100", "200", "300", "400", "500", "600"}},
    {"300", 300, {"50", "100", "150", "200", "250", "300"}},
    {"100", 100, {"16.7", "33.3", "50", "66.7", "83.3", "100"}},
    {"60", 60, {"10", "20", "30", "40", "50", "60"}},
    {"30", 30, {"5", "10", "15", "20", "25", "30"}},
    {"10", 10, {"1.7", "3.3", "5", "6.7", "8.3", "10"}},
}};

} // namespace

// ---------------------------------------------------------------- plot box

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

// ---------------------------------------------------------------- window

Frmgraphshow::Frmgraphshow(SharedState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
    setWindowTitle(QStringLiteral("V"));
    setFixedSize(designWidth, designHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(pal);

    const QFont small = labelFont();
    const auto left = Qt::AlignLeft;
    const auto right = Qt::AlignRight;
    const auto centre = Qt::AlignHCenter;

    Label1 = makeLabel(this, "Real-Time Graph", 232, 1, 185, 25, left, titleFont());
    Label6 = makeLabel(this, "Range:", 56, 32, 48, 15, left, small);

    Combo1 = new QComboBox(this);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setCompleter(nullptr); // typing completes nothing and picks nothing
    Combo1->setGeometry(128, 32, 89, 20);
    Combo1->setFont(controlFont());

    Label2 = makeLabel(this, "Start Time:", 224, 32, 88, 15, left, small);
    starttimetext = makeBox(this, 336, 32, 169, 19);
    Label7 = makeLabel(this, "DataNo.", 512, 32, 56, 15, left, small);
    NumberofAlltext = makeBox(this, 568, 32, 129, 19);

    Label_Range6 = makeLabel(this, "6000", 0, 57, 64, 15, right, small);
    Label_Range5 = makeLabel(this, "5000", 0, 116, 64, 15, right, small);
    Label_Range4 = makeLabel(this, "4000", 0, 176, 64, 15, right, small);
    Label_Range3 = makeLabel(this, "3000", 0, 234, 64, 15, right, small);
    Label_Range2 = makeLabel(this, "2000", 0, 295, 64, 15, right, small);
    Label_Range1 = makeLabel(this, "1000", 0, 353, 64, 15, right, small);
    Label_Range0 = makeLabel(this, "0", 24, 408, 32, 15, right, small);

    // The backdrop first, so the plot box lies above it.
    Picture2 = new GraphPlotBox(this);
    Picture2->move(64, 64);
    Picture2->hide();
    Picture1 = new GraphPlotBox(this);
    Picture1->move(64, 64);
    Picture1->setGraph(&geometry_);

    LabelB0 = makeLabel(this, "00:00:00", 32, 432, 120, 15, left, small);
    LabelB1 = makeLabel(this, "00:00:00", 152, 432, 136, 15, centre, small);
    LabelB2 = makeLabel(this, "00:00:00", 312, 432, 136, 15, centre, small);
    LabelB3 = makeLabel(this, "00:00:00", 472, 432, 136, 15, centre, small);
    LabelB4 = makeLabel(this, "00:00:00", 616, 432, 120, 15, right, small);

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setGeometry(56, 452, 649, 25);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    HScroll1->setTracking(false); // dragging takes effect on release
    HScroll1->setRange(1, 1);
    HScroll1->setValue(1);

    Label8 = makeLabel(this, "Maximum:", 312, 8, 72, 15, left, small);
    MaxofAll = makeBox(this, 376, 8, 160, 19);
    Label9 = makeLabel(this, "Minimum:", 552, 8, 72, 15, left, small);
    MinofAll = makeBox(this, 616, 8, 100, 19);
    MaxofAll->clear();
    MinofAll->clear();
    for (QWidget* w : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(MaxofAll),
                       static_cast<QWidget*>(Label9), static_cast<QWidget*>(MinofAll)})
        w->hide();

    for (const RangeRow& row : rangeRows) Combo1->addItem(QString::fromLatin1(row.text));
    Combo1->setCurrentIndex(3);
    Combo1->setEditText(QStringLiteral("6000"));

    connect(Combo1, &QComboBox::activated, this, [this](int) { Combo1_Click(); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int) { HScroll1_Change(); });
}

void Frmgraphshow::frmrefresh() {
    computeGraphGeometry(state_, HScroll1->value(), geometry_);
    if (geometry_.labels) {
        QLabel* const labels[graph::labelCount] = {LabelB0, LabelB1, LabelB2, LabelB3, LabelB4};
        for (int i = 0; i < graph::labelCount; ++i) {
            const std::string_view t = (*geometry_.labels)[static_cast<std::size_t>(i)];
            labels[i]->setText(QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())));
        }
    }
    Picture1->update();
}

void Frmgraphshow::Combo1_Click() {
    const QString text = Combo1->currentText();
    for (const RangeRow& row : rangeRows) {
        if (text != QLatin1String(row.text)) continue;
        state_.graphRange = row.range;
        QLabel* const captions[6] = {Label_Range1, Label_Range2, Label_Range3,
                                     Label_Range4, Label_Range5, Label_Range6};
        for (int k = 0; k < 6; ++k)
            captions[k]->setText(QString::fromLatin1(row.captions[static_cast<std::size_t>(k)]));
        break;
    }
    frmrefresh();
}

void Frmgraphshow::HScroll1_Change() {
    state_.historyView = HScroll1->value() < HScroll1->maximum() &&
                         state_.liveRecordCount > graph::screenRecords;
    frmrefresh();
}

void Frmgraphshow::setScrollRange(int min, int max, std::optional<int> value) {
    HScroll1->setRange(min, max);
    if (value) HScroll1->setValue(*value);
}

void Frmgraphshow::freezePlot() {
    Picture1->setPicture(Picture1->image());
    Picture1->setFrozen(true);
}

void Frmgraphshow::restorePlotFromBackdrop() {
    Picture1->setPicture(Picture2->image());
    Picture1->setFrozen(false);
}

void Frmgraphshow::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    // Five small upward triangles under the plot, apex at y 422, base at 430.
    for (int apex : {64, 224, 376, 536, 694}) {
        p.drawLine(apex, 422, apex - 8, 430);
        p.drawLine(apex, 422, apex + 8, 430);
        p.drawLine(apex - 8, 430, apex + 8, 430);
    }
}

} // namespace meter

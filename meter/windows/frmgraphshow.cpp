#include "windows/frmgraphshow.h"

#include "core/file_summary.h"
#include "core/graph_ranges.h"
#include "windows/form_kit.h"
#include "windows/pick_list.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

namespace meter {

namespace {

QString fromUtf8(std::string_view t) { return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())); }

} // namespace

Frmgraphshow::Frmgraphshow(SharedState& state, const Regional& regional, QWidget* parent)
    : QWidget(parent), state_(state), regional_(regional) {
    setWindowTitle(QStringLiteral("V"));
    setFixedSize(designWidth, designHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, storedColour(0x00E0E0E0));
    setPalette(pal);

    // Labels in the design's face at 11.25 pt, the title at 14.25 pt bold; the
    // boxes and the list in the controls' default face at 8.25 pt.
    const QFont small = designFont(DesignFace::SimSun, 11.25);
    const QFont controls = designFont(DesignFace::MSSansSerif, 8.25);
    auto label = [this, &small](const char* name, const char* text, QRect at, Qt::Alignment align = Qt::AlignLeft) {
        return makeLabel(this, {.name = name, .text = QString::fromLatin1(text), .geometry = at, .font = small,
                                .align = align});
    };
    auto box = [this, &controls](const char* name, QRect at) {
        return makeBox(this, {.name = name, .geometry = at, .font = controls, .locked = true});
    };
    const auto right = Qt::AlignRight;
    const auto centre = Qt::AlignHCenter;

    Label1 = makeLabel(this, {.name = "Label1",
                              .text = QStringLiteral("Real-Time Graph"),
                              .geometry = twipsRect(3480, 10, 2775, 375),
                              .font = designFont(DesignFace::ArialUnicodeMS, 14.25, true)});
    Label6 = label("Label6", "Range:", {56, 32, 48, 15});

    auto* rangeList = new PickList(this);
    Combo1 = rangeList;
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(128, 32, 89, 20);
    Combo1->setFont(controls);

    Label2 = label("Label2", "Start Time:", {224, 32, 88, 15});
    starttimetext = box("starttimetext", {336, 32, 169, 19});
    Label7 = label("Label7", "DataNo.", {512, 32, 56, 15});
    NumberofAlltext = box("NumberofAlltext", {568, 32, 129, 19});

    Label_Range6 = label("Label_Range6", "6000", {0, 57, 64, 15}, right);
    Label_Range5 = label("Label_Range5", "5000", {0, 116, 64, 15}, right);
    Label_Range4 = label("Label_Range4", "4000", {0, 176, 64, 15}, right);
    Label_Range3 = label("Label_Range3", "3000", {0, 234, 64, 15}, right);
    Label_Range2 = label("Label_Range2", "2000", {0, 295, 64, 15}, right);
    Label_Range1 = label("Label_Range1", "1000", {0, 353, 64, 15}, right);
    Label_Range0 = label("Label_Range0", "0", {24, 408, 32, 15}, right);

    // The backdrop first, so the plot box lies above it.
    Picture2 = new GraphPlotBox(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->move(64, 64);
    Picture2->hide();
    Picture1 = new GraphPlotBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(64, 64);
    Picture1->setGraph(&geometry_);

    LabelB0 = label("LabelB0", "00:00:00", {32, 432, 120, 15});
    LabelB1 = label("LabelB1", "00:00:00", {152, 432, 136, 15}, centre);
    LabelB2 = label("LabelB2", "00:00:00", {312, 432, 136, 15}, centre);
    LabelB3 = label("LabelB3", "00:00:00", {472, 432, 136, 15}, centre);
    LabelB4 = label("LabelB4", "00:00:00", {616, 432, 120, 15}, right);

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(56, 452, 649, 25);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    HScroll1->setTracking(false); // dragging takes effect on release
    HScroll1->setRange(1, 1);
    HScroll1->setValue(1);

    // The file summary, stored hidden.
    Label8 = label("Label8", "Maximum:", {312, 8, 72, 15});
    MaxofAll = box("MaxofAll", {376, 8, 160, 19});
    Label9 = label("Label9", "Minimum:", {552, 8, 72, 15});
    MinofAll = box("MinofAll", {616, 8, 100, 19});
    MaxofAll->clear();
    MinofAll->clear();
    for (QWidget* w : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(MaxofAll),
                       static_cast<QWidget*>(Label9), static_cast<QWidget*>(MinofAll)})
        w->hide();

    for (const GraphRange& r : graphRanges) Combo1->addItem(fromUtf8(r.text));
    Combo1->setCurrentIndex(startRangeIndex);
    Combo1->setEditText(fromUtf8(graphRanges[startRangeIndex].text));

    connect(rangeList, &PickList::picked, this, &Frmgraphshow::Combo1_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int) { HScroll1_Change(); });

    buildExtras();
}

void Frmgraphshow::frmrefresh() {
    // The plot box's background back to the window background colour.
    if (const QColor back = palette().color(QPalette::Base); Picture1->palette().color(QPalette::Base) != back) {
        QPalette pal = Picture1->palette();
        pal.setColor(QPalette::Base, back);
        Picture1->setPalette(pal);
    }
    computeGraphGeometry(state_, regional_.timeFormat, HScroll1->value(), geometry_);
    if (geometry_.labels) {
        QLabel* const labels[graph::labelCount] = {LabelB0, LabelB1, LabelB2, LabelB3, LabelB4};
        for (int i = 0; i < graph::labelCount; ++i) {
            labels[i]->setText(fromUtf8((*geometry_.labels)[static_cast<std::size_t>(i)]));
        }
    }
    Picture1->update();
}

void Frmgraphshow::Combo1_Click() {
    if (const GraphRange* r = findGraphRange(Combo1->currentText().toStdString())) {
        state_.graphRange = r->range;
        QLabel* const captions[6] = {Label_Range1, Label_Range2, Label_Range3,
                                     Label_Range4, Label_Range5, Label_Range6};
        for (std::size_t k = 0; k < 6; ++k) captions[k]->setText(fromUtf8(r->captions[k]));
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

void Frmgraphshow::showRecordCount(std::string_view text) { NumberofAlltext->setText(fromUtf8(text)); }

void Frmgraphshow::showStartTime(std::string_view text) { starttimetext->setText(fromUtf8(text)); }

void Frmgraphshow::showFileSummary(std::string_view maxText, std::string_view minText) {
    MaxofAll->setText(fromUtf8(maxText));
    MinofAll->setText(fromUtf8(minText));
}

void Frmgraphshow::OpenFileUse() {
    const auto summary = fileSummary(state_.fileRecords, state_.fileRecordCount, regional_.decimalSeparator);
    if (!summary) return;
    showStartTime(summary->startTimeText);
    showRecordCount(summary->countText);
    showFileSummary(summary->maxText, summary->minText);
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
    // Five markers under the plot, apex at y 422, base at 430.
    for (int apex : {64, 224, 376, 536, 694}) paintTimeMarker(p, {apex, 422});
}

} // namespace meter

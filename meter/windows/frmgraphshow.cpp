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

using Design = FormDesign<Frmgraphshow>;

// Labels in the design's face at 11.25 pt, the title at 14.25 pt bold; the
// boxes and the list in the controls' default face at 8.25 pt. Pixels.
constexpr FontDesign small{DesignFace::SimSun, 11.25};
constexpr FontDesign controls{DesignFace::MSSansSerif, 8.25};

// Above the plot box: title, range list, start time and record count; the
// axis captions left of it.
const Design::Control heading[] = {
    Design::Label{&Frmgraphshow::Label1,
                  {.name = "Label1",
                   .text = "Real-Time Graph",
                   .geometry = twipsRect(3480, 10, 2775, 375),
                   .font = FontDesign{DesignFace::ArialUnicodeMS, 14.25, true}}},
    Design::Label{&Frmgraphshow::Label6,
                  {.name = "Label6", .text = "Range:", .geometry = {56, 32, 48, 15}, .font = small}},
    Design::Combo{&Frmgraphshow::Combo1,
                  {.name = "Combo1", .geometry = {128, 32, 89, 20}, .font = controls, .pickList = true}},
    Design::Label{&Frmgraphshow::Label2,
                  {.name = "Label2", .text = "Start Time:", .geometry = {224, 32, 88, 15}, .font = small}},
    Design::Box{&Frmgraphshow::starttimetext,
                {.name = "starttimetext", .geometry = {336, 32, 169, 19}, .font = controls, .locked = true}},
    Design::Label{&Frmgraphshow::Label7,
                  {.name = "Label7", .text = "DataNo.", .geometry = {512, 32, 56, 15}, .font = small}},
    Design::Box{&Frmgraphshow::NumberofAlltext,
                {.name = "NumberofAlltext", .geometry = {568, 32, 129, 19}, .font = controls, .locked = true}},
    Design::Label{
        &Frmgraphshow::Label_Range6,
        {.name = "Label_Range6", .text = "6000", .geometry = {0, 57, 64, 15}, .font = small, .align = Qt::AlignRight}},
    Design::Label{
        &Frmgraphshow::Label_Range5,
        {.name = "Label_Range5", .text = "5000", .geometry = {0, 116, 64, 15}, .font = small, .align = Qt::AlignRight}},
    Design::Label{
        &Frmgraphshow::Label_Range4,
        {.name = "Label_Range4", .text = "4000", .geometry = {0, 176, 64, 15}, .font = small, .align = Qt::AlignRight}},
    Design::Label{
        &Frmgraphshow::Label_Range3,
        {.name = "Label_Range3", .text = "3000", .geometry = {0, 234, 64, 15}, .font = small, .align = Qt::AlignRight}},
    Design::Label{
        &Frmgraphshow::Label_Range2,
        {.name = "Label_Range2", .text = "2000", .geometry = {0, 295, 64, 15}, .font = small, .align = Qt::AlignRight}},
    Design::Label{
        &Frmgraphshow::Label_Range1,
        {.name = "Label_Range1", .text = "1000", .geometry = {0, 353, 64, 15}, .font = small, .align = Qt::AlignRight}},
    Design::Label{
        &Frmgraphshow::Label_Range0,
        {.name = "Label_Range0", .text = "0", .geometry = {24, 408, 32, 15}, .font = small, .align = Qt::AlignRight}},
};

// The times under the plot box.
const Design::Control timeLabels[] = {
    Design::Label{&Frmgraphshow::LabelB0,
                  {.name = "LabelB0", .text = "00:00:00", .geometry = {32, 432, 120, 15}, .font = small}},
    Design::Label{&Frmgraphshow::LabelB1,
                  {.name = "LabelB1",
                   .text = "00:00:00",
                   .geometry = {152, 432, 136, 15},
                   .font = small,
                   .align = Qt::AlignHCenter}},
    Design::Label{&Frmgraphshow::LabelB2,
                  {.name = "LabelB2",
                   .text = "00:00:00",
                   .geometry = {312, 432, 136, 15},
                   .font = small,
                   .align = Qt::AlignHCenter}},
    Design::Label{&Frmgraphshow::LabelB3,
                  {.name = "LabelB3",
                   .text = "00:00:00",
                   .geometry = {472, 432, 136, 15},
                   .font = small,
                   .align = Qt::AlignHCenter}},
    Design::Label{&Frmgraphshow::LabelB4,
                  {.name = "LabelB4",
                   .text = "00:00:00",
                   .geometry = {616, 432, 120, 15},
                   .font = small,
                   .align = Qt::AlignRight}},
};

// The file summary, stored hidden.
const Design::Control fileSummaryBoxes[] = {
    Design::Label{
        &Frmgraphshow::Label8,
        {.name = "Label8", .text = "Maximum:", .geometry = {312, 8, 72, 15}, .font = small, .visible = false}},
    Design::Box{&Frmgraphshow::MaxofAll,
                {.name = "MaxofAll",
                 .text = "",
                 .geometry = {376, 8, 160, 19},
                 .font = controls,
                 .locked = true,
                 .visible = false}},
    Design::Label{
        &Frmgraphshow::Label9,
        {.name = "Label9", .text = "Minimum:", .geometry = {552, 8, 72, 15}, .font = small, .visible = false}},
    Design::Box{&Frmgraphshow::MinofAll,
                {.name = "MinofAll",
                 .text = "",
                 .geometry = {616, 8, 100, 19},
                 .font = controls,
                 .locked = true,
                 .visible = false}},
};

} // namespace

Frmgraphshow::Frmgraphshow(SharedState& state, const Regional& regional, QWidget* parent)
    : QWidget(parent), state_(state), regional_(regional) {
    setWindowTitle(QStringLiteral("V"));
    setFixedSize(designWidth, designHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, storedColour(0x00E0E0E0));
    setPalette(pal);

    makeControls(*this, this, heading);

    // The backdrop first, so the plot box lies above it.
    Picture2 = new GraphPlotBox(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->move(64, 64);
    Picture2->hide();
    Picture1 = new GraphPlotBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(64, 64);
    Picture1->setGraph(&geometry_);

    makeControls(*this, this, timeLabels);

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(56, 452, 649, 25);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    HScroll1->setTracking(false); // dragging takes effect on release
    HScroll1->setRange(1, 1);
    HScroll1->setValue(1);

    makeControls(*this, this, fileSummaryBoxes);

    for (const GraphRange& r : graphRanges) Combo1->addItem(fromUtf8(r.text));
    Combo1->setCurrentIndex(startRangeIndex);
    Combo1->setEditText(fromUtf8(graphRanges[startRangeIndex].text));

    connect(qobject_cast<PickList*>(Combo1), &PickList::picked, this, &Frmgraphshow::Combo1_Click);
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
    state_.historyView = HScroll1->value() < HScroll1->maximum() && state_.liveRecordCount > graph::screenRecords;
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

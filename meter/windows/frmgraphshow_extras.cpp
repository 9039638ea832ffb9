// The graph window's second set of controls: pause and start buttons with the
// recording timers, the sampling-rate list, the dotted-line box, the move and
// undo-zoom buttons, and in the plot box the zoom band with its pop-up menu.
// All are stored hidden and nothing shows them; the band procedures are bound
// to no event. Pausing changes only the button, runORpause and the timers:
// the plot goes on being redrawn after every record.
#include "windows/frmgraphshow.h"

#include "core/sampling_rates.h"
#include "windows/form_kit.h"
#include "windows/graph_extras_art.h"
#include "windows/pick_list.h"
#include "windows/picture_button.h"
#include "windows/zoom_band_shape.h"

#include <QCheckBox>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace meter {

namespace {

constexpr std::int16_t leftButton = 1;
constexpr std::int16_t rightButton = 2;

QString latin1(std::string_view t) { return QLatin1StringView(t.data(), static_cast<qsizetype>(t.size())).toString(); }

using Design = FormDesign<Frmgraphshow>;

constexpr FontDesign small{DesignFace::SimSun, 11.25};
constexpr FontDesign controls{DesignFace::MSSansSerif, 8.25};

// Pixels. The labels lie on the window's surface, under the controls. Each
// button is a 32 x 32 box without border showing its 30 x 30 picture; several
// stand at one place, as designed, and the later ones lie above.
const Design::Control extras[] = {
    Design::Label{
        &Frmgraphshow::Label5,
        {.name = "Label5", .text = "dot-dot line ", .geometry = {536, 16, 104, 15}, .font = small, .visible = false}},
    Design::Label{
        &Frmgraphshow::Label3,
        {.name = "Label3", .text = "Sampling Rate:", .geometry = {528, 8, 112, 15}, .font = small, .visible = false}},
    Design::Label{&Frmgraphshow::Label4,
                  {.name = "Label4", .text = "Sec", .geometry = {608, 0, 24, 15}, .font = small, .visible = false}},
    Design::PictureButton{
        &Frmgraphshow::btpause,
        &Frmgraphshow::ImageList2,
        {.name = "btpause", .geometry = {616, 0, 32, 32}, .tip = "pause graph", .normal = 1, .visible = false}},
    Design::PictureButton{
        &Frmgraphshow::btstartorstop,
        &Frmgraphshow::ImageList2,
        {.name = "btstartorstop", .geometry = {568, 0, 32, 32}, .tip = "start graph", .normal = 2, .visible = false}},
    Design::PictureButton{&Frmgraphshow::btmvToup,
                          &Frmgraphshow::ImageList3,
                          {.name = "btmvToup",
                           .geometry = {616, 0, 32, 32},
                           .tip = "to Up  (or Enter keyUp)",
                           .hover = 2,
                           .normal = 1,
                           .visible = false}},
    Design::PictureButton{&Frmgraphshow::btmvTodown,
                          &Frmgraphshow::ImageList3,
                          {.name = "btmvTodown",
                           .geometry = {648, 0, 32, 32},
                           .tip = "to Down  (or Enter keyDown)",
                           .hover = 4,
                           .normal = 3,
                           .visible = false}},
    Design::PictureButton{&Frmgraphshow::btmvToleft,
                          &Frmgraphshow::ImageList3,
                          {.name = "btmvToleft",
                           .geometry = {616, 0, 32, 32},
                           .tip = "to left  (or Enter keyLeft)",
                           .hover = 6,
                           .normal = 5,
                           .visible = false}},
    Design::PictureButton{&Frmgraphshow::btmvToright,
                          &Frmgraphshow::ImageList3,
                          {.name = "btmvToright",
                           .geometry = {656, 0, 32, 32},
                           .tip = "to Right  (or Enter keyRight)",
                           .hover = 8,
                           .normal = 7,
                           .visible = false}},
    Design::PictureButton{&Frmgraphshow::btrealsize,
                          &Frmgraphshow::ImageList4,
                          {.name = "btrealsize",
                           .geometry = {664, 0, 32, 32},
                           .tip = "undo zoom",
                           .hover = 2,
                           .normal = 1,
                           .visible = false}},
    Design::Check{&Frmgraphshow::dotLine,
                  {.name = "dotLine",
                   .text = "Check1",
                   .geometry = {504, 8, 17, 17},
                   .font = controls,
                   .handCursor = true,
                   .visible = false}},
    Design::Combo{&Frmgraphshow::SelectRate,
                  {.name = "SelectRate",
                   .geometry = {648, 8, 65, 21},
                   .font = controls,
                   .pickList = true,
                   .handCursor = true,
                   .visible = false}},
};

// A pop-up menu whose items answer the left mouse button only.
class LeftButtonMenu final : public QMenu {
public:
    using QMenu::QMenu;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) QMenu::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) QMenu::mouseReleaseEvent(e);
    }
};

} // namespace

void Frmgraphshow::buildExtras() {
    ImageList2 = graphPauseImages();
    ImageList3 = graphMoveImages();
    ImageList4 = graphUndoZoomImages();

    makeControls(*this, this, extras);
    connect(btpause, &PictureButton::clicked, this, &Frmgraphshow::btpause_Click);
    connect(dotLine, &QCheckBox::clicked, this, &Frmgraphshow::dotLine_Click);
    for (const SamplingRate& r : samplingRates) SelectRate->addItem(latin1(r.text));
    // After the items, which would show the first one.
    SelectRate->setCurrentIndex(startSamplingRateIndex);
    SelectRate->setEditText(latin1(samplingRates[startSamplingRateIndex].text));
    connect(qobject_cast<PickList*>(SelectRate), &PickList::picked, this, &Frmgraphshow::SelectRate_Click);

    startRecTimer = new QTimer(this);
    startRecTimer->setObjectName(QStringLiteral("startRecTimer"));
    startRecTimer->setInterval(500);
    TimerRepire = new QTimer(this);
    TimerRepire->setObjectName(QStringLiteral("TimerRepire"));
    TimerRepire->setInterval(5321);
    connect(TimerRepire, &QTimer::timeout, this, &Frmgraphshow::TimerRepire_Timer);

    Shape1 = new ZoomBandShape(Picture1, {144, 88, 1, 1});

    PicUndoZoomMenu = new LeftButtonMenu(QStringLiteral("PicUndoZoomMenu"), this);
    PicUndoZoomMenu->setObjectName(QStringLiteral("PicUndoZoomMenu"));
    Undo_Zoom = PicUndoZoomMenu->addAction(QStringLiteral("Undo Zoom"));
    Undo_Zoom->setObjectName(QStringLiteral("Undo_Zoom"));
}

void Frmgraphshow::btpause_Click() {
    runORpause = !runORpause;
    if (runORpause) {
        TimerRepire->stop();
        startRecTimer->stop();
        btpause->setToolTip(QStringLiteral("continue graph"));
        btpause->setPicture(ImageList2.ListImages(2));
    } else {
        startRecTimer->start();
        btpause->setPicture(ImageList2.ListImages(1));
        btpause->setToolTip(QStringLiteral("pause graph"));
    }
}

void Frmgraphshow::SelectRate_Click() {
    const int interval = samplingInterval(SelectRate->currentText().toStdString());
    if (startRecTimer->isActive()) {
        TimerRepire->stop();
        startRecTimer->stop();
        startRecTimer->setInterval(interval);
        startRecTimer->start();
    } else {
        startRecTimer->setInterval(interval);
    }
}

void Frmgraphshow::TimerRepire_Timer() {
    startRecTimer->stop();
    startRecTimer->start();
    TimerRepire->stop();
}

void Frmgraphshow::dotLine_Click() {
    QPalette pal = Picture1->palette();
    pal.setColor(QPalette::Base, Qt::white);
    Picture1->setPalette(pal);
    frmrefresh();
}

void Frmgraphshow::zoomMouseDown(std::int16_t Button, std::int16_t, float X, float Y) {
    if (Button == leftButton) {
        const std::optional<ZoomPoint> at = zoomPoint(X, Y);
        if (!at) return;
        Shape1->show();
        zoomStart_ = *at;
    }
    if (Button == rightButton) PicUndoZoomMenu->popup(QCursor::pos());
}

void Frmgraphshow::zoomMouseMove(std::int16_t Button, std::int16_t, float X, float Y) {
    if (Button != leftButton || Shape1->isHidden()) return;
    const std::optional<ZoomPoint> at = zoomPoint(X, Y);
    if (!at) return;
    zoomEnd_ = *at;
    Shape1->setBand(zoomBand(zoomStart_, zoomEnd_));
}

} // namespace meter

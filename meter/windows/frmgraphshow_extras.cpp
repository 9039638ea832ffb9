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
#include "windows/hand_cursor.h"
#include "windows/pick_list.h"
#include "windows/picture_button.h"
#include "windows/zoom_band_shape.h"

#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

namespace meter {

namespace {

constexpr std::int16_t leftButton = 1;
constexpr std::int16_t rightButton = 2;

QString latin1(std::string_view t) { return QLatin1StringView(t.data(), static_cast<qsizetype>(t.size())).toString(); }

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

    const QFont small = designFont(DesignFace::SimSun, 11.25);
    const QFont controls = designFont(DesignFace::MSSansSerif, 8.25);

    // The labels lie on the window's surface, under the controls.
    struct Label {
        QLabel** label;
        const char* name;
        const char* text;
        QRect at;
    };
    const Label labels[] = {
        {&Label5, "Label5", "dot-dot line ", {536, 16, 104, 15}},
        {&Label3, "Label3", "Sampling Rate:", {528, 8, 112, 15}},
        {&Label4, "Label4", "Sec", {608, 0, 24, 15}},
    };
    for (const Label& l : labels)
        *l.label = makeLabel(this, {.name = l.name, .text = QString::fromLatin1(l.text), .geometry = l.at,
                                    .font = small, .visible = false});

    // Each button a 32 x 32 box without border showing its 30 x 30 picture.
    // Several stand at one place, as designed; the later ones lie above.
    struct Button {
        PictureButton** button;
        const char* name;
        int left;
        const char* tip;
        const ImageList* images;
        int normal;
        int hover; // 0: no hover rule
    };
    const Button buttons[] = {
        {&btpause, "btpause", 616, "pause graph", &ImageList2, 1, 0},
        {&btstartorstop, "btstartorstop", 568, "start graph", &ImageList2, 2, 0},
        {&btmvToup, "btmvToup", 616, "to Up  (or Enter keyUp)", &ImageList3, 1, 2},
        {&btmvTodown, "btmvTodown", 648, "to Down  (or Enter keyDown)", &ImageList3, 3, 4},
        {&btmvToleft, "btmvToleft", 616, "to left  (or Enter keyLeft)", &ImageList3, 5, 6},
        {&btmvToright, "btmvToright", 656, "to Right  (or Enter keyRight)", &ImageList3, 7, 8},
        {&btrealsize, "btrealsize", 664, "undo zoom", &ImageList4, 1, 2},
    };
    for (const Button& b : buttons) {
        auto* pb = new PictureButton(this);
        pb->setObjectName(QString::fromLatin1(b.name));
        if (b.hover != 0)
            pb->setImages(b.images, b.hover, b.normal);
        else
            pb->setPicture(b.images->ListImages(b.normal));
        pb->setGeometry(b.left, 0, 32, 32);
        pb->setToolTip(QString::fromLatin1(b.tip));
        pb->hide();
        *b.button = pb;
    }
    connect(btpause, &PictureButton::clicked, this, &Frmgraphshow::btpause_Click);

    dotLine = new QCheckBox(QStringLiteral("Check1"), this);
    dotLine->setObjectName(QStringLiteral("dotLine"));
    dotLine->setGeometry(504, 8, 17, 17);
    dotLine->setFont(controls);
    dotLine->setCursor(handCursor());
    dotLine->hide();
    connect(dotLine, &QCheckBox::clicked, this, &Frmgraphshow::dotLine_Click);

    auto* rateList = new PickList(this);
    SelectRate = rateList;
    SelectRate->setObjectName(QStringLiteral("SelectRate"));
    SelectRate->setGeometry(648, 8, 65, 21);
    SelectRate->setFont(controls);
    SelectRate->setCursor(handCursor());
    SelectRate->lineEdit()->setCursor(handCursor());
    for (const SamplingRate& r : samplingRates) SelectRate->addItem(latin1(r.text));
    // After the items, which would show the first one.
    SelectRate->setCurrentIndex(startSamplingRateIndex);
    SelectRate->setEditText(latin1(samplingRates[startSamplingRateIndex].text));
    SelectRate->hide();
    connect(rateList, &PickList::picked, this, &Frmgraphshow::SelectRate_Click);

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

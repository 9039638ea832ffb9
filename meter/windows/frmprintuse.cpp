#include "windows/frmprintuse.h"

#include "core/sampling_rates.h"
#include "windows/form_kit.h"
#include "windows/graph_plot_box.h"

#include <QComboBox>
#include <QFrame>
#include <QPainter>
#include <QTimer>

namespace meter {

namespace {

// A time marker, 17 x 9 pixels, on no background.
QPixmap markerPicture() {
    QPixmap p(17, 9);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    paintTimeMarker(painter, {8, 0});
    return p;
}

using Design = FormDesign<FrmPrintUse>;

// The design, in twips. Labels are in "宋体" 11.25 pt and size themselves to
// their text; text boxes are locked, show "0" and are one line high.
constexpr FontDesign small{DesignFace::SimSun, 11.25};
constexpr FontDesign controls{DesignFace::MSSansSerif, 8.25};
constexpr FontDesign pointFont{DesignFace::MSSansSerif, 12, true};
constexpr int boxHeight = 285, lineHeight = 225;
// The plot box's scale, right-aligned just left of the box.
constexpr int scaleLeft = 2160, scaleWidth = 495;
// Three small markers under the plot box, and the empty red labels below them.
constexpr int markerTop = 7320, markerLabelTop = 7560, markerLabelWidth = 2040;

constexpr QRect at(int left, int top) { return twipsRect(left, top, 0, 0); }
constexpr QRect scale(int top) { return twipsRect(scaleLeft, top, scaleWidth, lineHeight); }
constexpr QRect box(int left, int top, int width) { return twipsRect(left, top, width, boxHeight); }
constexpr QRect markerLabel(int left) { return twipsRect(left, markerLabelTop, markerLabelWidth, lineHeight); }

constexpr QColor darkBlue = storedColour(0x00800000);
constexpr QColor darkRed = storedColour(0x00000080);
constexpr QColor red(255, 0, 0), blue(0, 0, 255);

const Design::Control table[] = {
    Design::Label{&FrmPrintUse::Label1,
                  {.name = "Label1",
                   .text = "Real-Time Graph",
                   .geometry = at(5400, 1200),
                   .font = FontDesign{DesignFace::SimSun, 14.25, true}}},
    Design::Label{nullptr, {.text = "Start Time:", .geometry = at(2280, 1800), .font = small}},
    Design::Label{nullptr, {.text = "Sampling Rate:", .geometry = at(5280, 1800), .font = small}},
    Design::Label{nullptr, {.text = "Sec", .geometry = at(8040, 1800), .font = small}},
    Design::Label{nullptr, {.text = "DataNo.", .geometry = at(2280, 2280), .font = small}},
    Design::Label{nullptr, {.text = "Maximum:", .geometry = at(4680, 2280), .font = small}},
    Design::Label{nullptr, {.text = "Minimum:", .geometry = at(8280, 2280), .font = small}},
    Design::Label{nullptr, {.text = "(Cursor) A:", .geometry = at(3000, 8280), .font = small}},
    Design::Label{nullptr, {.text = "B:", .geometry = at(6960, 8280), .font = small}},
    Design::Label{nullptr, {.text = "AVG:", .geometry = at(10080, 8280), .font = small}},
    Design::Label{nullptr, {.text = "(Between A and B)MAX:", .geometry = at(3000, 8640), .font = small}},
    Design::Label{nullptr, {.text = "MIN:", .geometry = at(8280, 8640), .font = small}},
    Design::Label{nullptr, {.text = "130", .geometry = scale(2760), .font = small, .align = Qt::AlignRight}},
    Design::Label{nullptr, {.text = "110", .geometry = scale(3600), .font = small, .align = Qt::AlignRight}},
    Design::Label{nullptr, {.text = "90", .geometry = scale(4440), .font = small, .align = Qt::AlignRight}},
    Design::Label{nullptr, {.text = "70", .geometry = scale(5400), .font = small, .align = Qt::AlignRight}},
    Design::Label{nullptr, {.text = "50", .geometry = scale(6240), .font = small, .align = Qt::AlignRight}},
    Design::Label{nullptr, {.text = "30", .geometry = scale(7080), .font = small, .align = Qt::AlignRight}},
    Design::Box{&FrmPrintUse::starttimetext,
                {.name = "starttimetext", .geometry = box(3720, 1800, 1455), .font = controls, .locked = true}},
    Design::Box{&FrmPrintUse::NumberofAlltext,
                {.name = "NumberofAlltext", .geometry = box(3240, 2280, 1335), .font = controls, .locked = true}},
    Design::Box{&FrmPrintUse::MaxofAll,
                {.name = "MaxofAll", .geometry = box(5640, 2280, 2535), .font = controls, .locked = true}},
    Design::Box{&FrmPrintUse::MinofAll,
                {.name = "MinofAll", .geometry = box(9360, 2280, 2535), .font = controls, .locked = true}},
    Design::Box{&FrmPrintUse::CursorAtext,
                {.name = "CursorAtext",
                 .geometry = box(4320, 8280, 2535),
                 .font = controls,
                 .locked = true,
                 .textColour = darkBlue}},
    Design::Box{&FrmPrintUse::CursorBtext,
                {.name = "CursorBtext",
                 .geometry = box(7320, 8280, 2535),
                 .font = controls,
                 .locked = true,
                 .textColour = darkRed}},
    Design::Box{&FrmPrintUse::AVGofAB,
                {.name = "AVGofAB", .geometry = box(10680, 8280, 1455), .font = controls, .locked = true}},
    Design::Box{&FrmPrintUse::MaxofAB,
                {.name = "MaxofAB", .geometry = box(5520, 8640, 2535), .font = controls, .locked = true}},
    Design::Box{&FrmPrintUse::MinofAB,
                {.name = "MinofAB", .geometry = box(8760, 8640, 2535), .font = controls, .locked = true}},
    Design::Combo{&FrmPrintUse::SelectRate,
                  {.name = "SelectRate", .geometry = twipsRect(6960, 1800, 1035, 300), .font = controls}},
};

// The cursors' letters, inside the plot box.
const Design::Control plotLabels[] = {
    Design::Label{&FrmPrintUse::APointShowLabel,
                  {.name = "APointShowLabel", .text = "A", .font = pointFont, .colour = blue, .visible = false}},
    Design::Label{&FrmPrintUse::BPointShowLabel,
                  {.name = "BPointShowLabel", .text = "B", .font = pointFont, .colour = red, .visible = false}},
};

const Design::Control markers[] = {
    Design::Image{&FrmPrintUse::Image1, {.name = "Image1", .geometry = at(3480, markerTop), .picture = markerPicture}},
    Design::Label{
        &FrmPrintUse::LabelBL,
        {.name = "LabelBL", .geometry = markerLabel(2520), .font = small, .colour = red, .align = Qt::AlignHCenter}},
    Design::Image{&FrmPrintUse::Image2, {.name = "Image2", .geometry = at(7080, markerTop), .picture = markerPicture}},
    Design::Label{
        &FrmPrintUse::LabelBM,
        {.name = "LabelBM", .geometry = markerLabel(6240), .font = small, .colour = red, .align = Qt::AlignHCenter}},
    Design::Image{&FrmPrintUse::Image3, {.name = "Image3", .geometry = at(10800, markerTop), .picture = markerPicture}},
    Design::Label{
        &FrmPrintUse::LabelBR,
        {.name = "LabelBR", .geometry = markerLabel(10080), .font = small, .colour = red, .align = Qt::AlignHCenter}},
    Design::Label{&FrmPrintUse::Label5,
                  {.name = "Label5",
                   .text = "Label5",
                   .geometry = at(8880, 9600),
                   .font = FontDesign{DesignFace::MSSansSerif, 12}}},
};

} // namespace

QColor FrmPrintUse::backgroundColour() { return QColor(212, 208, 200); }

FrmPrintUse::FrmPrintUse() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmPrintUse"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(clientWidth, clientHeight);
    // An open print layout does not hold the program once the main window is gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, backgroundColour());
    setPalette(pal);
    setAutoFillBackground(true);
    centreOnScreen(*this);

    makeControls(*this, this, table);
    for (const SamplingRate& r : samplingRates)
        SelectRate->addItem(QString::fromLatin1(r.text.data(), static_cast<qsizetype>(r.text.size())));
    SelectRate->setCurrentIndex(startSamplingRateIndex);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(2760, 2640, 9495, 4695));
    Picture1->setCursor(Qt::CrossCursor);
    QPalette white = Picture1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Picture1->setPalette(white);
    Picture1->setAutoFillBackground(true);
    Shape1 = new QFrame(Picture1);
    placeOnSurface(*Shape1);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(0, 0, 1, 1);
    Shape1->hide();
    makeControls(*this, Picture1, plotLabels);

    makeControls(*this, this, markers);

    TimerRepire = new QTimer(this);
    TimerRepire->setObjectName(QStringLiteral("TimerRepire"));
    TimerRepire->setInterval(200);
}

} // namespace meter

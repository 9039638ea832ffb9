#include "windows/frmprintuse.h"

#include "core/sampling_rates.h"
#include "windows/form_kit.h"
#include "windows/graph_plot_box.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

namespace meter {

namespace {

// The design, in twips. Labels are in "宋体" 11.25 pt and size themselves to
// their text; text boxes are locked, show "0" and are one line high.
struct FixedLabel {
    const char* text;
    int x, y;
};
const FixedLabel fixedLabels[] = {
    {"Start Time:", 2280, 1800},   {"Sampling Rate:", 5280, 1800}, {"Sec", 8040, 1800},
    {"DataNo.", 2280, 2280},       {"Maximum:", 4680, 2280},       {"Minimum:", 8280, 2280},
    {"(Cursor) A:", 3000, 8280},   {"B:", 6960, 8280},             {"AVG:", 10080, 8280},
    {"(Between A and B)MAX:", 3000, 8640}, {"MIN:", 8280, 8640},
};

// The plot box's scale, right-aligned just left of the box.
struct ScaleLabel {
    const char* text;
    int y;
};
const ScaleLabel scaleLabels[] = {{"130", 2760}, {"110", 3600}, {"90", 4440},
                                  {"70", 5400},  {"50", 6240},  {"30", 7080}};
constexpr int scaleLeft = 2160, scaleWidth = 495, lineHeight = 225;

struct Box {
    QLineEdit* FrmPrintUse::*box;
    const char* name;
    int x, y, width;
    std::optional<QColor> textColour;
};
const QColor darkBlue = storedColour(0x00800000);
const QColor darkRed = storedColour(0x00000080);
const Box boxes[] = {
    {&FrmPrintUse::starttimetext, "starttimetext", 3720, 1800, 1455, {}},
    {&FrmPrintUse::NumberofAlltext, "NumberofAlltext", 3240, 2280, 1335, {}},
    {&FrmPrintUse::MaxofAll, "MaxofAll", 5640, 2280, 2535, {}},
    {&FrmPrintUse::MinofAll, "MinofAll", 9360, 2280, 2535, {}},
    {&FrmPrintUse::CursorAtext, "CursorAtext", 4320, 8280, 2535, darkBlue},
    {&FrmPrintUse::CursorBtext, "CursorBtext", 7320, 8280, 2535, darkRed},
    {&FrmPrintUse::AVGofAB, "AVGofAB", 10680, 8280, 1455, {}},
    {&FrmPrintUse::MaxofAB, "MaxofAB", 5520, 8640, 2535, {}},
    {&FrmPrintUse::MinofAB, "MinofAB", 8760, 8640, 2535, {}},
};
constexpr int boxHeight = 285;

// Three small markers under the plot box, and the empty red labels below them.
struct Marker {
    QLabel* FrmPrintUse::*picture;
    const char* pictureName;
    int pictureX;
    QLabel* FrmPrintUse::*label;
    const char* labelName;
    int labelX;
};
const Marker markers[] = {
    {&FrmPrintUse::Image1, "Image1", 3480, &FrmPrintUse::LabelBL, "LabelBL", 2520},
    {&FrmPrintUse::Image2, "Image2", 7080, &FrmPrintUse::LabelBM, "LabelBM", 6240},
    {&FrmPrintUse::Image3, "Image3", 10800, &FrmPrintUse::LabelBR, "LabelBR", 10080},
};
constexpr int markerY = 7320, markerLabelY = 7560, markerLabelWidth = 2040;

// A time marker, 17 x 9 pixels, on no background.
QPixmap markerPicture() {
    QPixmap p(17, 9);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    paintTimeMarker(painter, {8, 0});
    return p;
}

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

    const QFont small = designFont(DesignFace::SimSun, 11.25);
    const QFont controls = designFont(DesignFace::MSSansSerif, 8.25);
    auto label = [&](const char* name, const char* text, QRect at, Qt::Alignment align = Qt::AlignLeft,
                     QColor colour = Qt::black) {
        return makeLabel(this, {.name = name, .text = QString::fromUtf8(text), .geometry = at, .font = small,
                                .colour = colour, .align = align});
    };

    Label1 = makeLabel(this, {.name = "Label1",
                              .text = QStringLiteral("Real-Time Graph"),
                              .geometry = twipsRect(5400, 1200, 0, 0),
                              .font = designFont(DesignFace::SimSun, 14.25, true)});
    for (const FixedLabel& l : fixedLabels) label(nullptr, l.text, twipsRect(l.x, l.y, 0, 0));
    for (const ScaleLabel& l : scaleLabels)
        label(nullptr, l.text, twipsRect(scaleLeft, l.y, scaleWidth, lineHeight), Qt::AlignRight);

    for (const Box& b : boxes)
        this->*b.box = makeBox(this, {.name = b.name,
                                      .geometry = twipsRect(b.x, b.y, b.width, boxHeight),
                                      .font = controls,
                                      .locked = true,
                                      .textColour = b.textColour});

    SelectRate = new QComboBox(this);
    SelectRate->setObjectName(QStringLiteral("SelectRate"));
    SelectRate->setEditable(true);
    SelectRate->setInsertPolicy(QComboBox::NoInsert);
    SelectRate->setFont(controls);
    for (const SamplingRate& r : samplingRates)
        SelectRate->addItem(QString::fromLatin1(r.text.data(), static_cast<qsizetype>(r.text.size())));
    SelectRate->setCurrentIndex(startSamplingRateIndex);
    SelectRate->setGeometry(twipsRect(6960, 1800, 1035, 300));

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
    const QFont pointFont = designFont(DesignFace::MSSansSerif, 12, true);
    APointShowLabel = makeLabel(Picture1, {.name = "APointShowLabel", .text = QStringLiteral("A"),
                                           .font = pointFont, .colour = Qt::blue, .visible = false});
    BPointShowLabel = makeLabel(Picture1, {.name = "BPointShowLabel", .text = QStringLiteral("B"),
                                           .font = pointFont, .colour = Qt::red, .visible = false});

    const QPixmap marker = markerPicture();
    for (const Marker& m : markers) {
        auto* picture = new QLabel(this);
        placeOnSurface(*picture);
        picture->setObjectName(QString::fromLatin1(m.pictureName));
        picture->setPixmap(marker);
        picture->setGeometry(QRect(QPoint(px(m.pictureX), px(markerY)), marker.size()));
        this->*m.picture = picture;
        this->*m.label = label(m.labelName, "", twipsRect(m.labelX, markerLabelY, markerLabelWidth, lineHeight),
                               Qt::AlignHCenter, Qt::red);
    }

    Label5 = makeLabel(this, {.name = "Label5",
                              .text = QStringLiteral("Label5"),
                              .geometry = twipsRect(8880, 9600, 0, 0),
                              .font = designFont(DesignFace::MSSansSerif, 12)});

    TimerRepire = new QTimer(this);
    TimerRepire->setObjectName(QStringLiteral("TimerRepire"));
    TimerRepire->setInterval(200);
}

} // namespace meter

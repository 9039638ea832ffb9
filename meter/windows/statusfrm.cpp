#include "windows/statusfrm.h"

#include "common/window_drag.h"
#include "windows/form_kit.h"
#include "windows/mainform.h"
#include "windows/tableshow.h"
#include "windows/toolbar.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

namespace meter {

namespace {

using Design = FormDesign<Statusfrm>;

// Headings and clock in the design's face, sized to their caption; the boxes
// 285 twips high, their text centred, in the default font.
constexpr FontDesign labelFont{DesignFace::SimSun, 11.25};
constexpr FontDesign boxFont{DesignFace::System, 9};
constexpr int boxHeight = 285;
constexpr int checkLeft = 3600, headingLeft = 3960, maximumLeft = 5640, minimumLeft = 7800, unitLeft = 9960;
constexpr int boxWidth = 1695;

constexpr QRect at(int left, int top) { return twipsRect(left, top, 0, 0); }
constexpr QRect box(int left, int top, int width) { return twipsRect(left, top, width, boxHeight); }

constexpr QColor velocityColour = storedColour(0x000000FF);
constexpr QColor temperatureHeading = storedColour(0x0000C000), temperatureText = storedColour(0x0000FF00);
constexpr QColor flowColour = storedColour(0x00FF0000);
constexpr QColor darkBlue = storedColour(0x00C00000), darkRed = storedColour(0x000000C0);

// Column headings, then a row for each quantity: switch, heading, maximum,
// minimum, unit.
const Design::Control table[] = {
    Design::Label{&Statusfrm::Label12,
                  {.name = "Label12", .text = "MAXIMUM", .geometry = at(6120, 0), .font = labelFont}},
    Design::Label{&Statusfrm::Label13,
                  {.name = "Label13", .text = "MINIMUM", .geometry = at(8280, 0), .font = labelFont}},
    Design::Label{&Statusfrm::Label14,
                  {.name = "Label14", .text = "UNIT", .geometry = at(10440, 0), .font = labelFont}},

    Design::Check{&Statusfrm::Check1, {.geometry = twipsRect(checkLeft, 360, 255, 255), .checked = true}},
    Design::Label{&Statusfrm::Label8,
                  {.name = "Label8",
                   .text = "VELOCITY",
                   .geometry = at(headingLeft, 360),
                   .font = labelFont,
                   .colour = velocityColour}},
    Design::Box{&Statusfrm::Text1,
                {.name = "Text1",
                 .geometry = box(maximumLeft, 360, boxWidth),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .textColour = velocityColour}},
    Design::Box{&Statusfrm::Text5,
                {.name = "Text5",
                 .geometry = box(minimumLeft, 360, boxWidth),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .textColour = velocityColour}},
    Design::Box{&Statusfrm::Text9,
                {.name = "Text9",
                 .geometry = box(unitLeft, 360, boxWidth),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .textColour = velocityColour}},

    Design::Check{&Statusfrm::Check2, {.geometry = twipsRect(checkLeft, 720, 255, 255), .checked = true}},
    Design::Label{&Statusfrm::Label9,
                  {.name = "Label9",
                   .text = "TEMPERATURE",
                   .geometry = at(headingLeft, 720),
                   .font = labelFont,
                   .colour = temperatureHeading}},
    Design::Box{&Statusfrm::Text2,
                {.name = "Text2",
                 .geometry = box(maximumLeft, 720, boxWidth),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .textColour = temperatureText}},
    Design::Box{&Statusfrm::Text6,
                {.name = "Text6",
                 .geometry = box(minimumLeft, 720, boxWidth),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .textColour = temperatureText}},
    Design::Box{&Statusfrm::Text10,
                {.name = "Text10",
                 .geometry = box(unitLeft, 720, boxWidth),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .textColour = temperatureText}},

    Design::Check{&Statusfrm::Check3, {.geometry = twipsRect(checkLeft, 1080, 255, 255), .checked = true}},
    Design::Label{&Statusfrm::Label10,
                  {.name = "Label10",
                   .text = "FLOW",
                   .geometry = at(headingLeft, 1080),
                   .font = labelFont,
                   .colour = flowColour}},
    Design::Box{&Statusfrm::Text3,
                {.name = "Text3",
                 .geometry = box(maximumLeft, 1080, boxWidth),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .textColour = flowColour}},
    Design::Box{&Statusfrm::Text7,
                {.name = "Text7",
                 .geometry = box(minimumLeft, 1080, boxWidth),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .textColour = flowColour}},
    Design::Box{&Statusfrm::Text11,
                {.name = "Text11",
                 .geometry = box(unitLeft, 1080, boxWidth),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .textColour = flowColour}},

    // Area in black, its boxes in the system's window text colour.
    Design::Check{&Statusfrm::Check4, {.geometry = twipsRect(checkLeft, 1440, 255, 255), .checked = true}},
    Design::Label{&Statusfrm::Label11,
                  {.name = "Label11", .text = "AREA", .geometry = at(headingLeft, 1440), .font = labelFont}},
    Design::Box{
        &Statusfrm::Text4,
        {.name = "Text4", .geometry = box(maximumLeft, 1440, boxWidth), .font = boxFont, .align = Qt::AlignHCenter}},
    Design::Box{
        &Statusfrm::Text8,
        {.name = "Text8", .geometry = box(minimumLeft, 1440, boxWidth), .font = boxFont, .align = Qt::AlignHCenter}},
    Design::Box{
        &Statusfrm::Text12,
        {.name = "Text12", .geometry = box(unitLeft, 1440, boxWidth), .font = boxFont, .align = Qt::AlignHCenter}},

    // The clock: blank until its first tick.
    Design::Label{&Statusfrm::Label6,
                  {.name = "Label6",
                   .text = "           ",
                   .geometry = twipsRect(720, 720, 1680, 225),
                   .font = labelFont,
                   .align = Qt::AlignLeft | Qt::AlignVCenter}},
    Design::Label{&Statusfrm::Label5,
                  {.name = "Label5",
                   .text = "                       ",
                   .geometry = twipsRect(360, 1080, 1920, 225),
                   .font = labelFont,
                   .align = Qt::AlignHCenter | Qt::AlignVCenter}},

    // The cursor readout, stored hidden.
    Design::Label{
        &Statusfrm::Label7,
        {.name = "Label7", .text = "(Cursor) A:", .geometry = at(9600, 1680), .font = labelFont, .visible = false}},
    Design::Box{&Statusfrm::CursorAtext,
                {.name = "CursorAtext",
                 .geometry = box(9600, 1800, 2535),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .locked = true,
                 .textColour = darkBlue,
                 .visible = false}},
    Design::Label{&Statusfrm::Label1,
                  {.name = "Label1", .text = "B:", .geometry = at(9120, 1680), .font = labelFont, .visible = false}},
    Design::Box{&Statusfrm::CursorBtext,
                {.name = "CursorBtext",
                 .geometry = box(8520, 1800, 2655),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .locked = true,
                 .textColour = darkRed,
                 .visible = false}},
    Design::Label{&Statusfrm::Label2,
                  {.name = "Label2",
                   .text = "(Between A and B)MAX:",
                   .geometry = at(9120, 1800),
                   .font = labelFont,
                   .visible = false}},
    Design::Box{&Statusfrm::MaxofAB,
                {.name = "MaxofAB",
                 .geometry = box(8160, 1800, 2775),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .locked = true,
                 .visible = false}},
    Design::Label{&Statusfrm::Label3,
                  {.name = "Label3", .text = "MIN:", .geometry = at(9000, 1800), .font = labelFont, .visible = false}},
    Design::Box{&Statusfrm::MinofAB,
                {.name = "MinofAB",
                 .geometry = box(9240, 1800, 3015),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .locked = true,
                 .visible = false}},
    Design::Label{&Statusfrm::Label4,
                  {.name = "Label4", .text = "AVG:", .geometry = at(8760, 1680), .font = labelFont, .visible = false}},
    Design::Box{&Statusfrm::AVGofAB,
                {.name = "AVGofAB",
                 .geometry = box(9720, 1800, 1095),
                 .font = boxFont,
                 .align = Qt::AlignHCenter,
                 .locked = true,
                 .visible = false}},
};

} // namespace

QPixmap statusBackground() {
    QPixmap pm(966, 120);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, 120);
    g.setColorAt(0.0, QColor(236, 246, 255));
    g.setColorAt(0.5, QColor(206, 228, 250));
    g.setColorAt(1.0, QColor(168, 204, 242));
    p.fillRect(pm.rect(), g);
    return pm;
}

Statusfrm::Statusfrm(SharedState& state, QWidget* mainWindow, Clock clock, const Regional& regional, QWidget* parent)
    : QWidget(parent), state_(state), mainWindow_(mainWindow), clock_(std::move(clock)), regional_(regional),
      background_(statusBackground()) {
    setObjectName(QStringLiteral("statusfrm"));
    setWindowTitle(QStringLiteral("Form2"));
    setAttribute(Qt::WA_OpaquePaintEvent);

    makeControls(*this, this, table);
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    connect(Check3, &QCheckBox::toggled, this, [this] { Check3_Click(); });
    connect(Check4, &QCheckBox::toggled, this, [this] { Check4_Click(); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();

    // Pressing the strip's own background, with any button, drags the main window.
    new common::WindowDrag(this, mainWindow_);

    Form_Load();
}

void Statusfrm::Form_Load() { Form_Load(Toolbar::designedHeight, Tableshow::designHeight); }

void Statusfrm::Form_Load(int toolbarHeight, int tableshowHeight) {
    // Without a main window, the size the program's main window has.
    const int mainWidth = mainWindow_ ? mainWindow_->width() : MainForm::designWidth;
    const int mainHeight = mainWindow_ ? mainWindow_->height() : MainForm::designHeight;
    const int top = toolbarHeight + tableshowHeight;
    move(0, top);
    resize(mainWidth, std::max(0, mainHeight - top));
}

QLineEdit* Statusfrm::text(int i) const {
    QLineEdit* const boxes[] = {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11, Text12};
    if (i < 1 || i > 12) return nullptr;
    return boxes[i - 1];
}

void Statusfrm::showStatistics(const RecordOutcome& o) {
    // Every box is written on every frame; a box that already shows its text
    // (and so holds nothing the user typed) is left as it is.
    auto write = [](QLineEdit* box, const std::string& text) {
        const QString t = QString::fromStdString(text);
        if (box->text() != t) box->setText(t);
    };
    auto writeColumn = [&write](QLineEdit* v, QLineEdit* t, QLineEdit* f, QLineEdit* a, const QuantityTexts& texts) {
        write(v, texts.velocity);
        write(t, texts.temperature);
        write(f, texts.flow);
        write(a, texts.area);
    };
    const StatisticsTexts& s = o.statistics;
    writeColumn(Text9, Text10, Text11, Text12, s.unit);
    writeColumn(Text1, Text2, Text3, Text4, s.maximum);
    writeColumn(Text5, Text6, Text7, Text8, s.minimum);
}

void Statusfrm::Check1_Click() {
    state_.showVelocity = Check1->isChecked();
    emit seriesSwitched();
}

void Statusfrm::Check2_Click() {
    state_.showTemperature = Check2->isChecked();
    emit seriesSwitched();
}

void Statusfrm::Check3_Click() {
    state_.showFlow = Check3->isChecked();
    emit seriesSwitched();
}

void Statusfrm::Check4_Click() {
    state_.showArea = Check4->isChecked();
    emit seriesSwitched();
}

void Statusfrm::Timer1_Timer() {
    const LocalDateTime now = clock_ ? clock_() : LocalDateTime{};
    Label6->setText(QString::fromStdString(dateText(now)));
    Label5->setText(QString::fromStdString(timeText(now, regional_)));
}

void Statusfrm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), storedColour(0x00C0FFC0));
    p.drawPixmap(0, 0, background_);
}

} // namespace meter

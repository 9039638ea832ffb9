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

#include <array>
#include <optional>

namespace meter {

namespace {

// Headings and clock: transparent labels in the design's face, sized to their caption.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top,
                  const QColor& colour) {
    return meter::makeLabel(parent, {.name = name,
                                     .text = caption,
                                     .geometry = QRect(px(left), px(top), 0, 0),
                                     .font = designFont(DesignFace::SimSun, 11.25),
                                     .colour = colour});
}

// The boxes: 285 twips high, text centred, in the default font.
QLineEdit* makeBox(QWidget* parent, const char* name, int left, int top, int width,
                   std::optional<QColor> colour, bool locked) {
    return meter::makeBox(parent, {.name = name,
                                   .geometry = twipsRect(left, top, width, 285),
                                   .font = designFont(DesignFace::System, 9),
                                   .align = Qt::AlignHCenter,
                                   .locked = locked,
                                   .textColour = colour});
}

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
    : QWidget(parent),
      state_(state),
      mainWindow_(mainWindow),
      clock_(std::move(clock)),
      regional_(regional),
      background_(statusBackground()) {
    setObjectName(QStringLiteral("statusfrm"));
    setWindowTitle(QStringLiteral("Form2"));
    setAttribute(Qt::WA_OpaquePaintEvent);

    const QColor black(0, 0, 0);
    Label12 = makeLabel(this, "Label12", QStringLiteral("MAXIMUM"), 6120, 0, black);
    Label13 = makeLabel(this, "Label13", QStringLiteral("MINIMUM"), 8280, 0, black);
    Label14 = makeLabel(this, "Label14", QStringLiteral("UNIT"), 10440, 0, black);

    struct Row {
        int top;
        QCheckBox** check;
        QLabel** heading;
        const char* headingName;
        const char* caption;
        std::uint32_t headingColour;
        std::array<QLineEdit**, 3> boxes; // maximum, minimum, unit
        std::array<const char*, 3> boxNames;
        std::optional<std::uint32_t> textColour; // none: the system's window text colour
    };
    const Row rows[] = {
        {360, &Check1, &Label8, "Label8", "VELOCITY", 0x000000FF, {&Text1, &Text5, &Text9},
         {"Text1", "Text5", "Text9"}, 0x000000FF},
        {720, &Check2, &Label9, "Label9", "TEMPERATURE", 0x0000C000, {&Text2, &Text6, &Text10},
         {"Text2", "Text6", "Text10"}, 0x0000FF00},
        {1080, &Check3, &Label10, "Label10", "FLOW", 0x00FF0000, {&Text3, &Text7, &Text11},
         {"Text3", "Text7", "Text11"}, 0x00FF0000},
        {1440, &Check4, &Label11, "Label11", "AREA", 0x00000000, {&Text4, &Text8, &Text12},
         {"Text4", "Text8", "Text12"}, std::nullopt},
    };
    for (const Row& r : rows) {
        auto* c = new QCheckBox(this);
        c->setGeometry(twipsRect(3600, r.top, 255, 255));
        c->setChecked(true);
        c->setAttribute(Qt::WA_NoMousePropagation);
        *r.check = c;
        *r.heading = makeLabel(this, r.headingName, QString::fromLatin1(r.caption), 3960, r.top,
                               storedColour(r.headingColour));
        std::optional<QColor> colour;
        if (r.textColour) colour = storedColour(*r.textColour);
        const int lefts[3] = {5640, 7800, 9960};
        for (std::size_t i = 0; i < 3; ++i)
            *r.boxes[i] = makeBox(this, r.boxNames[i], lefts[i], r.top, 1695, colour, false);
    }
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    connect(Check3, &QCheckBox::toggled, this, [this] { Check3_Click(); });
    connect(Check4, &QCheckBox::toggled, this, [this] { Check4_Click(); });

    Label6 = makeLabel(this, "Label6", QString(11, QLatin1Char(' ')), 720, 720, black);
    Label6->setFixedSize(px(1680), px(225));
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label5 = makeLabel(this, "Label5", QString(23, QLatin1Char(' ')), 360, 1080, black);
    Label5->setFixedSize(px(1920), px(225));
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();

    // The cursor readout, stored hidden.
    const QColor darkBlue = storedColour(0x00C00000), darkRed = storedColour(0x000000C0);
    Label7 = makeLabel(this, "Label7", QStringLiteral("(Cursor) A:"), 9600, 1680, black);
    CursorAtext = makeBox(this, "CursorAtext", 9600, 1800, 2535, darkBlue, true);
    Label1 = makeLabel(this, "Label1", QStringLiteral("B:"), 9120, 1680, black);
    CursorBtext = makeBox(this, "CursorBtext", 8520, 1800, 2655, darkRed, true);
    Label2 = makeLabel(this, "Label2", QStringLiteral("(Between A and B)MAX:"), 9120, 1800, black);
    MaxofAB = makeBox(this, "MaxofAB", 8160, 1800, 2775, std::nullopt, true);
    Label3 = makeLabel(this, "Label3", QStringLiteral("MIN:"), 9000, 1800, black);
    MinofAB = makeBox(this, "MinofAB", 9240, 1800, 3015, std::nullopt, true);
    Label4 = makeLabel(this, "Label4", QStringLiteral("AVG:"), 8760, 1680, black);
    AVGofAB = makeBox(this, "AVGofAB", 9720, 1800, 1095, std::nullopt, true);
    for (QWidget* w : std::initializer_list<QWidget*>{Label7, CursorAtext, Label1, CursorBtext, Label2, MaxofAB,
                                                      Label3, MinofAB, Label4, AVGofAB})
        w->hide();

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

#include "windows/tableshow.h"

#include "platform/mscomm.h"
#include "windows/hand_cursor.h"
#include "windows/meter_artwork.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace meter {

namespace {

constexpr int twipsPerPixel = 15;
const QColor displayColour(0xE0, 0xE0, 0xE0); // &H00E0E0E0&
const QColor panelColour(0x80, 0x80, 0x80);   // &H00808080&

QRect fromTwips(int left, int top, int width, int height) {
    return QRect(left / twipsPerPixel, top / twipsPerPixel, width / twipsPerPixel, height / twipsPerPixel);
}

struct LabelDesign {
    const char* name;
    QLabel* Tableshow::*member;
    const char* caption; // UTF-8
    int left, top, width, height;
    Qt::Alignment align;
    bool numberLine; // Arial 24 pt italic, fixed size; otherwise 8 pt, sized to the caption
};

const LabelDesign labelDesigns[] = {
    {"FIRSTLABEL", &Tableshow::FIRSTLABEL, "-0.000", 0, 240, 1935, 495, Qt::AlignHCenter, true},
    {"SECONDLABEL", &Tableshow::SECONDLABEL, "-0.000", 0, 1320, 1335, 495, Qt::AlignRight, true},
    {"Label_VEL", &Tableshow::Label_VEL, "VEL", 30, 48, 300, 195, Qt::AlignLeft, false},
    {"Label_HOLD", &Tableshow::Label_HOLD, "HOLD", 480, 0, 450, 195, Qt::AlignLeft, false},
    {"Label_VEL_UNIT", &Tableshow::Label_VEL_UNIT, "km/h", 720, 720, 375, 195, Qt::AlignLeft, false},
    {"Label_X", &Tableshow::Label_X, "X10", 1440, 720, 285, 195, Qt::AlignRight, false},
    {"Label_FUN", &Tableshow::Label_FUN, "TEMP", 30, 1080, 450, 195, Qt::AlignLeft, false},
    {"Label_TEMP_UNIT", &Tableshow::Label_TEMP_UNIT, "\u00B0C", 1530, 1320, 165, 195, Qt::AlignRight, false},
    {"Label_FLOW_UNIT", &Tableshow::Label_FLOW_UNIT, "CFM", 1425, 1695, 330, 195, Qt::AlignRight, false},
    {"Label_MAXMIN", &Tableshow::Label_MAXMIN, "MAX", 120, 1920, 345, 195, Qt::AlignLeft, false},
    {"Label_MEAN", &Tableshow::Label_MEAN, "*MEAN", 600, 1920, 525, 195, Qt::AlignLeft, false},
    {"Label_XX", &Tableshow::Label_XX, "X10", 1455, 1920, 285, 195, Qt::AlignRight, false},
};

struct KeyDesign {
    KeyArea* Tableshow::*member;
    void (Tableshow::*click)();
    int left, top, width, height;
    std::uint8_t keyCode;
    bool visible;
};

const KeyDesign keyDesigns[] = {
    {&Tableshow::Image3, &Tableshow::Image3_Click, 600, 4200, 405, 360, 0x09, true},   // SET
    {&Tableshow::Image6, &Tableshow::Image6_Click, 1200, 4200, 495, 375, 0x0B, true},  // MEAN
    {&Tableshow::Image1, &Tableshow::Image1_Click, 1920, 4200, 465, 405, 0x05, true},  // HOLD/ZERO
    {&Tableshow::Image5, &Tableshow::Image5_Click, 600, 4680, 465, 480, 0x0A, false},  // MAX/MIN
    {&Tableshow::Image2, &Tableshow::Image2_Click, 1200, 4680, 510, 495, 0x06, true},  // FLOW/TEMP
    {&Tableshow::Image4, &Tableshow::Image4_Click, 1800, 4680, 510, 450, 0x0C, true},  // ENTER
    {&Tableshow::Image7, &Tableshow::Image7_Click, 600, 6120, 570, 510, 0x0D, true},   // power
};

QFont numberFont() {
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(32); // 24 pt
    f.setItalic(true);
    return f;
}

QFont annunciatorFont() {
    QFont f = QApplication::font();
    f.setPixelSize(11); // 8 pt
    return f;
}


} // namespace

std::vector<std::uint8_t> keyCommand(std::uint8_t keyCode) { return {0xAA, 0xBB, keyCode}; }

KeyArea::KeyArea(std::uint8_t keyCode, QWidget* parent) : QWidget(parent), keyCode_(keyCode) {
    setCursor(handCursor());
}

void KeyArea::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) pressed_ = true;
    e->accept();
}

void KeyArea::mouseReleaseEvent(QMouseEvent* e) {
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton) pressed_ = false;
    e->accept();
    if (click) emit clicked();
}

Tableshow::Tableshow(MSComm& comm, QWidget* parent)
    : QWidget(parent), comm_(comm), front_(meterFrontPixmap(MeterFront::Readout)) {
    setWindowTitle(QStringLiteral("Form2"));
    setFixedSize(designWidth, designHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, panelColour);
    setPalette(pal);
    setAutoFillBackground(true);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(fromTwips(480, 960, 1995, 2520));
    QPalette boxPal = Picture1->palette();
    boxPal.setColor(QPalette::Window, displayColour);
    boxPal.setColor(QPalette::WindowText, Qt::black);
    Picture1->setPalette(boxPal);
    Picture1->setAutoFillBackground(true);

    for (const LabelDesign& d : labelDesigns) {
        auto* l = new QLabel(Picture1);
        l->setObjectName(QString::fromLatin1(d.name));
        l->setProperty("numberLine", d.numberLine);
        l->setPalette(boxPal);
        l->setAutoFillBackground(true); // opaque
        l->setMargin(0);
        l->setIndent(0);
        l->setTextFormat(Qt::PlainText);
        l->setFont(d.numberLine ? numberFont() : annunciatorFont());
        // The meter's display draws from the top of each field.
        l->setAlignment(d.align | Qt::AlignTop);
        l->setGeometry(fromTwips(d.left, d.top, d.width, d.height));
        this->*d.member = l;
        setCaption(l, d.caption);
    }

    for (const KeyDesign& d : keyDesigns) {
        auto* area = new KeyArea(d.keyCode, this);
        area->setGeometry(fromTwips(d.left, d.top, d.width, d.height));
        area->setVisible(d.visible);
        connect(area, &KeyArea::clicked, this, d.click);
        this->*d.member = area;
    }
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2->setObjectName(QStringLiteral("Image2"));
    Image3->setObjectName(QStringLiteral("Image3"));
    Image4->setObjectName(QStringLiteral("Image4"));
    Image5->setObjectName(QStringLiteral("Image5"));
    Image6->setObjectName(QStringLiteral("Image6"));
    Image7->setObjectName(QStringLiteral("Image7"));
}

void Tableshow::Form_Load(int toolStripHeight) { move(0, toolStripHeight); }

void Tableshow::setCaption(QLabel* l, const std::string& utf8) {
    const QString caption = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (l->text() == caption) return; // nothing to change on screen
    l->setText(caption);
    // Annunciators size themselves to their caption from their left/top corner.
    if (l != FIRSTLABEL && l != SECONDLABEL) l->adjustSize();
}

QLabel* Tableshow::label(std::string_view name) const {
    for (const LabelDesign& d : labelDesigns)
        if (name == d.name) return this->*d.member;
    return nullptr;
}

void Tableshow::applyReadout(const ReadoutWrites& writes) {
    for (const ReadoutLabel& r : readoutLabels) {
        const LabelWrite& w = writes.*r.member;
        QLabel* l = label(r.name);
        if (!l) continue;
        if (w.caption) setCaption(l, *w.caption);
        if (w.visible) l->setVisible(*w.visible);
    }
}

void Tableshow::showFrame(const FrameBytes& frame, char decimalSeparator) {
    applyReadout(decodeReadout(frame, decimalSeparator));
}

void Tableshow::sendKey(std::uint8_t keyCode) { comm_.Output(keyCommand(keyCode)); }

void Tableshow::Image1_Click() { sendKey(Image1->keyCode()); }
void Tableshow::Image2_Click() { sendKey(Image2->keyCode()); }
void Tableshow::Image3_Click() { sendKey(Image3->keyCode()); }
void Tableshow::Image4_Click() { sendKey(Image4->keyCode()); }
void Tableshow::Image5_Click() { sendKey(Image5->keyCode()); }
void Tableshow::Image6_Click() { sendKey(Image6->keyCode()); }
void Tableshow::Image7_Click() { sendKey(Image7->keyCode()); }

void Tableshow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, front_);
}

} // namespace meter

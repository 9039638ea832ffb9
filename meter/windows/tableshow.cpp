#include "windows/tableshow.h"

#include "core/meter_keys.h"
#include "windows/form_kit.h"
#include "windows/meter_artwork.h"

#include <QLabel>
#include <QPainter>

namespace meter {

namespace {

const QColor displayColour = storedColour(0x00E0E0E0);
const QColor panelColour = storedColour(0x00808080);

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

// The panel's members for the key areas of the core's key table.
struct KeyMember {
    const char* area;
    KeyArea* Tableshow::*member;
    void (Tableshow::*click)();
};

const KeyMember keyMembers[] = {
    {"Image1", &Tableshow::Image1, &Tableshow::Image1_Click},
    {"Image2", &Tableshow::Image2, &Tableshow::Image2_Click},
    {"Image3", &Tableshow::Image3, &Tableshow::Image3_Click},
    {"Image4", &Tableshow::Image4, &Tableshow::Image4_Click},
    {"Image5", &Tableshow::Image5, &Tableshow::Image5_Click},
    {"Image6", &Tableshow::Image6, &Tableshow::Image6_Click},
    {"Image7", &Tableshow::Image7, &Tableshow::Image7_Click},
};

} // namespace

Tableshow::Tableshow(QWidget* parent) : QWidget(parent), front_(meterFrontPixmap(MeterFront::Readout)) {
    setWindowTitle(QStringLiteral("Form2"));
    setFixedSize(designWidth, designHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, panelColour);
    setPalette(pal);
    setAutoFillBackground(true);

    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(480, 960, 1995, 2520));
    QPalette boxPal = Picture1->palette();
    boxPal.setColor(QPalette::Window, displayColour);
    boxPal.setColor(QPalette::WindowText, Qt::black);
    Picture1->setPalette(boxPal);
    Picture1->setAutoFillBackground(true);

    const QFont numberFont = designFont(DesignFace::Arial, 24, false, true);
    const QFont annunciatorFont = designFont(DesignFace::System, 8);
    for (const LabelDesign& d : labelDesigns) {
        // The meter's display draws from the top of each field; the
        // annunciators size themselves to their caption.
        const QRect at = twipsRect(d.left, d.top, d.width, d.height);
        QLabel* l = makeLabel(Picture1, {.name = d.name,
                                         .text = QString::fromUtf8(d.caption),
                                         .geometry = d.numberLine ? at : QRect(at.topLeft(), QSize()),
                                         .font = d.numberLine ? numberFont : annunciatorFont,
                                         .align = d.align,
                                         .background = displayColour});
        l->setProperty("numberLine", d.numberLine);
        this->*d.member = l;
    }

    for (const KeyMember& m : keyMembers) {
        const MeterKey* k = meterKeyByArea(m.area);
        auto* area = new KeyArea(k->keyCode, this);
        area->setObjectName(QString::fromLatin1(m.area));
        area->setGeometry(twipsRect(k->rect));
        area->setVisible(k->visible);
        connect(area, &KeyArea::clicked, this, m.click);
        this->*m.member = area;
    }
}

void Tableshow::Form_Load(int toolStripHeight) { move(0, toolStripHeight); }

void Tableshow::setCaption(QLabel* l, std::string_view utf8) {
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

void Tableshow::showOffline() {
    setCaption(FIRSTLABEL, "OFF");
    setCaption(SECONDLABEL, "LINE");
}

void Tableshow::Image1_Click() { emit keyPressed(Image1->keyCode()); }
void Tableshow::Image2_Click() { emit keyPressed(Image2->keyCode()); }
void Tableshow::Image3_Click() { emit keyPressed(Image3->keyCode()); }
void Tableshow::Image4_Click() { emit keyPressed(Image4->keyCode()); }
void Tableshow::Image5_Click() { emit keyPressed(Image5->keyCode()); }
void Tableshow::Image6_Click() { emit keyPressed(Image6->keyCode()); }
void Tableshow::Image7_Click() { emit keyPressed(Image7->keyCode()); }

void Tableshow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, front_);
}

} // namespace meter

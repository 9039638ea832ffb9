#include "windows/tableshow.h"

#include "core/meter_keys.h"
#include "windows/form_kit.h"
#include "windows/meter_artwork.h"

#include <QLabel>
#include <QPainter>

namespace meter {

namespace {

constexpr QColor displayColour = storedColour(0x00E0E0E0);
constexpr QColor panelColour = storedColour(0x00808080);

using Design = FormDesign<Tableshow>;

// The meter's display draws from the top of each field: the two number lines
// in Arial 24 pt italic at a fixed size; the annunciators in 8 pt, sized to
// their caption from their left/top corner.
constexpr FontDesign numberFont{DesignFace::Arial, 24, false, true};
constexpr FontDesign annunciatorFont{DesignFace::System, 8};

const Design::Control displayLabels[] = {
    Design::Label{&Tableshow::FIRSTLABEL,
                  {.name = "FIRSTLABEL",
                   .text = "-0.000",
                   .geometry = twipsRect(0, 240, 1935, 495),
                   .font = numberFont,
                   .align = Qt::AlignHCenter,
                   .background = displayColour}},
    Design::Label{&Tableshow::SECONDLABEL,
                  {.name = "SECONDLABEL",
                   .text = "-0.000",
                   .geometry = twipsRect(0, 1320, 1335, 495),
                   .font = numberFont,
                   .align = Qt::AlignRight,
                   .background = displayColour}},
    Design::Label{&Tableshow::Label_VEL,
                  {.name = "Label_VEL",
                   .text = "VEL",
                   .geometry = twipsRect(30, 48, 0, 0),
                   .font = annunciatorFont,
                   .background = displayColour}},
    Design::Label{&Tableshow::Label_HOLD,
                  {.name = "Label_HOLD",
                   .text = "HOLD",
                   .geometry = twipsRect(480, 0, 0, 0),
                   .font = annunciatorFont,
                   .background = displayColour}},
    Design::Label{&Tableshow::Label_VEL_UNIT,
                  {.name = "Label_VEL_UNIT",
                   .text = "km/h",
                   .geometry = twipsRect(720, 720, 0, 0),
                   .font = annunciatorFont,
                   .background = displayColour}},
    Design::Label{&Tableshow::Label_X,
                  {.name = "Label_X",
                   .text = "X10",
                   .geometry = twipsRect(1440, 720, 0, 0),
                   .font = annunciatorFont,
                   .align = Qt::AlignRight,
                   .background = displayColour}},
    Design::Label{&Tableshow::Label_FUN,
                  {.name = "Label_FUN",
                   .text = "TEMP",
                   .geometry = twipsRect(30, 1080, 0, 0),
                   .font = annunciatorFont,
                   .background = displayColour}},
    Design::Label{&Tableshow::Label_TEMP_UNIT,
                  {.name = "Label_TEMP_UNIT",
                   .text = "\u00B0C",
                   .geometry = twipsRect(1530, 1320, 0, 0),
                   .font = annunciatorFont,
                   .align = Qt::AlignRight,
                   .background = displayColour}},
    Design::Label{&Tableshow::Label_FLOW_UNIT,
                  {.name = "Label_FLOW_UNIT",
                   .text = "CFM",
                   .geometry = twipsRect(1425, 1695, 0, 0),
                   .font = annunciatorFont,
                   .align = Qt::AlignRight,
                   .background = displayColour}},
    Design::Label{&Tableshow::Label_MAXMIN,
                  {.name = "Label_MAXMIN",
                   .text = "MAX",
                   .geometry = twipsRect(120, 1920, 0, 0),
                   .font = annunciatorFont,
                   .background = displayColour}},
    Design::Label{&Tableshow::Label_MEAN,
                  {.name = "Label_MEAN",
                   .text = "*MEAN",
                   .geometry = twipsRect(600, 1920, 0, 0),
                   .font = annunciatorFont,
                   .background = displayColour}},
    Design::Label{&Tableshow::Label_XX,
                  {.name = "Label_XX",
                   .text = "X10",
                   .geometry = twipsRect(1455, 1920, 0, 0),
                   .font = annunciatorFont,
                   .align = Qt::AlignRight,
                   .background = displayColour}},
};

// The panel's members for the key areas of the core's key table.
struct KeyMember {
    const char* area;
    KeyArea* Tableshow::*member;
    void (Tableshow::*click)();
};

const KeyMember keyMembers[] = {
    {"Image1", &Tableshow::Image1, &Tableshow::Image1_Click}, {"Image2", &Tableshow::Image2, &Tableshow::Image2_Click},
    {"Image3", &Tableshow::Image3, &Tableshow::Image3_Click}, {"Image4", &Tableshow::Image4, &Tableshow::Image4_Click},
    {"Image5", &Tableshow::Image5, &Tableshow::Image5_Click}, {"Image6", &Tableshow::Image6, &Tableshow::Image6_Click},
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

    makeControls(*this, Picture1, displayLabels);

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
    for (const Design::Control& c : displayLabels) {
        const Design::Label& l = std::get<Design::Label>(c);
        if (name == l.spec.name) return this->*l.member;
    }
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

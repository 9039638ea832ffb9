#include "windows/dlg_selectcon.h"

#include "common/window_drag.h"
#include "core/port_lookup.h"
#include "platform/mouse_capture.h"
#include "windows/form_kit.h"
#include "windows/hand_cursor.h"
#include "windows/picture_button.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <cstdint>

namespace meter {

namespace {

constexpr std::uint32_t formColour = 0x00FFFFC0; // under the background picture

using Design = FormDesign<DlgSelectCon>;

// The option buttons, labels, text boxes and command buttons in MS Sans Serif
// 12 pt, the lists in the design's default font. The option buttons, lists and
// command buttons show the hand pointer. Twips.
constexpr FontDesign sansSerif{DesignFace::MSSansSerif, 12};
constexpr FontDesign listFont{DesignFace::MSSansSerif, 8.25};
constexpr QColor optionColour = storedColour(0x00C0C0C0); // behind the option buttons' captions
constexpr QColor white(255, 255, 255);

// In tab order.
const Design::Control table[] = {
    Design::Option{&DlgSelectCon::Option1,
                   {.name = "Option1",
                    .text = "connect to com_port",
                    .geometry = twipsRect(600, 480, 2655, 300),
                    .font = sansSerif,
                    .background = optionColour,
                    .handCursor = true}},
    Design::Combo{&DlgSelectCon::Combo1,
                  {.name = "Combo1",
                   .geometry = twipsRect(3360, 480, 1575, 315),
                   .font = listFont,
                   .completes = false,
                   .handCursor = true}},
    Design::Option{&DlgSelectCon::Option2,
                   {.name = "Option2",
                    .text = "connect to Internet",
                    .geometry = twipsRect(600, 1320, 2655, 300),
                    .font = sansSerif,
                    .background = optionColour,
                    .handCursor = true}},
    Design::Combo{&DlgSelectCon::Combo2,
                  {.name = "Combo2",
                   .geometry = twipsRect(3360, 1320, 1575, 315),
                   .font = listFont,
                   .completes = false,
                   .handCursor = true}},
    Design::Label{
        &DlgSelectCon::Label1,
        {.name = "Label1", .text = "IP Address:", .geometry = twipsRect(600, 2040, 1335, 375), .font = sansSerif}},
    Design::Label{
        &DlgSelectCon::Label2,
        {.name = "Label2", .text = "Port NO.:", .geometry = twipsRect(600, 2640, 1335, 375), .font = sansSerif}},
    Design::Box{&DlgSelectCon::Text1,
                {.name = "Text1", .text = "", .geometry = twipsRect(1920, 2040, 735, 375), .font = sansSerif}},
    Design::Box{&DlgSelectCon::Text2,
                {.name = "Text2", .text = "", .geometry = twipsRect(2760, 2040, 735, 375), .font = sansSerif}},
    Design::Box{&DlgSelectCon::Text3,
                {.name = "Text3", .text = "", .geometry = twipsRect(3600, 2040, 735, 375), .font = sansSerif}},
    Design::Box{&DlgSelectCon::Text4,
                {.name = "Text4", .text = "", .geometry = twipsRect(4440, 2040, 735, 375), .font = sansSerif}},
    Design::Box{&DlgSelectCon::Text5,
                {.name = "Text5", .text = "", .geometry = twipsRect(1920, 2640, 975, 375), .font = sansSerif}},
    Design::Label{&DlgSelectCon::Label3,
                  {.name = "Label3",
                   .text = ".",
                   .geometry = twipsRect(2640, 2040, 135, 375),
                   .font = sansSerif,
                   .background = white}},
    Design::Label{&DlgSelectCon::Label4,
                  {.name = "Label4",
                   .text = ".",
                   .geometry = twipsRect(3480, 2040, 135, 375),
                   .font = sansSerif,
                   .background = white}},
    Design::Label{&DlgSelectCon::Label5,
                  {.name = "Label5",
                   .text = ".",
                   .geometry = twipsRect(4320, 2040, 135, 375),
                   .font = sansSerif,
                   .background = white}},
    Design::Button{&DlgSelectCon::connectto,
                   {.name = "connectto",
                    .text = "Connect",
                    .geometry = twipsRect(1440, 3840, 1575, 495),
                    .font = sansSerif,
                    .isDefault = true,
                    .handCursor = true}},
    Design::Button{&DlgSelectCon::cancelcon,
                   {.name = "cancelcon",
                    .text = "Cancel",
                    .geometry = twipsRect(3360, 3840, 1575, 495),
                    .font = sansSerif,
                    .handCursor = true}},
};

} // namespace

QPixmap selectConBackground() {
    QPixmap pm(DlgSelectCon::clientWidth, DlgSelectCon::clientHeight);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, pm.height());
    g.setColorAt(0.0, QColor(232, 252, 255));
    g.setColorAt(0.6, QColor(192, 238, 250));
    g.setColorAt(1.0, QColor(150, 208, 236));
    p.fillRect(pm.rect(), g);
    // A rule above the command buttons, and a frame in place of the missing border.
    p.setPen(QColor(110, 170, 210));
    p.drawLine(24, 240, pm.width() - 25, 240);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(24, 241, pm.width() - 25, 241);
    p.setPen(QColor(40, 96, 150));
    p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
    p.setPen(QColor(255, 255, 255, 170));
    p.drawRect(1, 1, pm.width() - 3, pm.height() - 3);
    return pm;
}

DlgSelectCon::DlgSelectCon(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), background_(selectConBackground()) {
    setObjectName(QStringLiteral("dlg_selectCON"));
    setFixedSize(clientWidth, clientHeight);
    setSizeGripEnabled(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, storedColour(formColour));
    setPalette(pal);

    makeControls(*this, this, table);

    // Pressing the dialog's own background drags it.
    new common::WindowDrag(this);

    QObject::connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option1_Click();
    });
    QObject::connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option2_Click();
    });
    QObject::connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    QObject::connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    QObject::connect(Text3, &QLineEdit::textChanged, this, [this] { Text3_Change(); });
    QObject::connect(connectto, &QPushButton::clicked, this, [this] { connectto_Click(); });
    QObject::connect(cancelcon, &QPushButton::clicked, this, [this] { cancelcon_Click(); });

    Form_Load();
}

void DlgSelectCon::Form_Load() {
    // An editable list shows its first item once items are added: the text
    // goes in after them.
    Combo1->addItems({QStringLiteral("com1"), QStringLiteral("com2"), QStringLiteral("com3"), QStringLiteral("com4"),
                      QStringLiteral("com5"), QStringLiteral("other")});
    Combo1->setEditText(QStringLiteral("com3"));
    Combo2->addItems({QStringLiteral("TCP"), QStringLiteral("UDP")});
    Combo2->setEditText(QStringLiteral("TCP"));
    showPortList();
    for (QLineEdit* t : {Text1, Text2, Text3, Text4}) t->setMaxLength(3);
}

void DlgSelectCon::Option1_Click() { showPortList(); }

void DlgSelectCon::showPortList() {
    Combo1->setEnabled(true);
    Combo2->setEnabled(false);
    for (QLabel* l : {Label1, Label2, Label3, Label4, Label5}) l->hide();
    for (QLineEdit* t : {Text1, Text2, Text3, Text4, Text5}) {
        t->hide();
        t->clear();
    }
}

void DlgSelectCon::Option2_Click() {
    Combo1->setEnabled(false);
    Combo2->setEnabled(true);
    for (QLabel* l : {Label1, Label2, Label3, Label4, Label5}) l->show();
    for (QLineEdit* t : {Text1, Text2, Text3, Text4, Text5}) t->show();
}

void DlgSelectCon::moveOnWhenFull(QLineEdit* box, QLineEdit* next) {
    if (box->text().size() == 3) next->setFocus(Qt::OtherFocusReason);
}

void DlgSelectCon::Text1_Change() { moveOnWhenFull(Text1, Text2); }
void DlgSelectCon::Text2_Change() { moveOnWhenFull(Text2, Text3); }
void DlgSelectCon::Text3_Change() { moveOnWhenFull(Text3, Text4); }

void DlgSelectCon::connectto_Click() {
    // "connect to Internet" makes no connection; only the port list is acted on.
    if (Option1->isChecked()) chosenPort_ = portNumberFromChoice(Combo1->currentText().toStdString());
    accept();
}

void DlgSelectCon::cancelcon_Click() {
    releaseCapture();
    emit cancelled();
    chosenPort_.reset();
    reject();
}

void DlgSelectCon::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawPixmap(0, 0, background_);
}

void DlgSelectCon::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    centreOnScreen(*this);
    // The first control in tab order takes the focus; an option button that
    // takes the focus is selected.
    if (!focusTaken_) {
        focusTaken_ = true;
        Option1->setFocus(Qt::TabFocusReason);
        if (!Option1->isChecked() && !Option2->isChecked()) Option1->setChecked(true);
    }
}

void DlgSelectCon::keyPressEvent(QKeyEvent* e) {
    // No button of the design answers Escape: the dialog stays open.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace meter

#include "windows/dlg_selectcon.h"

#include "common/window_drag.h"
#include "core/port_lookup.h"
#include "platform/mouse_capture.h"
#include "windows/form_kit.h"
#include "windows/hand_cursor.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <cstdint>
#include <variant>

namespace meter {

namespace {

constexpr std::uint32_t formColour = 0x00FFFFC0;   // under the background picture
constexpr std::uint32_t optionColour = 0x00C0C0C0; // behind the option buttons' captions

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

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
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      background_(selectConBackground()) {
    setObjectName(QStringLiteral("dlg_selectCON"));
    setFixedSize(clientWidth, clientHeight);
    setSizeGripEnabled(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, storedColour(formColour));
    setPalette(pal);

    const QFont sansSerif = designFont(DesignFace::MSSansSerif, 12);
    const QFont listFont = designFont(DesignFace::MSSansSerif, 8.25); // the design's default font

    using Control = std::variant<QRadioButton**, QComboBox**, QLabel**, QLineEdit**, QPushButton**>;
    struct Row {
        Control control;
        const char* name;
        const char* text;
        int left, top, width, height; // twips
        bool whiteBackground = false; // labels; otherwise transparent
    };
    // In tab order.
    const Row rows[] = {
        {&Option1, "Option1", "connect to com_port", 600, 480, 2655, 300},
        {&Combo1, "Combo1", "", 3360, 480, 1575, 315},
        {&Option2, "Option2", "connect to Internet", 600, 1320, 2655, 300},
        {&Combo2, "Combo2", "", 3360, 1320, 1575, 315},
        {&Label1, "Label1", "IP Address:", 600, 2040, 1335, 375},
        {&Label2, "Label2", "Port NO.:", 600, 2640, 1335, 375},
        {&Text1, "Text1", "", 1920, 2040, 735, 375},
        {&Text2, "Text2", "", 2760, 2040, 735, 375},
        {&Text3, "Text3", "", 3600, 2040, 735, 375},
        {&Text4, "Text4", "", 4440, 2040, 735, 375},
        {&Text5, "Text5", "", 1920, 2640, 975, 375},
        {&Label3, "Label3", ".", 2640, 2040, 135, 375, true},
        {&Label4, "Label4", ".", 3480, 2040, 135, 375, true},
        {&Label5, "Label5", ".", 4320, 2040, 135, 375, true},
        {&connectto, "connectto", "Connect", 1440, 3840, 1575, 495},
        {&cancelcon, "cancelcon", "Cancel", 3360, 3840, 1575, 495},
    };
    for (const Row& r : rows) {
        const QString name = QString::fromLatin1(r.name);
        const QString text = QString::fromLatin1(r.text);
        const QRect at = twipsRect(r.left, r.top, r.width, r.height);
        std::visit(Overloaded{
                       [&](QRadioButton** slot) {
                           auto* b = new QRadioButton(text, this);
                           b->setObjectName(name);
                           b->setGeometry(at);
                           b->setFont(sansSerif);
                           QPalette bp = b->palette();
                           bp.setColor(b->backgroundRole(), storedColour(optionColour));
                           bp.setColor(QPalette::WindowText, Qt::black);
                           b->setPalette(bp);
                           b->setAutoFillBackground(true);
                           b->setCursor(handCursor());
                           b->setAttribute(Qt::WA_NoMousePropagation);
                           *slot = b;
                       },
                       [&](QComboBox** slot) {
                           auto* c = new QComboBox(this);
                           c->setObjectName(name);
                           c->setEditable(true);
                           c->setInsertPolicy(QComboBox::NoInsert); // typed text is not added to the list
                           // The text stays as typed: nothing completes it, and it
                           // matches an item only letter for letter.
                           c->setCompleter(nullptr);
                           c->setGeometry(at);
                           c->setFont(listFont);
                           // The hand over the edit field as well, which has a pointer of its own.
                           c->setCursor(handCursor());
                           c->lineEdit()->setCursor(handCursor());
                           c->setAttribute(Qt::WA_NoMousePropagation);
                           *slot = c;
                       },
                       [&](QLabel** slot) {
                           LabelSpec spec{.name = r.name, .text = text, .geometry = at, .font = sansSerif};
                           if (r.whiteBackground) spec.background = QColor(Qt::white);
                           *slot = makeLabel(this, spec);
                       },
                       [&](QLineEdit** slot) {
                           *slot = makeBox(this, {.name = r.name, .text = text, .geometry = at, .font = sansSerif});
                       },
                       [&](QPushButton** slot) {
                           auto* b = new QPushButton(text, this);
                           b->setObjectName(name);
                           b->setGeometry(at);
                           b->setFont(sansSerif);
                           b->setCursor(handCursor());
                           b->setAttribute(Qt::WA_NoMousePropagation);
                           *slot = b;
                       },
                   },
                   r.control);
    }
    connectto->setDefault(true);

    // Pressing the dialog's own background drags it.
    new common::WindowDrag(this);

    QObject::connect(Option1, &QRadioButton::toggled, this, [this](bool on) { if (on) Option1_Click(); });
    QObject::connect(Option2, &QRadioButton::toggled, this, [this](bool on) { if (on) Option2_Click(); });
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

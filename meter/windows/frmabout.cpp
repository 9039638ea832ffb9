#include "windows/frmabout.h"

#include "platform/message_boxes.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace meter {

namespace {

constexpr int px(int twips) { return twips / 15; }

QFont labelFont(const QString& family, int pixelSize) {
    QFont f(family);
    // Where the design's face is missing, faces of about its width.
    f.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                   QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setWeight(QFont::Normal);
    f.setItalic(false);
    return f;
}

QLabel* makeLabel(QWidget* parent, const QString& text, int left, int top, int width, int height, const QFont& font,
                  const QColor& colour, bool visible) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(px(left), px(top), px(width), px(height));
    l->setFont(font);
    l->setAttribute(Qt::WA_TranslucentBackground);
    l->setAutoFillBackground(false);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    // A press on a label counts as a press on the window.
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    l->setVisible(visible);
    return l;
}

} // namespace

FrmAbout::FrmAbout(const QIcon& icon, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setWindowTitle(QStringLiteral("About AV-62 "));
    if (!icon.isNull()) setWindowIcon(icon);
    setFixedSize(clientWidth, clientHeight);
    setSizeGripEnabled(false);

    // Tahoma 14.25 pt = 19 px, MS Sans Serif 12 pt = 16 px.
    const QFont tahoma = labelFont(QStringLiteral("Tahoma"), 19);
    const QFont sansSerif = labelFont(QStringLiteral("MS Sans Serif"), 16);
    Label1 = makeLabel(this, QStringLiteral("Hot wire anemometer"), 960, 240, 2895, 495, tahoma, Qt::black, true);
    Label4 = makeLabel(this, QStringLiteral("AV-62 V1.1"), 960, 720, 2895, 495, tahoma, Qt::black, true);
    Label2 = makeLabel(this, QStringLiteral("V1.0"), 4560, 2280, 2175, 495, sansSerif, Qt::white, false);
    Label3 = makeLabel(this, QStringLiteral("AV-62"), 4560, 2880, 2175, 495, sansSerif, Qt::white, false);
}

void FrmAbout::paintEvent(QPaintEvent*) {
    // The background picture: 300 x 179 pixels of plain light grey at the top-left corner.
    QPainter p(this);
    p.fillRect(QRect(0, 0, 300, 179), QColor(0xD4, 0xD0, 0xC8));
}

void FrmAbout::mousePressEvent(QMouseEvent* event) {
    event->accept();
    close();
}

void FrmAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        const QRect frame = frameGeometry();
        move(avail.center() - QPoint(frame.width() / 2, frame.height() / 2) + (pos() - frame.topLeft()));
    }
}

AboutController::AboutController(MessageBoxes& boxes, std::function<void()> resyncReceive, QIcon icon)
    : boxes_(boxes), resyncReceive_(std::move(resyncReceive)), icon_(std::move(icon)) {}

AboutController::~AboutController() { delete about_.data(); }

FrmAbout* AboutController::ensureWindow() {
    if (!about_) {
        about_ = new FrmAbout(icon_);
        about_->setAttribute(Qt::WA_DeleteOnClose);
    }
    return about_.data();
}

void AboutController::help() {
    FrmAbout* w = ensureWindow();
    w->show();
    w->raise();
    w->activateWindow();
    if (resyncReceive_) resyncReceive_();
}

void AboutController::capAbout() {
    FrmAbout* w = ensureWindow();
    w->setWindowModality(Qt::ApplicationModal);
    w->exec();
}

void AboutController::capContents() {
    boxes_.show(QStringLiteral("contents"), QStringLiteral("Meter"), MessageBoxes::Buttons::Ok);
}

} // namespace meter

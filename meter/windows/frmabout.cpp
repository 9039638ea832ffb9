#include "windows/frmabout.h"

#include "platform/message_boxes.h"
#include "windows/form_kit.h"

#include <QMouseEvent>
#include <QPainter>

namespace meter {

namespace {

using Design = FormDesign<FrmAbout>;

constexpr FontDesign tahoma{DesignFace::Tahoma, 14.25};
constexpr FontDesign sansSerif{DesignFace::MSSansSerif, 12};
constexpr QColor white(255, 255, 255);

// No label has a handler: a press on one is the label's and leaves the
// window open; only a press on the window's own surface closes it.
const Design::Control table[] = {
    Design::Label{
        &FrmAbout::Label1,
        {.name = "Label1", .text = "Hot wire anemometer", .geometry = twipsRect(960, 240, 2895, 495), .font = tahoma}},
    Design::Label{&FrmAbout::Label4,
                  {.name = "Label4", .text = "AV-62 V1.1", .geometry = twipsRect(960, 720, 2895, 495), .font = tahoma}},
    Design::Label{&FrmAbout::Label2,
                  {.name = "Label2",
                   .text = "V1.0",
                   .geometry = twipsRect(4560, 2280, 2175, 495),
                   .font = sansSerif,
                   .colour = white,
                   .visible = false}},
    Design::Label{&FrmAbout::Label3,
                  {.name = "Label3",
                   .text = "AV-62",
                   .geometry = twipsRect(4560, 2880, 2175, 495),
                   .font = sansSerif,
                   .colour = white,
                   .visible = false}},
};

} // namespace

FrmAbout::FrmAbout(const QIcon& icon, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setWindowTitle(QStringLiteral("About AV-62 "));
    if (!icon.isNull()) setWindowIcon(icon);
    setFixedSize(clientWidth, clientHeight);
    setSizeGripEnabled(false);

    makeControls(*this, this, table);
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
    centreOnScreen(*this);
}

AboutController::AboutController(MessageBoxes& boxes, QIcon icon) : boxes_(boxes), icon_(std::move(icon)) {}

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
}

void AboutController::capAbout() {
    FrmAbout* w = ensureWindow();
    w->setWindowModality(Qt::ApplicationModal);
    w->exec();
}

void AboutController::capContents() {
    boxes_.show(QStringLiteral("contents"), programTitle, MessageBoxes::Buttons::Ok);
}

} // namespace meter

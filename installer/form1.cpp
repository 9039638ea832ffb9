#include "form1.h"

#include "artwork.h"
#include "common/window_drag.h"
#include "medium.h"
#include "picture_button.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace installer {

namespace {

constexpr int kButtonTopTwips = 5400;
constexpr int kButtonWidthTwips = 1725;
constexpr int kButtonHeightTwips = 675;

QString notFoundText(const QString& path) { return QString::fromLatin1(kFileNotFound) + QStringLiteral("\r\n") + path; }

} // namespace

Form1::Form1(const QString& mediumFolder, LauncherServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), folder_(mediumFolder), services_(std::move(services)),
      background_(backgroundPicture()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(launcherIcon());
    setFixedSize(kClientWidth, kClientHeight);

    btnConn_ = makeButton(QStringLiteral("Software"), 840);
    btnConn_->setObjectName(QStringLiteral("btn_conn"));
    image1_ = makeButton(QStringLiteral("Driver 32"), 3000);
    image1_->setObjectName(QStringLiteral("Image1"));
    image3_ = makeButton(QStringLiteral("Driver 64"), 5040);
    image3_->setObjectName(QStringLiteral("Image3"));
    image2_ = makeButton(QStringLiteral("Exit"), 7200);
    image2_->setObjectName(QStringLiteral("Image2"));

    connect(btnConn_, &PictureButton::clicked, this, &Form1::btn_conn_Click);
    connect(image1_, &PictureButton::clicked, this, &Form1::Image1_Click);
    connect(image3_, &PictureButton::clicked, this, &Form1::Image3_Click);
    connect(image2_, &PictureButton::clicked, this, &Form1::Image2_Click);

    // Any mouse button on the background moves the window with the mouse, as if by its caption;
    // the buttons take their own presses.
    new common::WindowDrag(this, this, services_.moveWindow);

    // Centred on the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - kClientWidth) / 2, area.y() + (area.height() - kClientHeight) / 2);
    }
}

PictureButton* Form1::makeButton(const QString& label, int leftTwips) {
    auto* button = new PictureButton(buttonPicture(label), this);
    button->setGeometry(leftTwips / kTwipsPerPixel, kButtonTopTwips / kTwipsPerPixel,
                        kButtonWidthTwips / kTwipsPerPixel, kButtonHeightTwips / kTwipsPerPixel);
    button->setCursor(handCursor());
    return button;
}

void Form1::message(const QString& text) {
    if (services_.showMessage) services_.showMessage(this, QString::fromLatin1(kLauncherTitle), text);
}

void Form1::btn_conn_Click() {
    const QString path = setupPath(folder_);
    if (!isOrdinaryFile(path)) {
        message(notFoundText(path));
        return;
    }
    // A setup program that is there but cannot be started is reported, not passed over in silence.
    if (!services_.startProgram || !services_.startProgram(path))
        message(QString::fromLatin1(kFileStartError) + QStringLiteral("\r\n") + path);
}

void Form1::startDriver(const QString& path) {
    if (isOrdinaryFile(path)) {
        if (services_.startProgram && services_.startProgram(path)) return;
    } else {
        message(notFoundText(path));
    }
    message(QString::fromLatin1(kDriveTypeError));
}

void Form1::Image1_Click() { startDriver(driver32Path(folder_)); }

void Form1::Image3_Click() { startDriver(driver64Path(folder_)); }

void Form1::Image2_Click() { close(); }

void Form1::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawPixmap(0, 0, background_);
}

} // namespace installer

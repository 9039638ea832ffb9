#include "windows/picture_button.h"

#include "platform/mouse_capture.h"
#include "windows/hand_cursor.h"

#include <QMouseEvent>
#include <QPainter>

namespace meter {

PictureButton::PictureButton(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setCursor(handCursor());
    setAttribute(Qt::WA_NoMousePropagation);
}

void PictureButton::setPicture(const QPixmap& p) {
    picture_ = p;
    update();
}

void PictureButton::setImages(const ImageList* list, int hoverImage, int normalImage) {
    list_ = list;
    hover_ = hoverImage;
    normal_ = normalImage;
    showImage(normal_);
    resize(picture_.size());
}

void PictureButton::showImage(int n) {
    if (!list_) return;
    shown_ = n;
    setPicture(list_->ListImages(n));
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

void PictureButton::mouseMoveEvent(QMouseEvent* e) {
    e->accept();
    if (!list_) return;
    setCapture(this);
    const QPointF at = e->position();
    if (at.x() >= 0 && at.x() <= width() && at.y() >= 0 && at.y() <= height()) {
        showImage(hover_);
    } else {
        showImage(normal_);
        releaseCapture();
    }
}

void PictureButton::mousePressEvent(QMouseEvent* e) {
    e->accept();
    pressed_ = e->button() == Qt::LeftButton;
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e) {
    e->accept();
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}

void PictureButton::endClick() {
    releaseCapture();
    showNormalImage();
}

} // namespace meter

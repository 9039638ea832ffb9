#include "picture_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace installer {

PictureButton::PictureButton(const QPixmap& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    // Taken here, so a press on a button never reaches the window and never drags it.
    event->accept();
    if (event->button() == Qt::LeftButton) pressed_ = true;
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) return;
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && rect().contains(event->position().toPoint())) emit clicked();
}

} // namespace installer

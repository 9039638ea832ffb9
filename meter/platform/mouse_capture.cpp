#include "platform/mouse_capture.h"

#include <QWidget>

namespace meter {

void setCapture(QWidget* w) {
    if (w && QWidget::mouseGrabber() != w) w->grabMouse();
}

void releaseCapture() {
    if (QWidget* g = QWidget::mouseGrabber()) g->releaseMouse();
}

} // namespace meter

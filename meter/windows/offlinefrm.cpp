#include "windows/offlinefrm.h"

#include "windows/meter_artwork.h"

#include <QPainter>

namespace meter {

Offlinefrm::Offlinefrm(QWidget* parent) : QWidget(parent), front_(meterFrontPixmap(MeterFront::NoConnection)) {
    resize(designWidth, designHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    setPalette(pal);
    setAutoFillBackground(true);
}

void Offlinefrm::Form_Load(int toolStripHeight, const QWidget& readoutPanel) {
    setGeometry(0, toolStripHeight, readoutPanel.width(), readoutPanel.height());
}

void Offlinefrm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, front_);
}

} // namespace meter

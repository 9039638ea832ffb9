#include "app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace meter {

// A meter body with a light display and a red key.
QImage appIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 16.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 48, 64));
    p.drawRoundedRect(QRectF(3 * s, 0.5 * s, 10 * s, 15 * s), 2 * s, 2 * s);
    p.setBrush(QColor(214, 224, 214));
    p.drawRect(QRectF(4.5 * s, 2 * s, 7 * s, 5 * s));
    p.setBrush(QColor(200, 30, 40));
    p.drawEllipse(QRectF(6.5 * s, 10.5 * s, 3 * s, 3 * s));
    p.end();
    return image;
}

QIcon appIcon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(appIconImage(16)));
    icon.addPixmap(QPixmap::fromImage(appIconImage(32)));
    return icon;
}

} // namespace meter

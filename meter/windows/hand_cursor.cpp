#include "windows/hand_cursor.h"

#include <QPainter>
#include <QPainterPath>

namespace meter {

QPixmap handCursorPixmap() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Outline of a hand pointing up with the index finger; the fingertip's
    // top edge is at (12, 1).
    QPainterPath hand;
    hand.moveTo(10, 3);
    hand.quadTo(10, 1, 12, 1);
    hand.quadTo(14, 1, 14, 3);
    hand.lineTo(14, 12);         // index finger, right side
    hand.quadTo(14, 11, 16, 11); // middle finger knuckle
    hand.quadTo(18, 11, 18, 13);
    hand.quadTo(18, 12, 20, 12); // ring finger
    hand.quadTo(22, 12, 22, 14);
    hand.quadTo(22, 13, 24, 13); // little finger
    hand.quadTo(26, 13, 26, 15);
    hand.lineTo(26, 22);
    hand.quadTo(26, 26, 23, 28); // back of the hand
    hand.lineTo(23, 30);
    hand.lineTo(12, 30);
    hand.lineTo(12, 28);
    hand.quadTo(9, 25, 6, 21); // heel of the hand
    hand.lineTo(3, 16);
    hand.quadTo(2, 14, 4, 14); // thumb
    hand.quadTo(6, 14, 7, 16);
    hand.lineTo(10, 19);
    hand.closeSubpath();

    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    // Finger creases.
    p.drawLine(18, 14, 18, 19);
    p.drawLine(22, 15, 22, 20);
    p.drawLine(14, 13, 14, 19);
    // Cuff.
    p.fillRect(13, 28, 10, 2, Qt::black);
    return pm;
}

QCursor handCursor() { return QCursor(handCursorPixmap(), 12, 1); }

} // namespace meter

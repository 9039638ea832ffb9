#include "windows/graph_extras_art.h"

#include <QPainter>
#include <QPolygonF>
#include <QTransform>

namespace meter {

namespace {

constexpr int side = 30;

enum class Pointing { Up = 0, Right = 90, Down = 180, Left = 270 };

QPixmap square(QColor background) {
    QPixmap pm(side, side);
    pm.fill(background);
    return pm;
}

// A black triangle centred on the square, its apex towards `to`.
QPixmap triangle(QColor background, Pointing to) {
    QPixmap pm = square(background);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF up({QPointF(15, 6), QPointF(25, 23), QPointF(5, 23)});
    QTransform turn;
    turn.translate(15, 15).rotate(static_cast<int>(to)).translate(-15, -15);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(turn.map(up));
    return pm;
}

} // namespace

ImageList graphPauseImages() {
    const QColor cyan(125, 210, 222);
    QPixmap pause = square(cyan);
    {
        QPainter p(&pause);
        p.fillRect(QRect(9, 7, 4, 16), Qt::black);
        p.fillRect(QRect(17, 7, 4, 16), Qt::black);
    }
    ImageList list;
    list.add(pause);
    list.add(triangle(cyan, Pointing::Right));
    return list;
}

ImageList graphMoveImages() {
    const QColor light(208, 229, 244), strong(52, 147, 214);
    ImageList list;
    for (Pointing to : {Pointing::Up, Pointing::Down, Pointing::Left, Pointing::Right}) {
        list.add(triangle(light, to));
        list.add(triangle(strong, to));
    }
    return list;
}

ImageList graphUndoZoomImages() {
    ImageList list;
    for (QColor background : {QColor(208, 229, 244), QColor(36, 144, 221)}) {
        QPixmap pm = square(background);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 170, 200), 2.5));
        p.setBrush(QColor(156, 35, 89));
        p.drawEllipse(QPointF(15, 15), 9.5, 9.5);
        list.add(pm);
    }
    return list;
}

} // namespace meter

#include "windows/toolbar_art.h"

#include "windows/form_kit.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace meter {

namespace {

constexpr int backgroundHeight = 77;

QLinearGradient stripGradient() {
    QLinearGradient g(0, 0, 0, backgroundHeight);
    g.setColorAt(0.0, QColor(18, 64, 150));
    g.setColorAt(0.55, QColor(46, 118, 200));
    g.setColorAt(1.0, QColor(110, 176, 232));
    return g;
}

QPixmap buttonImage(const QString& word, bool hover) {
    QPixmap pm(70, 40);
    pm.fill(hover ? QColor(70, 158, 200) : QColor(156, 234, 245));
    QPainter p(&pm);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(pixelFont(DesignFace::Arial, 13, true));
    p.setPen(hover ? QColor(240, 21, 52) : QColor(0, 0, 0));
    p.drawText(pm.rect(), Qt::AlignCenter, word);
    return pm;
}

} // namespace

QPixmap toolbarBackground() {
    QPixmap pm(966, backgroundHeight);
    QPainter p(&pm);
    p.fillRect(pm.rect(), stripGradient());
    // A light sheen along the top edge.
    QLinearGradient sheen(0, 0, 0, 18);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(QRect(0, 0, 966, 18), sheen);

    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath title;
    title.addText(12, 46, pixelFont(DesignFace::Arial, 24, true, true), QStringLiteral("Hot Wire Anemometer"));
    p.setPen(QPen(QColor(255, 255, 255, 200), 3));
    p.drawPath(title);
    p.fillPath(title, QColor(220, 16, 32));
    return pm;
}

ImageList toolBarImages() {
    ImageList list;
    const char* words[] = {"CONNECT", "EXPORT", "INFO", "OPEN", "PRINT", "SAVE AS"};
    for (const char* w : words) {
        list.add(buttonImage(QString::fromLatin1(w), true));
        list.add(buttonImage(QString::fromLatin1(w), false));
    }
    return list;
}

// The strip behind a 45 x 32 picture whose box stands at (left, 13).
QPixmap stripPiece(int left) { return toolbarBackground().copy(left, 13, 45, 32); }

QPixmap toolminPicture() {
    QPixmap pm = stripPiece(848);
    QPainter p(&pm);
    p.fillRect(QRect(7, 20, 15, 4), QColor(12, 22, 48));
    return pm;
}

QPixmap toolclosePicture() {
    QPixmap pm = stripPiece(880);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(12, 22, 48), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.5, 9.5), QPointF(20.5, 21.5));
    p.drawLine(QPointF(20.5, 9.5), QPointF(8.5, 21.5));
    return pm;
}

} // namespace meter

#include "artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace installer {

namespace {

QFont pixelFont(int pixels, int weight) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// A wave band across the width: the upper edge follows one sine-like curve, the lower another.
QPainterPath waveBand(int width, double top, double amplitude, double thickness) {
    QPainterPath path;
    path.moveTo(0, top);
    path.cubicTo(width * 0.25, top - amplitude, width * 0.5, top + amplitude, width * 0.75, top);
    path.cubicTo(width * 0.87, top - amplitude * 0.5, width * 0.95, top - amplitude * 0.2, width,
                 top - amplitude * 0.3);
    const double low = top + thickness;
    path.lineTo(width, low - amplitude * 0.1);
    path.cubicTo(width * 0.8, low + amplitude * 0.9, width * 0.55, low - amplitude * 0.6, width * 0.35,
                 low + amplitude * 0.2);
    path.cubicTo(width * 0.2, low + amplitude * 0.8, width * 0.08, low + amplitude * 0.1, 0, low + amplitude * 0.3);
    path.closeSubpath();
    return path;
}

} // namespace

QPixmap backgroundPicture() {
    QPixmap picture(kBackgroundWidth, kBackgroundHeight);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, kBackgroundWidth * 0.3, kBackgroundHeight);
    sky.setColorAt(0.0, QColor(64, 140, 214));
    sky.setColorAt(0.45, QColor(22, 84, 170));
    sky.setColorAt(1.0, QColor(6, 30, 92));
    p.fillRect(picture.rect(), sky);

    // The light wave along the top: a soft wide band and two thin bright lines on it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawPath(waveBand(kBackgroundWidth, 34, 22, 40));
    p.setBrush(QColor(200, 232, 255, 90));
    p.drawPath(waveBand(kBackgroundWidth, 48, 18, 14));
    QPen line(QColor(235, 248, 255, 200), 2.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(line);
    QPainterPath crest;
    crest.moveTo(0, 40);
    crest.cubicTo(kBackgroundWidth * 0.25, 16, kBackgroundWidth * 0.5, 62, kBackgroundWidth * 0.75, 40);
    crest.cubicTo(kBackgroundWidth * 0.87, 28, kBackgroundWidth * 0.95, 33, kBackgroundWidth, 30);
    p.drawPath(crest);
    p.setPen(QPen(QColor(235, 248, 255, 110), 1.0));
    p.drawPath(crest.translated(0, 12));

    // A faint glow behind the title.
    QRadialGradient glow(kBackgroundWidth / 2.0, 200, 260);
    glow.setColorAt(0.0, QColor(120, 190, 255, 70));
    glow.setColorAt(1.0, QColor(120, 190, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawRect(picture.rect());

    // The title: a dark shadow first, then the white letters.
    const QRect titleBox(0, 140, kBackgroundWidth, 120);
    p.setFont(pixelFont(80, QFont::Bold));
    p.setPen(QColor(0, 20, 60, 150));
    p.drawText(titleBox.translated(3, 4), Qt::AlignCenter, QStringLiteral("INSTALLER"));
    p.setPen(Qt::white);
    p.drawText(titleBox, Qt::AlignCenter, QStringLiteral("INSTALLER"));
    return picture;
}

QPixmap buttonPicture(const QString& label) {
    QPixmap picture(kButtonPictureWidth, kButtonPictureHeight);
    QPainter p(&picture);
    QLinearGradient face(0, 0, 0, kButtonPictureHeight);
    face.setColorAt(0.0, QColor(150, 206, 246));
    face.setColorAt(1.0, QColor(98, 170, 232));
    p.fillRect(picture.rect(), face);
    p.setPen(QColor(60, 120, 190));
    p.drawRect(0, 0, kButtonPictureWidth - 1, kButtonPictureHeight - 1);
    p.setPen(QColor(200, 232, 255));
    p.drawLine(1, 1, kButtonPictureWidth - 2, 1);

    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(pixelFont(17, QFont::Bold));
    p.setPen(QColor(40, 90, 160));
    p.drawText(picture.rect().translated(1, 1), Qt::AlignCenter, label);
    p.setPen(Qt::white);
    p.drawText(picture.rect(), Qt::AlignCenter, label);
    return picture;
}

namespace {

QPixmap iconImage(int size) {
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    // A blue disc standing for the medium, with a white arrow pointing into it.
    QRadialGradient disc(s * 0.4, s * 0.35, s * 0.6);
    disc.setColorAt(0.0, QColor(110, 180, 245));
    disc.setColorAt(1.0, QColor(16, 66, 156));
    p.setPen(QPen(QColor(8, 36, 96), s / 16.0));
    p.setBrush(disc);
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));

    QPainterPath arrow;
    arrow.moveTo(s * 0.40, s * 0.20);
    arrow.lineTo(s * 0.60, s * 0.20);
    arrow.lineTo(s * 0.60, s * 0.48);
    arrow.lineTo(s * 0.74, s * 0.48);
    arrow.lineTo(s * 0.50, s * 0.78);
    arrow.lineTo(s * 0.26, s * 0.48);
    arrow.lineTo(s * 0.40, s * 0.48);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    return image;
}

} // namespace

QIcon launcherIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) icon.addPixmap(iconImage(size));
    return icon;
}

QPixmap handPicture() {
    QPixmap image(kHandSize, kHandSize);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Outline of a right hand pointing up with the index finger; the fingertip's top is (12, 1).
    QPainterPath hand;
    hand.moveTo(10.0, 3.0);
    hand.cubicTo(10.0, 0.3, 14.0, 0.3, 14.0, 3.0); // fingertip
    hand.lineTo(14.0, 12.0);
    hand.cubicTo(14.0, 10.0, 18.0, 10.0, 18.0, 12.0); // middle finger knuckle
    hand.lineTo(18.0, 13.0);
    hand.cubicTo(18.0, 11.0, 22.0, 11.0, 22.0, 13.0); // ring finger
    hand.lineTo(22.0, 14.0);
    hand.cubicTo(22.0, 12.0, 26.0, 12.0, 26.0, 14.5); // little finger
    hand.lineTo(26.0, 22.0);
    hand.cubicTo(26.0, 26.0, 24.0, 29.0, 21.0, 30.0);
    hand.lineTo(13.0, 30.0);
    hand.cubicTo(11.0, 28.0, 8.0, 24.0, 5.0, 19.0); // wrist to thumb
    hand.cubicTo(3.5, 16.5, 6.5, 14.5, 8.5, 16.5);
    hand.lineTo(10.0, 18.0);
    hand.closeSubpath();

    p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(hand);

    // Creases between the fingers.
    p.setPen(QPen(Qt::black, 1.0));
    p.drawLine(QPointF(14.0, 12.0), QPointF(14.0, 17.0));
    p.drawLine(QPointF(18.0, 13.0), QPointF(18.0, 17.0));
    p.drawLine(QPointF(22.0, 14.0), QPointF(22.0, 17.0));
    return image;
}

QCursor handCursor() { return QCursor(handPicture(), kHandHotX, kHandHotY); }

} // namespace installer

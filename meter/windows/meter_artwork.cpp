#include "windows/meter_artwork.h"

#include "core/meter_keys.h"
#include "windows/form_kit.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace meter {

namespace {

void paintBody(QPainter& p) {
    p.fillRect(0, 0, meterFrontWidth, meterFrontHeight, QColor(0x80, 0x80, 0x80));

    // Probe socket on the top edge.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x22, 0x26));
    p.drawRoundedRect(QRectF(80, 0, 35, 10), 3, 3);
    p.setBrush(QColor(0x9a, 0x9e, 0xa6));
    p.drawEllipse(QRectF(92, 1, 11, 7));

    // Housing with a light rim.
    const QRectF outer(4, 6, 187, 470);
    QLinearGradient rim(outer.topLeft(), outer.topRight());
    rim.setColorAt(0, QColor(0x5c, 0x66, 0x74));
    rim.setColorAt(0.5, QColor(0x3e, 0x46, 0x52));
    rim.setColorAt(1, QColor(0x2a, 0x30, 0x38));
    p.setPen(QPen(QColor(0x1a, 0x1d, 0x22), 1.2));
    p.setBrush(rim);
    p.drawRoundedRect(outer, 24, 24);

    const QRectF face(10, 14, 175, 454);
    QLinearGradient faceFill(face.topLeft(), face.bottomLeft());
    faceFill.setColorAt(0, QColor(0x35, 0x3c, 0x47));
    faceFill.setColorAt(1, QColor(0x26, 0x2b, 0x33));
    p.setPen(QPen(QColor(0x70, 0x7a, 0x88), 1));
    p.setBrush(faceFill);
    p.drawRoundedRect(face, 19, 19);

    // Product line above the display.
    p.setPen(QColor(0xe8, 0xec, 0xf0));
    p.setFont(pixelFont(DesignFace::System, 10, true));
    p.drawText(QRect(10, 26, 175, 14), Qt::AlignCenter, QStringLiteral("HOT-WIRE ANEMOMETER"));
    p.setPen(QColor(0xf0, 0xa0, 0x30));
    p.fillRect(QRect(40, 43, 115, 2), QColor(0xf0, 0xa0, 0x30));
}

void paintDisplayWindow(QPainter& p, MeterFront kind) {
    // Bezel and glass.
    const QRectF bezel = QRectF(meterDisplayGlass).adjusted(-6, -6, 6, 6);
    p.setPen(QPen(QColor(0x0c, 0x0e, 0x11), 1));
    p.setBrush(QColor(0x14, 0x17, 0x1b));
    p.drawRoundedRect(bezel, 8, 8);
    QLinearGradient glass(QPointF(meterDisplayGlass.topLeft()), QPointF(meterDisplayGlass.bottomRight()));
    glass.setColorAt(0, QColor(0xee, 0xee, 0xe8));
    glass.setColorAt(1, QColor(0xc8, 0xca, 0xc2));
    p.setPen(QPen(QColor(0x55, 0x5a, 0x60), 1));
    p.setBrush(glass);
    p.drawRect(QRectF(meterDisplayGlass).adjusted(0.5, 0.5, -0.5, -0.5));

    if (kind == MeterFront::NoConnection) {
        p.setPen(QColor(0xd0, 0x10, 0x10));
        p.setFont(pixelFont(DesignFace::Arial, 19, true));
        p.drawText(meterDisplayGlass, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("No\nConnection"));
    }
}

void paintKey(QPainter& p, const MeterKeyPicture& k, bool power) {
    const QRectF r = QRectF(k.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    // Shadow, then the cap.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x12, 0x15));
    p.drawRoundedRect(r.translated(1, 2), 6, 6);
    QLinearGradient cap(r.topLeft(), r.bottomLeft());
    if (power) {
        cap.setColorAt(0, QColor(0xe0, 0x4a, 0x3a));
        cap.setColorAt(1, QColor(0x9c, 0x22, 0x18));
    } else {
        cap.setColorAt(0, QColor(0xf2, 0xf4, 0xf6));
        cap.setColorAt(1, QColor(0xb4, 0xba, 0xc2));
    }
    p.setPen(QPen(QColor(0x18, 0x1b, 0x20), 1));
    p.setBrush(cap);
    p.drawRoundedRect(r, 6, 6);

    if (power) {
        // The power symbol: an open ring with a bar.
        const QPointF c = r.center();
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const QRectF ring(c.x() - 7, c.y() - 6, 14, 14);
        p.drawArc(ring, 120 * 16, 300 * 16);
        p.drawLine(QPointF(c.x(), c.y() - 9), QPointF(c.x(), c.y() - 1));
        return;
    }
    p.setPen(QColor(0x1c, 0x2a, 0x48));
    p.setFont(pixelFont(DesignFace::System, k.lower ? 7 : 8, true));
    if (k.lower) {
        const QRect upper(k.rect.left(), k.rect.top() + 2, k.rect.width(), k.rect.height() / 2 - 2);
        const QRect lower(k.rect.left(), k.rect.center().y(), k.rect.width(), k.rect.height() / 2 - 2);
        p.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom, QString::fromLatin1(k.upper));
        p.drawText(lower, Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(k.lower));
    } else {
        p.drawText(k.rect, Qt::AlignCenter, QString::fromLatin1(k.upper));
    }
}

void paintLowerFace(QPainter& p) {
    // Frame around the key field.
    p.setPen(QPen(QColor(0x5a, 0x64, 0x72), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(32.5, 272.5, 132, 80), 8, 8);

    // Legend beside the power key and a speaker grille below.
    p.setPen(QColor(0xc8, 0xce, 0xd6));
    p.setFont(pixelFont(DesignFace::System, 8, true));
    p.drawText(QRect(86, 408, 92, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VELOCITY"));
    p.drawText(QRect(86, 420, 92, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TEMPERATURE"));
    p.drawText(QRect(86, 432, 92, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("AIR FLOW"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1a, 0x1e, 0x24));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 9; ++col) p.drawEllipse(QRectF(58 + col * 9, 370 + row * 8, 4, 4));
    p.setPen(QColor(0x9a, 0xa2, 0xae));
    p.setFont(pixelFont(DesignFace::System, 7));
    p.drawText(QRect(40, 448, 40, 10), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("POWER"));
}

} // namespace

const std::array<MeterKeyPicture, 7>& meterKeyPictures() {
    // The legends printed on the keys of the key table, in its order.
    static const std::array<MeterKeyPicture, 7> keys = [] {
        const std::pair<const char*, const char*> legends[] = {
            {"SET", nullptr}, {"MEAN", nullptr},  {"HOLD", "ZERO"}, {"MAX", "MIN"},
            {"FLOW", "TEMP"}, {"ENTER", nullptr}, {"", nullptr},
        };
        std::array<MeterKeyPicture, 7> k{};
        for (std::size_t i = 0; i < k.size(); ++i)
            k[i] = {twipsRect(meterKeys[i].rect), legends[i].first, legends[i].second};
        return k;
    }();
    return keys;
}

void paintMeterFront(QPainter& p, MeterFront kind) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    paintBody(p);
    paintDisplayWindow(p, kind);
    paintLowerFace(p);
    const auto& keys = meterKeyPictures();
    for (std::size_t i = 0; i < keys.size(); ++i) paintKey(p, keys[i], i == keys.size() - 1);
    p.restore();
}

QPixmap meterFrontPixmap(MeterFront kind) {
    QPixmap pm(meterFrontWidth, meterFrontHeight);
    pm.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&pm);
    paintMeterFront(p, kind);
    return pm;
}

} // namespace meter

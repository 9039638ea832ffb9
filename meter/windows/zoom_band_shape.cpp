#include "windows/zoom_band_shape.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace meter {

ZoomBandShape::ZoomBandShape(QWidget* box, const ZoomBand& design) : QWidget(box), band_(design) {
    setObjectName(QStringLiteral("Shape1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(box->rect());
    hide();
}

void ZoomBandShape::setBand(const ZoomBand& band) {
    band_ = band;
    update();
}

QRect ZoomBandShape::shownRect() const {
    // Cut to just beyond the box in 64 bits, so that the border of a band
    // reaching past an edge stays out of sight and every number fits an int.
    const auto cut = [](std::int64_t v, int size) {
        return static_cast<int>(std::clamp<std::int64_t>(v, -borderWidth, std::int64_t{size} + borderWidth));
    };
    const std::int64_t right = std::int64_t{band_.left} + std::max<std::int64_t>(band_.width, 1);
    const std::int64_t bottom = std::int64_t{band_.top} + std::max<std::int64_t>(band_.height, 1);
    const QRect r(QPoint(cut(band_.left, width()), cut(band_.top, height())),
                  QPoint(cut(right, width()) - 1, cut(bottom, height()) - 1));
    return r.intersects(rect()) ? r : QRect();
}

void ZoomBandShape::paintEvent(QPaintEvent*) {
    const QRect r = shownRect();
    if (r.isEmpty()) return;
    QPainter p(this);
    QColor fill = fillColour;
    fill.setAlpha(fillAlpha);
    const QRect inside = r.adjusted(borderWidth, borderWidth, -borderWidth, -borderWidth);
    if (inside.isValid()) p.fillRect(inside, fill);
    p.setClipRegion(QRegion(r).subtracted(QRegion(inside.isValid() ? inside : QRect())));
    p.fillRect(r, borderColour);
}

} // namespace meter

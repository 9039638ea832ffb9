// The zoom band Shape1: a rectangle lying on the graph's plot box, drawn over
// the plot without taking the box's mouse events. Its rectangle is kept in
// the box's pixels as the band procedures set it, anywhere, also far outside
// the box; what shows is the part that lies within the box.
//
// Its look, from the three settings stored for it: a border 2 pixels wide
// (the value 2) in dark red (192, 0, 0), drawn inside the rectangle, around a
// fill in red (255, 0, 0), laid on thinly so that the plot shows through.
#pragma once

#include "core/zoom_band.h"

#include <QColor>
#include <QWidget>

namespace meter {

class ZoomBandShape : public QWidget {
public:
    static constexpr QColor borderColour{192, 0, 0};
    static constexpr QColor fillColour{255, 0, 0};
    static constexpr int borderWidth = 2;
    static constexpr int fillAlpha = 48; // of 255

    // Covers the whole of `box`, stored hidden, at its design rectangle.
    explicit ZoomBandShape(QWidget* box, const ZoomBand& design);

    // The band's Left, Top, Width and Height.
    void setBand(const ZoomBand& band);
    const ZoomBand& band() const { return band_; }

    // The part of the band that can show, in the box's pixels (a band of
    // width or height 0 still shows one pixel wide); empty when it lies outside.
    QRect shownRect() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    ZoomBand band_;
};

} // namespace meter

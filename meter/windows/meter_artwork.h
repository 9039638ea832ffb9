// The front of the meter, drawn: body, display window and the seven keys.
// Used as the readout panel's background and by the offline overlay.
#pragma once

#include <QPixmap>
#include <QRect>

#include <array>

class QPainter;

namespace meter {

enum class MeterFront {
    Readout,      // empty display window, filled by the panel's labels
    NoConnection, // "No Connection" in red in the display window
};

inline constexpr int meterFrontWidth = 195;
inline constexpr int meterFrontHeight = 480;

// The display window's glass, in pixels of the picture; the panel's display
// box lies inside it.
inline constexpr QRect meterDisplayGlass{28, 60, 141, 176};

// A pictured key: its place in pixels and its one or two printed lines.
struct MeterKeyPicture {
    QRect rect;
    const char* upper;
    const char* lower; // nullptr for a one-line key
};

// SET, MEAN, HOLD/ZERO; MAX/MIN, FLOW/TEMP, ENTER; power.
const std::array<MeterKeyPicture, 7>& meterKeyPictures();

void paintMeterFront(QPainter& p, MeterFront kind);

// 195 x 480 picture of the front.
QPixmap meterFrontPixmap(MeterFront kind);

} // namespace meter

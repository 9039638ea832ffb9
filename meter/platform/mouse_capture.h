// Mouse capture of a window: while captured, every mouse event goes to it,
// also when the pointer is outside.
#pragma once

class QWidget;

namespace meter {

// Captures the mouse to w (takes it from whoever holds it).
void setCapture(QWidget* w);

// Releases the capture, whoever holds it; nothing when nobody does.
void releaseCapture();

} // namespace meter

// The pointing-hand mouse pointer shown over the meter's keys and picture
// buttons: 32 x 32, hot spot at the tip of the index finger (12, 1).
#pragma once

#include <QCursor>
#include <QPixmap>

namespace meter {

// The hand's picture (transparent around it).
QPixmap handCursorPixmap();

QCursor handCursor();

} // namespace meter

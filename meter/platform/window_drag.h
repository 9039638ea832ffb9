// Moving a caption-less window with the mouse, as if its caption had been
// pressed: the window manager follows the pointer until the button is released.
#pragma once

class QWidget;

namespace meter {

// Starts the move of topLevel's window. Does nothing when the widget has no
// native window yet or the platform refuses (offscreen, some Wayland setups).
void startWindowDrag(QWidget* topLevel);

} // namespace meter

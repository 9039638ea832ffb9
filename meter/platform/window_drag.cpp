#include "platform/window_drag.h"

#include <QWidget>
#include <QWindow>

namespace meter {

void startWindowDrag(QWidget* topLevel) {
    if (!topLevel) return;
    QWidget* w = topLevel->window();
    QWindow* handle = w ? w->windowHandle() : nullptr;
    if (!handle) return;
    handle->startSystemMove(); // false when the platform cannot; nothing to do then
}

} // namespace meter

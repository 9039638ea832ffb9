// Mouse input for the window tests, sent straight to the widgets (the
// offscreen platform has no real pointer).
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace testsupport {

// While it lives, the warning that the offscreen platform gives on every mouse
// grab is kept quiet: it cannot grab the mouse for real, and the widget-level
// capture that the hover rule relies on works all the same.
class QuietMouseGrabWarnings {
public:
    QuietMouseGrabWarnings() { previous() = qInstallMessageHandler(&handle); }
    ~QuietMouseGrabWarnings() { qInstallMessageHandler(previous()); }
    QuietMouseGrabWarnings(const QuietMouseGrabWarnings&) = delete;
    QuietMouseGrabWarnings& operator=(const QuietMouseGrabWarnings&) = delete;

private:
    static QtMessageHandler& previous() {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (text.contains(QLatin1String("does not support grabbing the mouse"))) return;
        if (previous()) previous()(type, context, text);
    }
};

// One mouse event at a point of `w`. A press holds `button`; a release or a
// move holds none.
inline void sendMouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A press and release of `button` at a point of `w`.
inline void clickOn(QWidget* w, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
    sendMouse(w, QEvent::MouseButtonPress, at, button);
    sendMouse(w, QEvent::MouseButtonRelease, at, button);
}

// The widget that a press at a point of the window `top` goes to: the child
// lying there (labels and key areas included), or `top` itself.
inline QWidget* widgetAt(QWidget& top, QPoint p) {
    QWidget* child = top.childAt(p);
    return child ? child : &top;
}

// A press (and release, for a click) at a point of `top`, delivered to the
// widget lying there.
inline void pressAt(QWidget& top, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* target = widgetAt(top, p);
    sendMouse(target, QEvent::MouseButtonPress, target->mapFrom(&top, QPointF(p)), button);
}
inline void clickAt(QWidget& top, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QWidget* target = widgetAt(top, p);
    clickOn(target, target->mapFrom(&top, QPointF(p)), button);
}

} // namespace testsupport

// Mouse input for the window tests, sent straight to the widgets (the
// offscreen platform has no real pointer).
#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <ostream>

// Points in test failures as (x, y); found by argument-dependent look-up, so
// in QPoint's own (the global) namespace.
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << '(' << p.x() << ", " << p.y() << ')'; }

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

// A hand on the mouse: events at points of the screen, each holding the
// buttons pressed and not yet released, all sent to one widget (as to the one
// a press went to, which gets every event while a button is down). The local
// position of each event is taken where the widget is at that moment.
class Hand {
public:
    explicit Hand(QWidget* w, Qt::KeyboardModifiers modifiers = Qt::NoModifier) : w_(w), modifiers_(modifiers) {}

    void press(QPoint global, Qt::MouseButton button) {
        held_ |= button;
        send(QEvent::MouseButtonPress, global, button);
    }
    void move(QPoint global) { send(QEvent::MouseMove, global, Qt::NoButton); }
    void release(QPoint global, Qt::MouseButton button) {
        held_ &= ~Qt::MouseButtons(button);
        send(QEvent::MouseButtonRelease, global, button);
    }

private:
    void send(QEvent::Type type, QPoint global, Qt::MouseButton button) {
        QMouseEvent e(type, w_->mapFromGlobal(QPointF(global)), QPointF(global), button, held_, modifiers_);
        QApplication::sendEvent(w_, &e);
    }

    QWidget* w_;
    Qt::KeyboardModifiers modifiers_;
    Qt::MouseButtons held_;
};

// Dragging from a point of `w` with `button`: the press there, moves with the
// button held by half of `travel` on the screen and then all of it, and the
// release at the end.
inline void dragOn(QWidget* w, QPoint at, QPoint travel, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPoint from = w->mapToGlobal(at);
    Hand hand(w, modifiers);
    hand.press(from, button);
    hand.move(from + travel / 2);
    hand.move(from + travel);
    hand.release(from + travel, button);
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

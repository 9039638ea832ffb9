#include "common/window_drag.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

namespace common {

bool startSystemMove(QWindow* window) {
    if (!window || !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return false;
    return window->startSystemMove();
}

WindowDrag::WindowDrag(QWidget* background, QWidget* target, SystemMove systemMove)
    : QObject(background), background_(background), target_(target), systemMove_(std::move(systemMove)) {
    if (background_) background_->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    if (watched != background_) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: // the second press of a double click
        event->accept();
        press(*static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        if (state_ == State::Idle) return false;
        event->accept();
        follow(*static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        if (state_ == State::Idle) return false;
        event->accept();
        release(*static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::Hide: finish(); return false;
    default: return false;
    }
}

void WindowDrag::press(const QMouseEvent& e) {
    // While one button leads a drag, pressing another changes nothing. A press
    // of the leading button itself, or one while it is no longer held, shows
    // that its release went elsewhere: a new drag begins.
    if (state_ != State::Idle && e.button() != button_ && (e.buttons() & button_)) return;
    finish();

    // The hover rule of picture buttons may hold the mouse capture: it goes first.
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();

    window_ = (target_ ? target_.data() : background_)->window();
    button_ = e.button();
    pressedAt_ = e.globalPosition().toPoint();
    windowAt_ = window_->pos();
    state_ = State::Pressed;
    // Moves without a button held reach a widget only while it tracks the
    // mouse; one of them is how a release that went elsewhere shows here.
    hadTracking_ = background_->hasMouseTracking();
    background_->setMouseTracking(true);
}

void WindowDrag::follow(const QMouseEvent& e) {
    // A move without the leading button held: its release was not seen here
    // (taken by another window, or lost); the drag is over all the same.
    if (!(e.buttons() & button_) || !window_) {
        finish();
        return;
    }
    const QPoint travel = e.globalPosition().toPoint() - pressedAt_;
    if (state_ == State::Pressed) {
        if (travel.manhattanLength() < QApplication::startDragDistance()) return;
        // The window system's move knows the left button only and ends at its
        // release, which it keeps for itself: nothing more to do here then.
        if (button_ == Qt::LeftButton && systemMove_ && window_->windowHandle() &&
            systemMove_(window_->windowHandle())) {
            finish();
            return;
        }
        // Moved here: every mouse event comes to the background until the
        // release, and the window catches up with the travel so far.
        state_ = State::Moving;
        background_->grabMouse();
    }
    window_->move(windowAt_ + travel);
}

void WindowDrag::release(const QMouseEvent& e) {
    if (e.button() != button_) return; // another button: the leading one is still held
    if (state_ == State::Moving && window_) window_->move(windowAt_ + (e.globalPosition().toPoint() - pressedAt_));
    finish();
}

void WindowDrag::finish() {
    if (state_ == State::Idle) return;
    if (state_ == State::Moving && QWidget::mouseGrabber() == background_) background_->releaseMouse();
    background_->setMouseTracking(hadTracking_);
    state_ = State::Idle;
    button_ = Qt::NoButton;
    window_.clear();
}

} // namespace common

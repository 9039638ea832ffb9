// Dragging a caption-less window by its background, as a caption is dragged:
// a press of a mouse button on the background, then moving the pointer with
// that button held, moves the window by the pointer's travel until that
// button is released. A click without movement moves nothing.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <functional>

class QMouseEvent;
class QWindow;

namespace common {

// The window system's own move of a window with the mouse (as by its caption),
// asked for only where a program cannot place its windows itself (Wayland):
// the window then follows the pointer until the left button is released.
// Elsewhere, and where the platform cannot, false: the program moves the
// window itself. (A window manager anchors its move at the pointer's position
// when asked; asked once the pointer has gone the start-drag distance, it
// would leave the window that far behind the pointer. Moved by the program
// the window keeps the pressed point under the pointer.)
bool startSystemMove(QWindow* window);

class WindowDrag : public QObject {
    Q_OBJECT
public:
    // Asks the window system to carry out a move of the left button; false
    // when it does not, and the move is then carried out here.
    using SystemMove = std::function<bool(QWindow*)>;

    // Presses on `background` itself (and those its controls pass on to it)
    // drag the window that `target` belongs to; without a target, the window
    // of `background`. Installed on `background`, which owns it. Without a
    // system move every drag is carried out here.
    explicit WindowDrag(QWidget* background, QWidget* target = nullptr, SystemMove systemMove = startSystemMove);

    // True while a drag is carried out here: the button held and the pointer
    // moved past the start-drag distance (a drag handed to the window system
    // is its own).
    bool dragging() const { return state_ == State::Moving; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class State { Idle, Pressed, Moving };

    void press(const QMouseEvent& e);
    void follow(const QMouseEvent& e);
    void release(const QMouseEvent& e);
    void finish();

    QWidget* background_;
    QPointer<QWidget> target_;
    SystemMove systemMove_;

    State state_ = State::Idle;
    Qt::MouseButton button_ = Qt::NoButton; // the button that leads the drag
    QPoint pressedAt_;                      // the pointer on the screen at the press
    QPoint windowAt_;                       // the window's position at the press
    QPointer<QWidget> window_;              // the window being moved
    bool hadTracking_ = false;              // the background's mouse tracking before the press
};

} // namespace common

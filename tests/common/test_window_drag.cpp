// Dragging a caption-less window by its background, driven with mouse events
// at points of the screen (the offscreen platform has no real pointer).
#include "common/window_drag.h"

#include "mouse_input.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QWindow>

#include <memory>
#include <vector>

using testsupport::Hand;

namespace {

const Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

// A caption-less window with a strip across its top whose background drags
// the window (as the tool strip drags the main window), and a control on it.
struct DragTest : ::testing::Test {
    testsupport::QuietMouseGrabWarnings quiet;
    QWidget window{nullptr, Qt::Window | Qt::FramelessWindowHint};
    QWidget* strip = new QWidget(&window);
    QPushButton* control = new QPushButton(QStringLiteral("control"), strip);
    std::vector<QWindow*> asked; // the window system's moves asked for
    bool systemTakes = false;    // whether the window system carries them out
    common::WindowDrag* drag = new common::WindowDrag(strip, &window, [this](QWindow* w) {
        asked.push_back(w);
        return systemTakes;
    });
    QPoint start{100, 80};

    void SetUp() override {
        // As on the program's windows, a control keeps every press to itself.
        control->setAttribute(Qt::WA_NoMousePropagation);
        window.setGeometry(start.x(), start.y(), 400, 300);
        strip->setGeometry(0, 0, 400, 60);
        control->setGeometry(300, 10, 80, 30);
        window.show();
        start = window.pos();
    }
    void TearDown() override {
        if (QWidget* g = QWidget::mouseGrabber()) g->releaseMouse();
    }

    QPoint on(QPoint atStrip) const { return strip->mapToGlobal(atStrip); }
    QPoint moved() const { return window.pos() - start; }
};

} // namespace

TEST_F(DragTest, AClickOrAJitterMovesNothing) {
    const int distance = QApplication::startDragDistance();
    const QPoint jitter(distance / 2, distance - distance / 2 - 1); // just short of the start distance
    for (Qt::MouseButton b : kButtons) {
        SCOPED_TRACE(b);
        Hand hand(strip);
        const QPoint at = on({40, 30});
        hand.press(at, b);
        hand.release(at, b);
        hand.press(at, b);
        hand.move(at + jitter);
        hand.release(at + jitter, b);
        // A double click: press, release, press, the double click, release.
        hand.press(at, b);
        hand.release(at, b);
        hand.press(at, b);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, strip->mapFromGlobal(QPointF(at)), QPointF(at), b, b,
                        Qt::NoModifier);
        QApplication::sendEvent(strip, &dbl);
        hand.release(at, b);
        // Moving on afterwards, no button held, moves nothing either.
        hand.move(at + QPoint(60, 40));
        hand.move(at + QPoint(-90, 120));
        EXPECT_EQ(moved(), QPoint(0, 0));
        EXPECT_FALSE(drag->dragging());
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    }
    EXPECT_TRUE(asked.empty());
}

TEST_F(DragTest, TheWindowFollowsTheTravelWhileTheButtonIsHeldAndStopsAtItsRelease) {
    const int distance = QApplication::startDragDistance();
    for (Qt::MouseButton b : kButtons) {
        SCOPED_TRACE(b);
        start = window.pos();
        Hand hand(strip);
        const QPoint from = on({40, 30});
        hand.press(from, b);
        hand.move(from + QPoint(distance - 1, 0));
        EXPECT_EQ(moved(), QPoint(0, 0));
        hand.move(from + QPoint(0, distance)); // the start distance itself starts the drag
        EXPECT_EQ(moved(), QPoint(0, distance));
        EXPECT_TRUE(drag->dragging());
        EXPECT_EQ(QWidget::mouseGrabber(), strip);
        hand.move(from + QPoint(30, 20));
        EXPECT_EQ(moved(), QPoint(30, 20));
        hand.move(from + QPoint(-50, 70));
        EXPECT_EQ(moved(), QPoint(-50, 70));
        hand.release(from + QPoint(-52, 75), b); // where it is let go counts
        EXPECT_EQ(moved(), QPoint(-52, 75));
        EXPECT_FALSE(drag->dragging());
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
        hand.move(from + QPoint(200, 100));
        EXPECT_EQ(moved(), QPoint(-52, 75));
        // The next drag starts from where this one left the window.
        testsupport::dragOn(strip, {40, 30}, {60, 40}, b);
        EXPECT_EQ(moved(), QPoint(8, 115));
    }
}

TEST_F(DragTest, TheWindowOfItsOwnBackground) {
    // A window dragged by its own background, as the dialogs are.
    QWidget dialog(nullptr, Qt::Window | Qt::FramelessWindowHint);
    dialog.setGeometry(300, 200, 200, 100);
    new common::WindowDrag(&dialog);
    dialog.show();
    const QPoint before = dialog.pos();
    testsupport::dragOn(&dialog, {10, 10}, {-25, 35}, Qt::RightButton);
    EXPECT_EQ(dialog.pos(), before + QPoint(-25, 35));
    EXPECT_EQ(moved(), QPoint(0, 0));
}

TEST_F(DragTest, OnlyTheLeadingButtonEndsTheDrag) {
    Hand hand(strip);
    const QPoint from = on({40, 30});
    hand.press(from, Qt::LeftButton);
    hand.move(from + QPoint(20, 0));
    hand.press(from + QPoint(20, 0), Qt::RightButton);
    hand.move(from + QPoint(40, 0));
    hand.release(from + QPoint(40, 0), Qt::RightButton);
    hand.move(from + QPoint(60, 10));
    EXPECT_EQ(moved(), QPoint(60, 10));
    EXPECT_TRUE(drag->dragging());
    hand.release(from + QPoint(60, 10), Qt::LeftButton);
    hand.move(from + QPoint(0, 0));
    EXPECT_EQ(moved(), QPoint(60, 10));
    EXPECT_FALSE(drag->dragging());
}

TEST_F(DragTest, ADragWhoseReleaseWentElsewhereIsOver) {
    Hand hand(strip);
    const QPoint from = on({40, 30});
    hand.press(from, Qt::MiddleButton);
    hand.move(from + QPoint(30, 30));
    ASSERT_TRUE(drag->dragging());
    // The release went to another window; the next move holds no button.
    Hand elsewhere(control);
    elsewhere.release(from + QPoint(30, 30), Qt::MiddleButton);
    Hand(strip).move(from + QPoint(90, 90));
    EXPECT_EQ(moved(), QPoint(30, 30));
    EXPECT_FALSE(drag->dragging());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_FALSE(strip->hasMouseTracking()); // as it was before the press

    // A press whose release was lost, then a new press: the new one leads.
    Hand second(strip);
    second.press(from, Qt::LeftButton);
    Hand third(strip);
    const QPoint again = on({100, 20});
    third.press(again, Qt::LeftButton);
    third.move(again + QPoint(0, 40));
    EXPECT_EQ(moved(), QPoint(30, 70));
    third.release(again + QPoint(0, 40), Qt::LeftButton);

    // Hiding the window ends a drag and lets go of the mouse.
    hand = Hand(strip);
    hand.press(again, Qt::RightButton);
    hand.move(again + QPoint(20, 0));
    ASSERT_EQ(QWidget::mouseGrabber(), strip);
    window.hide();
    EXPECT_FALSE(drag->dragging());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(DragTest, PressesOnAControlAndTheCaptureOfAnother) {
    // The control takes its own presses: no drag.
    testsupport::dragOn(control, {10, 10}, {60, 40});
    testsupport::dragOn(control, {10, 10}, {60, 40}, Qt::RightButton);
    EXPECT_EQ(moved(), QPoint(0, 0));

    // A press on the background lets go of a capture that another holds (a
    // hovered picture button), even when it goes no further.
    QWidget other(&window);
    other.show();
    other.grabMouse();
    Hand hand(strip);
    hand.press(on({40, 30}), Qt::LeftButton);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    hand.release(on({40, 30}), Qt::LeftButton);
    EXPECT_EQ(moved(), QPoint(0, 0));
}

TEST_F(DragTest, TheWindowSystemsMoveIsAskedForOnlyForALeftDragPastTheStartDistance) {
    const int distance = QApplication::startDragDistance();
    systemTakes = true;
    Hand hand(strip);
    const QPoint from = on({40, 30});
    hand.press(from, Qt::LeftButton);
    hand.release(from, Qt::LeftButton);
    hand.press(from, Qt::LeftButton);
    hand.move(from + QPoint(distance - 1, 0));
    EXPECT_TRUE(asked.empty());
    hand.move(from + QPoint(distance + 5, 0));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], window.windowHandle());
    // The window system carries the move on; the program neither moves the
    // window nor holds the mouse.
    EXPECT_EQ(moved(), QPoint(0, 0));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_FALSE(drag->dragging());
    hand.move(from + QPoint(60, 40));
    hand.release(from + QPoint(60, 40), Qt::LeftButton);
    EXPECT_EQ(moved(), QPoint(0, 0));
    EXPECT_EQ(asked.size(), 1u);

    // The other buttons are never handed to it.
    testsupport::dragOn(strip, {40, 30}, {60, 40}, Qt::RightButton);
    testsupport::dragOn(strip, {40, 30}, {-30, 20}, Qt::MiddleButton);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(moved(), QPoint(30, 60));

    // Where it does not take the move, the program moves the window itself.
    systemTakes = false;
    testsupport::dragOn(strip, {40, 30}, {-20, -50});
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(moved(), QPoint(10, 10));
}

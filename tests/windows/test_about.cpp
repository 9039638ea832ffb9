// The About window: one instance, fixed layout, closed by any mouse press.
#include "windows/frmabout.h"

#include "fake_env.h"
#include "mouse_input.h"
#include "png_files.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QTimer>

namespace {

// A press at a point of the window, delivered to whatever lies there.
void press(QWidget* w, Qt::MouseButton button, QPoint at = QPoint(10, 80)) { testsupport::pressAt(*w, at, button); }

void settle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

int aboutWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<meter::FrmAbout*>(w) && w->isVisible()) ++n;
    return n;
}

TEST(AboutWindow, LayoutAndPicture) {
    meter::FrmAbout about;
    about.show();
    settle();
    EXPECT_EQ(about.windowTitle(), "About AV-62 ");
    EXPECT_EQ(about.size(), QSize(296, 101));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_FALSE(about.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(about.Label1->text(), "Hot wire anemometer");
    EXPECT_EQ(about.Label1->geometry(), QRect(64, 16, 193, 33));
    EXPECT_EQ(about.Label4->text(), "AV-62 V1.1");
    EXPECT_EQ(about.Label4->geometry(), QRect(64, 48, 193, 33));
    EXPECT_EQ(about.Label1->font().pixelSize(), 19);
    // The face used in place of a missing Tahoma still fits the label.
    for (QLabel* l : {about.Label1, about.Label4})
        EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()), l->width()) << l->text().toStdString();
    EXPECT_FALSE(about.Label2->isVisible());
    EXPECT_FALSE(about.Label3->isVisible());
    EXPECT_FALSE(about.rect().intersects(about.Label2->geometry()));
    EXPECT_FALSE(about.rect().intersects(about.Label3->geometry()));

    const QImage img = about.grab().toImage();
    testsupport::savePng(img, "frmabout.png");
    // Light grey background, black text in the label area.
    EXPECT_EQ(QColor(img.pixel(5, 5)), QColor(0xD4, 0xD0, 0xC8));
    bool dark = false;
    for (int y = 16; y < 49 && !dark; ++y)
        for (int x = 64; x < 257 && !dark; ++x) dark = qGray(img.pixel(x, y)) < 60;
    EXPECT_TRUE(dark);
}

TEST(AboutWindow, InfoTwiceIsOneWindowAndAnyButtonClosesIt) {
    testsupport::RecordingBoxes boxes;
    meter::AboutController c(boxes);
    c.help();
    meter::FrmAbout* first = c.window();
    ASSERT_NE(first, nullptr);
    c.help();
    EXPECT_EQ(c.window(), first);
    EXPECT_EQ(aboutWindows(), 1);

    press(first, Qt::RightButton);
    settle();
    EXPECT_EQ(c.window(), nullptr);
    EXPECT_EQ(aboutWindows(), 0);

    // Built afresh; a middle-button press on the surface closes it too.
    c.help();
    ASSERT_NE(c.window(), nullptr);
    EXPECT_TRUE(c.window()->isVisible());
    press(c.window(), Qt::MiddleButton, QPoint(280, 90));
    settle();
    EXPECT_EQ(c.window(), nullptr);
    EXPECT_TRUE(boxes.shown.empty());
}

// The labels take their own presses and have no handler: only the window's
// own surface closes it.
TEST(AboutWindow, APressOnALabelLeavesItOpen) {
    testsupport::RecordingBoxes boxes;
    meter::AboutController c(boxes);
    c.help();
    meter::FrmAbout* about = c.window();
    ASSERT_NE(about, nullptr);
    for (QLabel* label : {about->Label1, about->Label4}) {
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            const QPoint at = label->geometry().topLeft() + QPoint(10, 10);
            EXPECT_EQ(testsupport::widgetAt(*about, at), label);
            press(about, button, at);
            settle();
            ASSERT_EQ(c.window(), about) << label->text().toStdString();
        }
    }
    ASSERT_TRUE(about->isVisible());
    press(about, Qt::LeftButton, QPoint(10, 80)); // below the labels
    settle();
    EXPECT_EQ(c.window(), nullptr);
}

TEST(AboutWindow, MenuItems) {
    testsupport::RecordingBoxes boxes;
    meter::AboutController c(boxes);
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        QWidget* m = QApplication::activeModalWidget();
        wasModal = qobject_cast<meter::FrmAbout*>(m) != nullptr;
        if (m) press(m, Qt::LeftButton);
    });
    c.capAbout(); // returns once closed
    EXPECT_TRUE(wasModal);
    settle();
    EXPECT_EQ(c.window(), nullptr);

    c.capContents();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "contents");
    EXPECT_EQ(boxes.shown[0].title, "Meter");
}

} // namespace

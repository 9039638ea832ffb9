#include "platform/message_boxes.h"

#include "qstring_print.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace meter;

namespace {

struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Information;
    bool pixmap = true;
    QMessageBox::StandardButtons buttons;
};

// Shows a box, notes what it shows and presses `press`.
MessageBoxes::Answer showAndPress(MessageBoxes::Buttons buttons, QMessageBox::StandardButton press, Seen& seen) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(), !box->iconPixmap().isNull(), box->standardButtons()};
        box->button(press)->click();
    });
    QtMessageBoxes boxes;
    return boxes.show(QStringLiteral("Save file error!"), QStringLiteral("meter"), buttons);
}

} // namespace

TEST(QtMessageBoxes, OkBoxShowsTextTitleAndOkWithoutIcon) {
    Seen seen;
    EXPECT_EQ(showAndPress(MessageBoxes::Buttons::Ok, QMessageBox::Ok, seen), MessageBoxes::Answer::Ok);
    EXPECT_EQ(seen.title, "meter");
    EXPECT_EQ(seen.text, "Save file error!");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_FALSE(seen.pixmap);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST(QtMessageBoxes, QuestionHasYesAndNo) {
    Seen seen;
    EXPECT_EQ(showAndPress(MessageBoxes::Buttons::YesNo, QMessageBox::Yes, seen), MessageBoxes::Answer::Yes);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(showAndPress(MessageBoxes::Buttons::YesNo, QMessageBox::No, seen), MessageBoxes::Answer::No);
}

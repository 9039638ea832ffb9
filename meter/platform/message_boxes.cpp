#include "message_boxes.h"

#include <QMessageBox>

namespace meter {

MessageBoxes::Answer QtMessageBoxes::show(const QString& text, const QString& title, Buttons buttons) {
    // Text, title and buttons only: no icon.
    const bool ok = buttons == Buttons::Ok;
    QMessageBox box(QMessageBox::NoIcon, title, text, ok ? QMessageBox::Ok : QMessageBox::Yes | QMessageBox::No,
                    parent_);
    const int pressed = box.exec();
    if (ok) return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace meter

#include "message_boxes.h"

#include <QMessageBox>

namespace meter {

MessageBoxes::Answer QtMessageBoxes::show(const QString& text, const QString& title, Buttons buttons) {
    if (buttons == Buttons::Ok) {
        QMessageBox::information(parent_, title, text, QMessageBox::Ok);
        return Answer::Ok;
    }
    const auto r = QMessageBox::question(parent_, title, text, QMessageBox::Yes | QMessageBox::No);
    return r == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

} // namespace meter

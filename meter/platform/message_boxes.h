// Modal message boxes, handed in so that tests can read what the user is told.
#pragma once

#include <QString>

class QWidget;

namespace meter {

// The titles of the program's boxes: its name, which the boxes of its own
// messages bear, and its title, which a box shown without a title of its own
// bears (and the application is named by).
inline const QString programName = QStringLiteral("meter");
inline const QString programTitle = QStringLiteral("Meter");

class MessageBoxes {
public:
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~MessageBoxes() = default;
    // Shows the box modally and returns the button pressed.
    virtual Answer show(const QString& text, const QString& title, Buttons buttons = Buttons::Ok) = 0;
};

// The real boxes, over QMessageBox.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    Answer show(const QString& text, const QString& title, Buttons buttons) override;

private:
    QWidget* parent_;
};

} // namespace meter

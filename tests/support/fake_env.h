// Fake surroundings for the main window: a sysfs tree, recorded message boxes,
// a fixed clock.
#pragma once

#include "platform/message_boxes.h"
#include "core/regional.h"

#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <vector>

namespace testsupport {

class RecordingBoxes : public meter::MessageBoxes {
public:
    struct Shown {
        QString text, title;
        Buttons buttons;
    };
    std::vector<Shown> shown;
    Answer answer = Answer::No;
    Answer show(const QString& text, const QString& title, Buttons buttons) override {
        shown.push_back({text, title, buttons});
        return buttons == Buttons::Ok ? Answer::Ok : answer;
    }
};

// <root>/class/tty/<name>/device/driver -> .../drivers/<driver>
class FakeSysfs {
public:
    FakeSysfs();
    std::filesystem::path root() const;
    void addTty(const std::string& name, const std::string& driver);
    void makeUnreadable(); // removes class/tty altogether

private:
    QTemporaryDir dir_;
};

meter::LocalDateTime fixedTime();
// The same day in a short-date form: "10.12.26".
QString fixedShortDate();

} // namespace testsupport

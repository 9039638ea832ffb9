// What the launcher needs from the outside world, handed in so tests can watch it.
#pragma once

#include <QString>

#include <functional>

class QWidget;
class QWindow;

namespace installer {

// The title of every message box the launcher shows.
inline constexpr const char* kLauncherTitle = "INSTALLER";

struct LauncherServices {
    // Starts the program at the path without waiting for it; false when the system refuses.
    std::function<bool(const QString& path)> startProgram;
    // Shows a modal message box over the parent window, with an OK button only.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> showMessage;
    // Asks the window system to move the window with the mouse until the left button is released;
    // false when it cannot, and the launcher then moves the window itself. Unset: always itself.
    std::function<bool(QWindow* window)> moveWindow;
};

// The real ones: QProcess::startDetached, QMessageBox, and the window system's move where a program
// cannot place its windows itself (common::startSystemMove).
LauncherServices realLauncherServices();

bool startDetachedProgram(const QString& path);
void showOkMessage(QWidget* parent, const QString& title, const QString& text);

} // namespace installer

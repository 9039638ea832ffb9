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
    // Asks the window system to move the window with the mouse until the button is released.
    std::function<void(QWindow* window)> moveWindow;
};

// The real ones: QProcess::startDetached, QMessageBox, QWindow::startSystemMove.
LauncherServices realLauncherServices();

bool startDetachedProgram(const QString& path);
void showOkMessage(QWidget* parent, const QString& title, const QString& text);
void startSystemMove(QWindow* window);

} // namespace installer

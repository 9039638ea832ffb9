#include "launcher_services.h"

#include <QMessageBox>
#include <QProcess>
#include <QWidget>
#include <QWindow>

namespace installer {

bool startDetachedProgram(const QString& path) {
    // Started as a program of its own, no command line and no wait; it outlives the launcher.
    return QProcess::startDetached(path, QStringList{});
}

void showOkMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void startSystemMove(QWindow* window) {
    if (window != nullptr)
        window->startSystemMove();
}

LauncherServices realLauncherServices() {
    LauncherServices services;
    services.startProgram = &startDetachedProgram;
    services.showMessage = &showOkMessage;
    services.moveWindow = &startSystemMove;
    return services;
}

} // namespace installer

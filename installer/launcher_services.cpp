#include "launcher_services.h"

#include "common/window_drag.h"

#include <QMessageBox>
#include <QProcess>
#include <QWidget>

namespace installer {

bool startDetachedProgram(const QString& path) {
    // Started as a program of its own, no command line and no wait; it outlives the launcher.
    return QProcess::startDetached(path, QStringList{});
}

void showOkMessage(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

LauncherServices realLauncherServices() {
    LauncherServices services;
    services.startProgram = &startDetachedProgram;
    services.showMessage = &showOkMessage;
    services.moveWindow = &common::startSystemMove;
    return services;
}

} // namespace installer

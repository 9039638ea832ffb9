// INSTALLER: the launcher of the installation medium.
#include "form1.h"
#include "launcher_services.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("INSTALLER"));
    installer::Form1 form(QCoreApplication::applicationDirPath(), installer::realLauncherServices());
    form.show();
    return app.exec();
}

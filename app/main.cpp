// meter: the desktop companion of the hot-wire anemometer.
#include "platform/message_boxes.h"
#include "platform/regional_settings.h"
#include "platform/wine_fonts.h"
#include "windows/mainform.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(meter::programTitle);
    meter::addWineFonts();

    meter::QtMessageBoxes boxes;
    meter::Environment env;
    env.boxes = &boxes;
    env.clock = meter::systemClock;
    env.shortDate = meter::systemShortDate;
    env.regional = meter::systemRegionalSettings();
    env.chooser = meter::qtFileChooser(nullptr);

    meter::MainForm mainform(std::move(env));
    if (!mainform.MDIForm_Load()) return 0;
    return app.exec();
}

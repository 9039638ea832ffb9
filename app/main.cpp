// meter: the desktop companion of the hot-wire anemometer.
#include "windows/mainform.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>

namespace {

meter::Regional systemRegional() {
    meter::Regional r;
    const QLocale loc = QLocale::system();
    const QString dec = loc.decimalPoint();
    r.decimalSeparator = dec.size() == 1 && dec[0].unicode() < 0x80 ? dec[0].toLatin1() : '.';
    // The user's time format, with seconds added where it has none.
    QString pattern = loc.timeFormat(QLocale::ShortFormat);
    if (!pattern.contains('s')) {
        const int m = pattern.lastIndexOf(QStringLiteral("mm"));
        if (m >= 0) pattern.insert(m + 2, QStringLiteral(":ss"));
        else pattern = QStringLiteral("HH:mm:ss");
    }
    pattern.remove(QStringLiteral("t")).replace(QStringLiteral("A"), QStringLiteral("AP"))
        .replace(QStringLiteral("APP"), QStringLiteral("AP"));
    r.timePattern = pattern.trimmed().toStdString();
    return r;
}

meter::LocalDateTime now() {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(), t.date().day(),
            t.time().hour(), t.time().minute(), t.time().second()};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Meter"));

    meter::QtMessageBoxes boxes;
    meter::Environment env;
    env.boxes = &boxes;
    env.clock = now;
    env.shortDate = meter::systemShortDate;
    env.regional = systemRegional();
    env.chooser = meter::qtFileChooser(nullptr);

    meter::MainForm mainform(std::move(env));
    if (!mainform.MDIForm_Load()) return 0;
    return app.exec();
}

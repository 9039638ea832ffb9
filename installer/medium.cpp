#include "medium.h"

#include <QFileInfo>

namespace installer {

QString joinMediumPath(const QString& folder, const QStringList& parts) {
    QString path = folder;
    for (const QString& part : parts) {
        path += QLatin1Char('/');
        path += part;
    }
    return path;
}

QString setupPath(const QString& folder) {
    return joinMediumPath(folder, {QString::fromLatin1(kSoftwareFolder), QString::fromLatin1(kSetupFile)});
}

QString driver32Path(const QString& folder) {
    return joinMediumPath(folder, {QString::fromLatin1(kSoftwareFolder), QString::fromLatin1(kDriverFolder),
                                   QString::fromLatin1(kDriver32File)});
}

QString driver64Path(const QString& folder) {
    return joinMediumPath(folder, {QString::fromLatin1(kSoftwareFolder), QString::fromLatin1(kDriverFolder),
                                   QString::fromLatin1(kDriver64File)});
}

bool isOrdinaryFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

} // namespace installer

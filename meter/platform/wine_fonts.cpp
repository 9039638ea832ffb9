#include "platform/wine_fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

namespace meter {

int addWineFonts(const QString& folder) {
    // Only the twins of the designs' faces: the folder's other faces (a bitmap
    // Courier and System among them) would stand in for names the program
    // resolves elsewhere.
    static const char* const files[] = {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"};
    const QDir dir(folder);
    int added = 0;
    for (const char* file : files) {
        const QString path = dir.filePath(QString::fromLatin1(file));
        if (QFileInfo(path).isFile() && QFontDatabase::addApplicationFont(path) >= 0) ++added;
    }
    return added;
}

} // namespace meter

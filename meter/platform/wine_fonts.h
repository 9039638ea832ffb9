// Wine's metric-compatible Tahoma (regular and bold) and MS Sans Serif. Debian
// ships them (fonts-wine) in a folder of Wine's own that fontconfig does not
// read, so the program adds them by path at start-up; the windows then draw
// these designs' faces at the widths they were laid out for.
#pragma once

#include <QString>

namespace meter {

inline constexpr char wineFontFolder[] = "/usr/share/wine/fonts";

// Adds the faces found in `folder` to the application's fonts, once a
// QGuiApplication exists; a missing folder or file is skipped. Returns the
// number of files added.
int addWineFonts(const QString& folder = QString::fromLatin1(wineFontFolder));

} // namespace meter

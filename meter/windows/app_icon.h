// The program's icon: one drawing at any size. The window icon holds it at
// 16 x 16 and 32 x 32; the icon files of the desktop's menu are drawn from it
// at build time (app/icon_files.cpp).
#pragma once

#include <QIcon>
#include <QImage>

namespace meter {
QImage appIconImage(int size);
QIcon appIcon();
} // namespace meter

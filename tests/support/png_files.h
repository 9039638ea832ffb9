// The pictures the tests leave in METER_PNG_DIR (build/png/) to be looked at:
// the path of one, and saving one there, which fails the test when it cannot.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#ifndef METER_PNG_DIR
#error "METER_PNG_DIR names the folder of the pictures (set in tests/CMakeLists.txt)"
#endif

namespace testsupport {

// The path of the picture `name` in the folder, which is made when missing.
inline QString pngPath(const QString& name) {
    QDir().mkpath(QStringLiteral(METER_PNG_DIR));
    return QStringLiteral(METER_PNG_DIR "/") + name;
}

inline void savePng(const QImage& picture, const QString& name) {
    const QString path = pngPath(name);
    EXPECT_TRUE(picture.save(path)) << "cannot save " << path.toStdString();
}
inline void savePng(const QPixmap& picture, const QString& name) { savePng(picture.toImage(), name); }
// What the widget shows.
inline void savePng(QWidget& widget, const QString& name) { savePng(widget.grab(), name); }

} // namespace testsupport

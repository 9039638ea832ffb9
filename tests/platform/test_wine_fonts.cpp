// Wine's twins of Tahoma and MS Sans Serif, added by path.
#include "platform/wine_fonts.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>

using namespace meter;

TEST(WineFonts, AddsTheTwinsFoundAndSkipsWhatIsMissingOrBroken) {
    const QStringList before = QFontDatabase::families();
    EXPECT_EQ(addWineFonts(QStringLiteral("/nonexistent/wine/fonts")), 0);
    EXPECT_EQ(addWineFonts(QString()), 0);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        QFile broken(dir.filePath(QStringLiteral("tahoma.ttf")));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("not a font");
    }
    EXPECT_EQ(addWineFonts(dir.path()), 0);
    EXPECT_EQ(QFontDatabase::families(), before);

    // The real faces, one of them missing from the folder.
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("tahoma.ttf"))));
    for (const char* file : {"tahomabd.ttf", "ms_sans_serif.ttf"})
        ASSERT_TRUE(QFile::copy(QString::fromLatin1(wineFontFolder) + QLatin1Char('/') + QLatin1String(file),
                                dir.filePath(QLatin1String(file))))
            << file;
    EXPECT_EQ(addWineFonts(dir.path()), 2);
}

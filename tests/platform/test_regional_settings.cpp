// The time of day in the user's locale, checked against Qt's own formatting.
#include "platform/regional_settings.h"

#include "qstring_print.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QTime>

using namespace meter;

namespace {

const QTime kTimes[] = {QTime(0, 0, 0),  QTime(9, 5, 4),  QTime(11, 59, 59),
                        QTime(12, 0, 1), QTime(22, 5, 9), QTime(23, 59, 58)};

TimeOfDay timeOfDayOf(QTime t) {
    return {static_cast<std::uint8_t>(t.hour()), static_cast<std::uint8_t>(t.minute()),
            static_cast<std::uint8_t>(t.second())};
}

QString ours(const TimeFormat& f, QTime t) { return QString::fromStdString(f.text(timeOfDayOf(t))); }

} // namespace

TEST(RegionalSettings, TimeOfDayOfLocales) {
    struct Case {
        const char* locale;
        const char* text;
    }; // at 22:05:09
    const Case cases[] = {
        {"en_US", "10:05:09 PM"},
        {"de_DE", "22:05:09"},
        {"fr_CA", "22 h 05 min 09 s"},
        {"bg_BG", "22:05:09 \xD1\x87."},
        {"dz_BT", "\xE0\xBD\x86\xE0\xBD\xB4\xE0\xBC\x8B\xE0\xBD\x9A\xE0\xBD\xBC\xE0\xBD\x91\xE0\xBC\x8B "
                  "\xE0\xBC\xA1\xE0\xBC\xA0 \xE0\xBD\xA6\xE0\xBE\x90\xE0\xBD\xA2\xE0\xBC\x8B\xE0\xBD\x98\xE0\xBC\x8B "
                  "\xE0\xBC\xA0\xE0\xBC\xA5:\xE0\xBC\xA0\xE0\xBC\xA9 \xE0\xBD\x95\xE0\xBE\xB1\xE0\xBD\xB2\xE0\xBC\x8B"
                  "\xE0\xBD\x86\xE0\xBC\x8B"},
        {"ko_KR", "\xEC\x98\xA4\xED\x9B\x84 10\xEC\x8B\x9C 5\xEB\xB6\x84 9\xEC\xB4\x88"},
        {"zh_CN", "22:05:09"},                                           // the zone stands before the time
        {"fa_IR", "\xDB\xB2\xDB\xB2:\xDB\xB0\xDB\xB5:\xDB\xB0\xDB\xB9"}, // "(zone)" after it, Persian digits
        {"C", "22:05:09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        const QLocale locale(QString::fromLatin1(c.locale));
        const QString pattern = timeOfDayPattern(locale.timeFormat(QLocale::LongFormat));
        const Regional r = regionalSettings(locale);
        EXPECT_EQ(ours(r.timeFormat, QTime(22, 5, 9)), QString::fromUtf8(c.text));
        for (const QTime t : kTimes)
            EXPECT_EQ(ours(r.timeFormat, t), locale.toString(t, pattern)) << t.toString().toStdString();
    }
}

TEST(RegionalSettings, EveryLocaleQtKnows) {
    const QList<QLocale> all =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(all.size(), 500);
    for (const QLocale& locale : all) {
        SCOPED_TRACE(locale.name().toStdString());
        const QString pattern = timeOfDayPattern(locale.timeFormat(QLocale::LongFormat));
        const TimeFormat f = regionalSettings(locale).timeFormat;
        for (const QTime t : kTimes) {
            const QString want = locale.toString(t, pattern);
            ASSERT_EQ(ours(f, t), want) << pattern.toStdString();
            ASSERT_LE(want.toUtf8().size(), static_cast<qsizetype>(f.maxLength()));
            // Nothing of the zone is left at either end.
            for (const QChar c : {want.front(), want.back()})
                ASSERT_FALSE(c.isSpace() || QStringLiteral(",()[]").contains(c)) << want.toStdString();
        }
        EXPECT_TRUE(pattern.contains(u's'));
    }
}

TEST(RegionalSettings, PatternsAsQtReadsThem) {
    const QLocale us("en_US");
    const QLocale greek("el_GR");
    const char* patterns[] = {"hh:mm:ss.zzz", "h:m:s.z",       "h 'o''clock' AP", "hhh:mmm:sss", "'",
                              "''h''",        "h 'open quote", "H:mm:ss a",       "h:mm:ss Ap",  "h:mm:ss aP",
                              "h:mm:ss A",    "d M y h",       "h:mm:ss 'AP'",    "zzzz",        "PA h"};
    for (const char* p : patterns)
        for (const QLocale& locale : {us, greek})
            for (const QTime t : kTimes)
                EXPECT_EQ(ours(timeFormatFor(QString::fromUtf8(p), locale), t),
                          locale.toString(t, QString::fromUtf8(p)))
                    << p << " " << locale.name().toStdString();
}

TEST(RegionalSettings, TimeOfDayPatterns) {
    struct Case {
        const char* format;
        const char* pattern;
    };
    const Case cases[] = {
        {"h:mm:ss AP t", "h:mm:ss AP"},
        {"t HH:mm:ss", "HH:mm:ss"},
        {"HH:mm:ss (t)", "HH:mm:ss"},
        {"APh:mm:ss [t]", "APh:mm:ss"},
        {"h:mm:ss AP, t", "h:mm:ss AP"},
        {"HH t mm:ss", "HH' 'mm:ss"}, // a zone between two fields leaves a blank
        {"H:mm:ss 'ch'. t", "H:mm:ss' ch.'"},
        {"h:mm AP t", "h:mm':'ss AP"}, // no seconds: after the minutes
        {"HH 'h' t", "HH:mm:ss"},      // no minutes either: the default
    };
    for (const Case& c : cases) {
        const QString pattern = timeOfDayPattern(QString::fromUtf8(c.format));
        // Compared as Qt reads them: the same text at every time.
        for (const QTime t : kTimes)
            EXPECT_EQ(QLocale::c().toString(t, pattern), QLocale::c().toString(t, QString::fromUtf8(c.pattern)))
                << c.format << " gave " << pattern.toStdString();
    }
}

TEST(RegionalSettings, DecimalSeparator) {
    EXPECT_EQ(regionalSettings(QLocale("de_DE")).decimalSeparator, ',');
    EXPECT_EQ(regionalSettings(QLocale("en_US")).decimalSeparator, '.');
    EXPECT_EQ(regionalSettings(QLocale("ar_EG")).decimalSeparator, '.'); // not one ASCII character
}

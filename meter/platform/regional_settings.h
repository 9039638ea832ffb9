// The system's regional settings and clock, read through Qt: the decimal
// separator and the time of day format of the user's locale, the local date
// and time, and today's date in the user's short form.
#pragma once

#include "core/regional.h"

#include <QLocale>
#include <QString>

namespace meter {

// The time of day with seconds in a QLocale time format (QTime's pattern
// language): the format without its time zone and the blanks, commas and
// brackets that join the zone to the time. A format without seconds gets
// ":ss" after its minutes.
QString timeOfDayPattern(const QString& timeFormat);

// A pattern in QTime's language taken apart into literal texts and fields,
// with the locale's digits and day-half texts, so that it gives what
// QLocale::toString(QTime, pattern) gives. A time zone, which a time of day
// has not, is left out.
TimeFormat timeFormatFor(const QString& pattern, const QLocale& locale);

// The regional settings of a locale: its decimal separator (where that is one
// ASCII character, else ".") and its long time format as a time of day.
Regional regionalSettings(const QLocale& locale);

// The user's regional settings.
Regional systemRegionalSettings();

// The local date and time now, read anew at each call.
LocalDateTime systemClock();

// Today in the user's short-date form, read anew at each call.
QString systemShortDate();

} // namespace meter

#include "platform/regional_settings.h"

#include <QDateTime>

#include <algorithm>
#include <vector>

namespace meter {

namespace {

// A pattern in QTime's language, taken apart: literal text, or the letters of
// one field ("h", "hh", "H", "HH", "m", "mm", "s", "ss", "z", "zzz", "t",
// "A", "AP", "a", "ap", "Ap", "aP").
struct Token {
    bool field = false;
    QString text;
};

bool isFieldLetter(QChar c) {
    switch (c.unicode()) {
    case u'h':
    case u'H':
    case u'm':
    case u's':
    case u'z':
    case u't':
    case u'a':
    case u'A': return true;
    default: return false;
    }
}

// Read as QLocale reads a format: text between single quotes is literal, ''
// is a quote (inside quoted text too), a quote left open runs to the end; a
// run of one field letter is taken two at a time for hours, minutes and
// seconds, as "zzz" or "z" for milliseconds; "a" or "A" takes a "p" or "P"
// after it; every other character is literal.
std::vector<Token> tokenize(const QString& f) {
    std::vector<Token> out;
    auto addText = [&out](const QString& t) {
        if (t.isEmpty()) return;
        if (!out.empty() && !out.back().field) out.back().text += t;
        else out.push_back({false, t});
    };
    const qsizetype n = f.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = f[i];
        if (c == u'\'') {
            ++i;
            if (i < n && f[i] == u'\'') {
                addText(QStringLiteral("'"));
                ++i;
                continue;
            }
            QString literal;
            while (i < n) {
                if (f[i] != u'\'') {
                    literal += f[i++];
                } else if (i + 1 < n && f[i + 1] == u'\'') {
                    literal += u'\'';
                    i += 2;
                } else {
                    break;
                }
            }
            if (i < n) ++i; // the closing quote
            addText(literal);
            continue;
        }
        if (!isFieldLetter(c)) {
            addText(QString(c));
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < n && f[i + run] == c) ++run;
        qsizetype take = 1;
        switch (c.unicode()) {
        case u'h':
        case u'H':
        case u'm':
        case u's': take = std::min<qsizetype>(run, 2); break;
        case u'z': take = run >= 3 ? 3 : 1; break;
        case u'a':
        case u'A':
            if (i + 1 < n && (f[i + 1] == u'p' || f[i + 1] == u'P')) take = 2;
            break;
        default: break;
        }
        out.push_back({true, f.mid(i, take)});
        i += take;
    }
    return out;
}

QString toPattern(const std::vector<Token>& tokens) {
    QString out;
    for (const Token& t : tokens) {
        if (t.field) {
            out += t.text;
        } else {
            QString quoted = t.text;
            quoted.replace(u'\'', QStringLiteral("''"));
            out += u'\'' + quoted + u'\'';
        }
    }
    return out;
}

bool isZone(const Token& t) { return t.field && t.text == u't'; }
bool isDayHalf(const Token& t) { return t.field && (t.text[0] == u'a' || t.text[0] == u'A'); }

// What joins a time zone to the time: blanks, a comma, brackets.
bool joinsZoneBefore(QChar c) { return c.isSpace() || c == u',' || c == u'(' || c == u'['; }
bool joinsZoneAfter(QChar c) { return c.isSpace() || c == u')' || c == u']'; }

bool isField(const Token& t) { return t.field; }

void removeZones(std::vector<Token>& tokens) {
    for (std::size_t i = 0; i < tokens.size();) {
        if (!isZone(tokens[i])) {
            ++i;
            continue;
        }
        const auto at = tokens.begin() + static_cast<std::ptrdiff_t>(i);
        const bool fieldBefore = std::any_of(tokens.begin(), at, isField);
        const bool fieldAfter = std::any_of(at + 1, tokens.end(), isField);
        tokens.erase(at);
        Token* before = i > 0 && !tokens[i - 1].field ? &tokens[i - 1] : nullptr;
        Token* after = i < tokens.size() && !tokens[i].field ? &tokens[i] : nullptr;
        bool gap = false;
        if (before) {
            QString& t = before->text;
            while (!t.isEmpty() && joinsZoneBefore(t.back())) {
                if (t.back().isSpace()) gap = true;
                t.chop(1);
            }
        }
        if (after) {
            QString& t = after->text;
            qsizetype k = 0;
            for (; k < t.size() && joinsZoneAfter(t[k]); ++k)
                if (t[k].isSpace()) gap = true;
            t.remove(0, k);
        }
        // A zone between two parts of the time leaves one blank between them.
        if (fieldBefore && fieldAfter && gap) {
            if (before) before->text += u' ';
            else if (after) after->text.prepend(u' ');
            else tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(i), Token{false, QStringLiteral(" ")});
        }
        tokens.erase(
            std::remove_if(tokens.begin(), tokens.end(), [](const Token& t) { return !t.field && t.text.isEmpty(); }),
            tokens.end());
        i = 0;
    }
}

bool hasSeconds(const std::vector<Token>& tokens) {
    return std::any_of(tokens.begin(), tokens.end(), [](const Token& t) { return t.field && t.text[0] == u's'; });
}

std::string utf8(const QString& s) {
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

} // namespace

QString timeOfDayPattern(const QString& timeFormat) {
    std::vector<Token> tokens = tokenize(timeFormat);
    removeZones(tokens);
    if (!hasSeconds(tokens)) {
        // Seconds after the last minutes; the default where there are none.
        auto minutes =
            std::find_if(tokens.rbegin(), tokens.rend(), [](const Token& t) { return t.field && t.text[0] == u'm'; });
        if (minutes == tokens.rend()) return QStringLiteral("HH:mm:ss");
        const auto at = minutes.base();
        tokens.insert(at, {{false, QStringLiteral(":")}, {true, QStringLiteral("ss")}});
    }
    return toPattern(tokens);
}

TimeFormat timeFormatFor(const QString& pattern, const QLocale& locale) {
    using F = TimeFormat::Field;
    const std::vector<Token> tokens = tokenize(pattern);
    const bool twelveHours = std::any_of(tokens.begin(), tokens.end(), isDayHalf);

    const QList<uint> zero = locale.zeroDigit().toUcs4();
    const char32_t zeroDigit = zero.isEmpty() ? U'0' : static_cast<char32_t>(zero.front());
    TimeFormat::Digits digits;
    for (std::size_t d = 0; d < digits.size(); ++d) {
        const char32_t digit = zeroDigit + static_cast<char32_t>(d);
        digits[d] = utf8(QString::fromUcs4(&digit, 1));
    }

    std::vector<TimeFormat::Part> parts;
    auto text = [&parts](std::string s) { parts.push_back({F::Text, false, std::move(s), {}}); };
    for (const Token& t : tokens) {
        if (!t.field) {
            text(utf8(t.text));
            continue;
        }
        const bool two = t.text.size() == 2;
        switch (t.text[0].unicode()) {
        case u'h': parts.push_back({twelveHours ? F::Hour12 : F::Hour, two, {}, {}}); break;
        case u'H': parts.push_back({F::Hour, two, {}, {}}); break;
        case u'm': parts.push_back({F::Minute, two, {}, {}}); break;
        case u's': parts.push_back({F::Second, two, {}, {}}); break;
        case u'z': text(t.text.size() == 3 ? digits[0] + digits[0] + digits[0] : digits[0]); break; // no milliseconds
        case u'a':
        case u'A': {
            QString am = locale.amText();
            QString pm = locale.pmText();
            const bool mixed = t.text.size() == 2 && t.text[0].isUpper() != t.text[1].isUpper();
            if (!mixed && t.text[0] == u'A') {
                am = am.toUpper();
                pm = pm.toUpper();
            } else if (!mixed) {
                am = am.toLower();
                pm = pm.toLower();
            }
            parts.push_back({F::DayHalf, false, utf8(am), utf8(pm)});
            break;
        }
        default: break; // "t": a time of day has no zone
        }
    }
    return TimeFormat(std::move(parts), std::move(digits));
}

Regional regionalSettings(const QLocale& locale) {
    Regional r;
    const QString dec = locale.decimalPoint();
    r.decimalSeparator = dec.size() == 1 && dec[0].unicode() < 0x80 ? dec[0].toLatin1() : '.';
    r.timeFormat = timeFormatFor(timeOfDayPattern(locale.timeFormat(QLocale::LongFormat)), locale);
    return r;
}

Regional systemRegionalSettings() { return regionalSettings(QLocale::system()); }

LocalDateTime systemClock() {
    const QDateTime t = QDateTime::currentDateTime();
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(), t.time().second()};
}

QString systemShortDate() { return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat); }

} // namespace meter

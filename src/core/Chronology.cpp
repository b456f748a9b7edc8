// Reading a chronology back into a date and a time. The toolkit's own parser costs a tenth of a
// millisecond a call, an export of 100,000 entries ten seconds; this reader compiles each form's
// pattern once and matches it in a single pass.
#include "core/JournalExport.h"

#include <QSet>

#include <array>

namespace veltrin::core {

namespace {

// Two-digit years are read as the years from 80 years before this one to 19 after it.
constexpr int YearsOfTwoDigitsAhead = 19;

// Forms of other desktops, tried after the user's own, so that a journal kept under another locale
// still dates; US English first, then the languages of most desktops.
constexpr std::array<const char*, 20> KnownLocales{"en_US", "en_GB", "de_DE", "fr_FR", "es_ES", "it_IT", "nl_NL",
                                                   "pt_BR", "pt_PT", "ru_RU", "pl_PL", "sv_SE", "da_DK", "fi_FI",
                                                   "nb_NO", "cs_CZ", "hu_HU", "tr_TR", "ja_JP", "zh_CN"};

bool isFieldLetter(QChar c) { return QStringLiteral("dMyhHmsapAPzt").contains(c); }
// "AP", "ap", "A" and "a" stand for the half of the day.
bool isHalfDay(QChar c) { return c.toUpper() == QLatin1Char('A'); }

// A zone name or offset: "MEZ", "UTC", "GMT+01:00".
bool isZoneChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char(':'); }

// The toolkit looks up the value of every digit in its tables; an ASCII one is worked out here.
int digitValue(QChar digit) { return digit.unicode() < 0x80 ? digit.unicode() - u'0' : digit.digitValue(); }

// Reads up to `most` digits at `at`; -1 when there is none.
int readDigits(const QString& text, qsizetype& at, int most) {
    int value = -1;
    for (int read = 0; read < most && at < text.size() && text[at].isDigit(); ++read, ++at)
        value = (value < 0 ? 0 : value * 10) + digitValue(text[at]);
    return value;
}

// Whether two ASCII letters differ with case ignored: most names are told from the text by their
// first letter, before the toolkit compares them in full.
bool differInAscii(QChar a, QChar b) {
    const auto lower = [](char16_t u) { return char16_t(u >= u'A' && u <= u'Z' ? u + (u'a' - u'A') : u); };
    return a.unicode() < 0x80 && b.unicode() < 0x80 && lower(a.unicode()) != lower(b.unicode());
}

// The index (from 1) of the longest name that the text holds at `at`, case ignored; 0 when none does.
int readName(const QString& text, qsizetype& at, const QStringList& names) {
    int found = 0;
    qsizetype length = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (name.size() <= length || at >= text.size() || differInAscii(name.front(), text[at])) continue;
        if (QStringView(text).mid(at).startsWith(name, Qt::CaseInsensitive)) {
            found = int(i % 12) + 1;
            length = name.size();
        }
    }
    at += length;
    return found;
}

QStringList monthNames(const QLocale& locale, QLocale::FormatType type) {
    QStringList names;
    for (int month = 1; month <= 12; ++month) names << locale.monthName(month, type);
    for (int month = 1; month <= 12; ++month) names << locale.standaloneMonthName(month, type);
    return names;
}

QStringList dayNames(const QLocale& locale) {
    QStringList names;
    for (int day = 1; day <= 7; ++day) names << locale.dayName(day, QLocale::LongFormat) << locale.dayName(day, QLocale::ShortFormat);
    return names;
}

}   // namespace

ChronologyReader::Pattern ChronologyReader::compile(const QLocale& locale, const QString& format) {
    Pattern pattern{{locale.amText(), locale.pmText(), QStringLiteral("AM"), QStringLiteral("PM")},
                    monthNames(locale, QLocale::ShortFormat),
                    monthNames(locale, QLocale::LongFormat),
                    dayNames(locale),
                    {}};
    for (qsizetype at = 0; at < format.size();) {
        const QChar c = format[at];
        if (c == QLatin1Char('\'')) {
            const qsizetype close = format.indexOf(QLatin1Char('\''), at + 1);
            const QString quoted = format.mid(at + 1, (close < 0 ? format.size() : close) - at - 1);
            pattern.fields.push_back({QChar(), 0, quoted.isEmpty() ? QStringLiteral("'") : quoted});
            at = close < 0 ? format.size() : close + 1;
        } else if (isFieldLetter(c)) {
            qsizetype end = at;
            while (end < format.size() && (format[end] == c || (isHalfDay(c) && format[end].toUpper() == QLatin1Char('P')))) ++end;
            pattern.fields.push_back({c, int(end - at), {}});
            at = end;
        } else {
            pattern.fields.push_back({QChar(), 0, QString(c)});
            ++at;
        }
    }
    return pattern;
}

// Blanks of any kind match each other; a field matches its digits or names.
bool ChronologyReader::matchField(const Pattern& pattern, const Field& field, const QString& text, qsizetype& at, Parts& parts) const {
    if (field.letter.isNull()) {
        for (QChar c : field.literal) {
            if (at >= text.size()) return false;
            if (!(c == text[at] || (c.isSpace() && text[at].isSpace()))) return false;
            ++at;
        }
        return true;
    }
    switch (field.letter.unicode()) {
    case 'd': return field.count >= 3 ? readName(text, at, pattern.days) > 0 : (parts.day = readDigits(text, at, 2)) >= 0;
    case 'M':
        if (field.count == 3) return (parts.month = readName(text, at, pattern.shortMonths)) > 0;
        if (field.count == 4) return (parts.month = readName(text, at, pattern.longMonths)) > 0;
        return (parts.month = readDigits(text, at, 2)) >= 0;
    case 'y': {
        const qsizetype start = at;
        parts.year = readDigits(text, at, 4);
        if (at - start <= 2 && parts.year >= 0) parts.year = fullYear(parts.year);
        return parts.year >= 0;
    }
    case 'h':
    case 'H': return (parts.hour = readDigits(text, at, 2)) >= 0;
    case 'm': return (parts.minute = readDigits(text, at, 2)) >= 0;
    case 's': return (parts.second = readDigits(text, at, 2)) >= 0;
    case 'z': return readDigits(text, at, 3) >= 0;
    case 't':
        while (at < text.size() && isZoneChar(text[at])) ++at;
        return true;
    default: {
        const int half = readName(text, at, pattern.halves);
        parts.afternoon = half == 2 || half == 4;
        parts.twelveHour = true;
        return half > 0;
    }
    }
}

int ChronologyReader::fullYear(int twoDigits) const {
    const int year = m_firstYearOfTwoDigits - m_firstYearOfTwoDigits % 100 + twoDigits;
    return year < m_firstYearOfTwoDigits ? year + 100 : year;
}

QDateTime ChronologyReader::match(const Pattern& pattern, const QString& text) const {
    Parts parts;
    qsizetype at = 0;
    for (const Field& field : pattern.fields)
        if (!matchField(pattern, field, text, at, parts)) return {};
    if (at != text.size()) return {};
    if (parts.twelveHour) {
        if (parts.hour < 1 || parts.hour > 12) return {};
        parts.hour = parts.hour % 12 + (parts.afternoon ? 12 : 0);
    }
    const QDate date(parts.year, parts.month, parts.day);
    const QTime time(parts.hour, parts.minute, std::max(0, parts.second));
    if (!date.isValid() || !time.isValid()) return {};
    return QDateTime(date, time, Qt::UTC);
}

// Each locale in the form the program writes and in the form of the toolkit (a two-digit year, a
// zone name), which older records have; forms that read alike are tried once.
ChronologyReader::ChronologyReader(const QLocale& userLocale, int thisYear)
    : m_firstYearOfTwoDigits(thisYear + YearsOfTwoDigitsAhead - 99) {
    std::vector<QLocale> locales{userLocale, QLocale::c()};
    for (const char* name : KnownLocales) locales.emplace_back(QString::fromLatin1(name));
    QSet<QString> tried;
    for (const QLocale& locale : locales) {
        const QString names = locale.amText() + QLatin1Char('|') + locale.pmText() + QLatin1Char('|') + locale.monthName(1);
        for (const QString& format : {chronologyFormat(locale), toolkitChronologyFormat(locale)}) {
            if (tried.contains(format + names)) continue;
            tried.insert(format + names);
            m_patterns.push_back(compile(locale, format));
        }
    }
    m_patterns.push_back(compile(QLocale::c(), QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

QDateTime ChronologyReader::read(const QString& chronology) const {
    const QString text = chronology.trimmed();
    for (const Pattern& pattern : m_patterns)
        if (QDateTime when = match(pattern, text); when.isValid()) return when;
    return {};
}

}   // namespace veltrin::core

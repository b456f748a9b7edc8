#include "base/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace veltrin::base {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The parts of a leading number as written, digits only, so that the conversion below never
// depends on the user's locale.
struct NumberParts {
    bool negative = false;
    std::string whole;
    std::string fraction;
    qint64 exponent = 0;
};

qsizetype skipBlanks(QStringView text, qsizetype at) {
    while (at < text.size() && isBlank(text[at])) ++at;
    return at;
}

qsizetype takeDigits(QStringView text, qsizetype at, std::string& digits) {
    while (at < text.size() && isDigit(text[at])) digits.push_back(char(text[at++].unicode()));
    return at;
}

// An exponent counts only when digits follow the letter and its sign; it is clamped far beyond
// the range of a double so that a long exponent cannot overflow the counter.
void takeExponent(QStringView text, qsizetype at, NumberParts& parts) {
    if (at >= text.size() || (text[at] != u'E' && text[at] != u'e')) return;
    ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) negative = text[at++] == u'-';
    if (at >= text.size() || !isDigit(text[at])) return;
    qint64 value = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) value = qMin<qint64>(value * 10 + (text[at].unicode() - u'0'), 1'000'000);
    parts.exponent = negative ? -value : value;
}

NumberParts splitNumber(QStringView text) {
    NumberParts parts;
    qsizetype at = skipBlanks(text, 0);
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) parts.negative = text[at++] == u'-';
    at = takeDigits(text, at, parts.whole);
    if (at < text.size() && text[at] == u'.') at = takeDigits(text, at + 1, parts.fraction);
    if (!parts.whole.empty() || !parts.fraction.empty()) takeExponent(text, at, parts);
    return parts;
}

// Decimal position of the first significant digit; decides whether an out-of-range value
// overflowed (positive) or underflowed.
qint64 magnitude(const NumberParts& parts) {
    const auto firstWhole = parts.whole.find_first_not_of('0');
    if (firstWhole != std::string::npos) return qint64(parts.whole.size() - firstWhole) + parts.exponent;
    const auto firstFraction = parts.fraction.find_first_not_of('0');
    return -qint64(firstFraction) + parts.exponent;
}

double convert(const NumberParts& parts) {
    if (parts.fraction.find_first_not_of('0') == std::string::npos && parts.whole.find_first_not_of('0') == std::string::npos) return 0.0;
    const std::string digits =
        (parts.whole.empty() ? std::string("0") : parts.whole) + '.' + parts.fraction + 'e' + std::to_string(parts.exponent);
    double value = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range) value = magnitude(parts) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return value;
}

bool isHalf(double value) { return std::fabs(value - std::trunc(value)) == 0.5; }

}   // namespace

QString numberText(qint64 n) {
    const QString digits = QString::number(n);
    return n < 0 ? digits : QLatin1Char(' ') + digits;
}

double leadingNumber(QStringView text) {
    const NumberParts parts = splitNumber(text);
    const double value = convert(parts);
    return parts.negative ? -value : value;
}

qint64 roundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    // 2^63 is exact as a double; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit) return std::numeric_limits<qint64>::max();
    if (value < -limit) return std::numeric_limits<qint64>::min();
    double rounded = std::round(value);
    if (isHalf(value) && std::fmod(rounded, 2.0) != 0.0) rounded -= std::copysign(1.0, value);
    return qint64(rounded);
}

qint64 readNumber(QStringView text) { return roundHalfEven(leadingNumber(text)); }

qint16 readInteger16(QStringView text) {
    constexpr qint64 lowest = std::numeric_limits<qint16>::min();
    constexpr qint64 highest = std::numeric_limits<qint16>::max();
    return qint16(std::clamp(readNumber(text), lowest, highest));
}

QString readField(QStringView line) {
    const QStringView value = line.mid(skipBlanks(line, 0));
    if (value.startsWith(u'"')) {
        const qsizetype close = value.indexOf(u'"', 1);
        return (close < 0 ? value.mid(1) : value.mid(1, close - 1)).toString();
    }
    const qsizetype comma = value.indexOf(u',');
    QStringView unquoted = comma < 0 ? value : value.left(comma);
    // Trailing blanks of an unquoted value are padding, not part of it (a folder is never meant to
    // end in a blank); quote the value to keep them.
    while (!unquoted.isEmpty() && isBlank(unquoted.back())) unquoted.chop(1);
    return unquoted.toString();
}

}   // namespace veltrin::base

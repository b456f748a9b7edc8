#pragma once
// Numbers as the stored files hold them.
#include <QString>
#include <QStringView>

namespace veltrin::base {

// The classic number-to-text form: a leading blank when not negative (" 20", " 0"), "-1" otherwise.
QString numberText(qint64 n);
// The leading numeric part of a text (blanks before it skipped; sign, digits, decimal point and
// exponent), 0 when there is none.
double leadingNumber(QStringView text);
// Rounds to a whole number, halves to the even neighbour (12.5 -> 12, 13.5 -> 14); clamps to the
// range of qint64.
qint64 roundHalfEven(double value);
// leadingNumber then roundHalfEven.
qint64 readNumber(QStringView text);
// A 16-bit counter as the progress files keep it: readNumber clamped to -32768 .. 32767.
qint16 readInteger16(QStringView text);

// A value of the settings file: blanks before it skipped, it ends at a comma or the line end, and
// double quotes around it are removed.
QString readField(QStringView line);

}   // namespace veltrin::base

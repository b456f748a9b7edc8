#pragma once
// What every test shares, with or without a window: readable failure messages for Qt strings, the
// test's own files written and read byte for byte, and the names of table cases.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <ostream>
#include <string>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray& bytes, std::ostream* os) { *os << '"' << bytes.toStdString() << '"'; }

namespace veltrin::test {

using Files = std::map<QString, QByteArray>;

// Writes the file with the toolkit alone, so that no write budget of the file rules stops the test's
// own files; a file that cannot be written fails the test.
void writeFile(const QString& path, const QByteArray& bytes);
// The file's bytes; none when it cannot be read.
QByteArray readFile(const QString& path);
// The bytes of a file of CR LF lines.
QByteArray crlfLines(const QStringList& lines);
// Every file under `folder`, by path.
Files filesUnder(const QString& folder);
// The paths under `folder` whose content differs from `before`, and those that came or went since.
QStringList changedFiles(const QString& folder, const Files& before);

// The file rules' next writes fail, as on a full disk, once this many more bytes have been written
// (-1: never again).
void failWritesAfter(qint64 bytes);

// Names a parameterised case by its `name` member.
inline auto caseName = [](const auto& info) { return std::string(info.param.name); };

}   // namespace veltrin::test

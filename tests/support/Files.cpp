#include "support/Files.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace veltrin::test {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray crlfLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
    return bytes;
}

Files filesUnder(const QString& folder) {
    Files files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = readFile(path);
    }
    return files;
}

QStringList changedFiles(const QString& folder, const Files& before) {
    const Files now = filesUnder(folder);
    QStringList changed;
    for (const auto& [path, bytes] : now)
        if (!before.contains(path) || before.at(path) != bytes) changed << path;
    for (const auto& [path, bytes] : before)
        if (!now.contains(path)) changed << path;
    return changed;
}

}   // namespace veltrin::test

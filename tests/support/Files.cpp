#include "support/Files.h"

#include "base/TextFile.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <memory>

namespace veltrin::test {

namespace {

// Past its budget only the bytes within it are written and the write fails with the reason a full disk gives.
class BudgetWriter final : public base::ByteWriter {
public:
    explicit BudgetWriter(qint64 budget) : m_budget(budget) {}
    bool write(QIODevice& device, const QByteArray& bytes, QString& reason) override {
        const bool overBudget = bytes.size() > m_budget;
        if (!base::writeWhole(device, overBudget ? bytes.left(m_budget) : bytes, reason)) return false;
        m_budget -= overBudget ? m_budget : bytes.size();
        if (overBudget) reason = qt_error_string(ENOSPC);
        return !overBudget;
    }

private:
    qint64 m_budget;
};

std::unique_ptr<BudgetWriter> g_budget;

}   // namespace

void failWritesAfter(qint64 bytes) {
    std::unique_ptr<BudgetWriter> writer = bytes < 0 ? nullptr : std::make_unique<BudgetWriter>(bytes);
    base::useByteWriter(writer.get());
    g_budget = std::move(writer);
}

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

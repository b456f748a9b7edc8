// Writes the stored files over and over, as the program does, so that a script can kill it at
// random moments and check that every file is always whole: the settings file, status.ndx and
// work.ndx are rewritten whole, the journal store grows by whole records.
//   veltrin-crash-writer FOLDER      writes until killed
//   veltrin-crash-writer --check FOLDER   exits 0 when every file is whole, 1 otherwise
#include "base/FileError.h"
#include "base/Numbers.h"
#include "base/TextFile.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

using namespace veltrin::base;

// The files rewritten whole, each version `lines` lines of its number, so that a mix of two versions
// or a cut shows.
const std::pair<const char*, int> Rewritten[] = {{"veltrin3.ini", 7}, {"status.ndx", 45}, {"work.ndx", 48}};

QStringList version(qint64 n, int lines) { return QStringList(lines, numberText(n)); }

QString record(qint64 n) {
    return QStringLiteral("6.12.2026 09:30:%1~Ascendant~Openness~~3524114entry %2 %3")
        .arg(n % 60, 2, 10, QLatin1Char('0'))
        .arg(n)
        .arg(QString(int(n % 200), QLatin1Char('x')));
}

bool journalWhole(const QByteArray& journal) {
    const QStringList records = splitLines(journal);
    for (qsizetype i = 0; i < records.size(); ++i)
        if (records[i] != record(i + 1)) return false;
    return journal.isEmpty() || journal.endsWith("\r\n");
}

int check(const QString& folder) {
    QStringList broken;
    for (const auto& [name, lines] : Rewritten) {
        const QStringList read = readLines(folder + "/" + name);
        if (read.isEmpty() || read != version(readNumber(read[0]), lines)) broken << name;
    }
    if (!journalWhole(readBytes(folder + "/veltrin.sdb"))) broken << "veltrin.sdb";
    if (broken.isEmpty()) return 0;
    std::printf("not whole: %s\n", qPrintable(broken.join(", ")));
    return 1;
}

[[noreturn]] void writeForever(const QString& folder) {
    qint64 n = splitLines(fileExists(folder + "/veltrin.sdb") ? readBytes(folder + "/veltrin.sdb") : QByteArray()).size();
    for (;;) {
        ++n;
        for (const auto& [name, lines] : Rewritten) rewriteLines(folder + "/" + name, version(n, lines));
        appendLine(folder + "/veltrin.sdb", record(n));
    }
}

}   // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 3 && args[1] == QLatin1String("--check")) return check(args[2]);
        if (args.size() == 2) writeForever(args[1]);
    } catch (const FileError& error) {
        std::printf("%s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: veltrin-crash-writer [--check] FOLDER\n");
    return 2;
}

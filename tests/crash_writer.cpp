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

QStringList settingsVersion(qint64 n) {
    return QStringList{"/course/torch/", "/course/lessons/", "/course/sounds/"} +
           QStringList{numberText(n), numberText(n % 15 - 1), numberText(-n), numberText(n % 2)};
}

QStringList countersVersion(qint64 n, int lines) { return QStringList(lines, numberText(n)); }

QString record(qint64 n) {
    return QStringLiteral("6.12.2026 09:30:%1~Ascendant~Openness~~3524114entry %2 %3")
        .arg(n % 60, 2, 10, QLatin1Char('0'))
        .arg(n)
        .arg(QString(int(n % 200), QLatin1Char('x')));
}

// The version number that a whole file holds, -1 when it is not whole.
qint64 versionOf(const QStringList& lines, const std::function<QStringList(qint64)>& expected) {
    if (lines.isEmpty()) return -1;
    for (qint64 n : {qint64(-readNumber(lines.value(5))), readNumber(lines.value(0))})
        if (lines == expected(n)) return n;
    return -1;
}

int check(const QString& folder) {
    const qint64 settings = versionOf(readLines(folder + "/veltrin3.ini"), settingsVersion);
    const qint64 status = versionOf(readLines(folder + "/status.ndx"), [](qint64 n) { return countersVersion(n, 45); });
    const qint64 work = versionOf(readLines(folder + "/work.ndx"), [](qint64 n) { return countersVersion(n, 48); });
    const QByteArray journal = readBytes(folder + "/veltrin.sdb");
    bool journalWhole = journal.isEmpty() || journal.endsWith("\r\n");
    const QStringList records = splitLines(journal);
    for (qsizetype i = 0; i < records.size(); ++i) journalWhole = journalWhole && records[i] == record(i + 1);
    if (settings < 0 || status < 0 || work < 0 || !journalWhole) {
        std::printf("not whole: settings %lld, status %lld, work %lld, journal %s\n", settings, status, work,
                    journalWhole ? "whole" : "broken");
        return 1;
    }
    return 0;
}

[[noreturn]] void writeForever(const QString& folder) {
    qint64 n = splitLines(fileExists(folder + "/veltrin.sdb") ? readBytes(folder + "/veltrin.sdb") : QByteArray()).size();
    for (;;) {
        ++n;
        rewriteLines(folder + "/veltrin3.ini", settingsVersion(n));
        rewriteLines(folder + "/status.ndx", countersVersion(n, 45));
        rewriteLines(folder + "/work.ndx", countersVersion(n, 48));
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

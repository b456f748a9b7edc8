// Writes the stored files over and over, as the program does, so that a script can kill it at
// random moments and check that every file is always whole: the settings file, status.ndx and
// work.ndx are rewritten whole, the journal store grows by whole records. With --journal, a journal
// of its own grows while it is sealed, its passphrase changed and opened back, round after round.
//   veltrin-crash-writer [--journal] FOLDER      writes until killed
//   veltrin-crash-writer --check FOLDER   exits 0 when every file is whole, 1 otherwise
//   veltrin-crash-writer --check-journal FOLDER   prints the number of entries and exits 0 when the
//       journal opens (plain, or with one of the two passphrases) and holds entries 1 .. N whole
#include "base/FileError.h"
#include "base/Numbers.h"
#include "base/TextFile.h"
#include "core/JournalStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

namespace {

using namespace veltrin::base;

// The files rewritten whole, each version `lines` lines of its number, so that a mix of two versions
// or a cut shows.
const std::pair<const char*, int> Rewritten[] = {{"veltrin3.ini", 7}, {"status.ndx", 45}, {"work.ndx", 48}};

QStringList version(qint64 n, int lines) { return QStringList(lines, numberText(n)); }

QString entryText(qint64 n) { return QStringLiteral("entry %1 %2").arg(n).arg(QString(int(n % 200), QLatin1Char('x'))); }

QString record(qint64 n) {
    return QStringLiteral("6.12.2026 09:30:%1~Ascendant~Openness~~3524114").arg(n % 60, 2, 10, QLatin1Char('0')) + entryText(n);
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

// The sealed journal's two passphrases: the one in force changes at every passphrase change.
const QByteArray Passphrases[] = {"alpha", "beta"};

QString journalPath(const QString& folder) { return folder + "/sealed/veltrin.sdb"; }

// The key of the passphrase that opens the sealed journal now; none for a plain one. Throws
// FileError when neither opens it.
std::optional<veltrin::core::JournalKey> currentKey(const QString& store, int& passphrase) {
    if (!veltrin::core::journalIsSealed(store)) return std::nullopt;
    for (passphrase = 0; passphrase < 2; ++passphrase)
        if (auto key = veltrin::core::unlockJournal(store, Passphrases[passphrase])) return key;
    throw FileError(store, QStringLiteral("It opens with neither passphrase."));
}

// The entries in order, each whole; -1 when one is missing, damaged or out of place.
qint64 journalEntries(const QString& store, const veltrin::core::JournalKey* key) {
    veltrin::core::JournalReader reader(store, key);
    veltrin::core::StoredEntry entry;
    qint64 n = 0;
    while (reader.next(entry))
        if (entry.entryText != entryText(++n)) return -1;
    return reader.damaged().isEmpty() && reader.passedOver() == 0 ? n : -1;
}

int checkJournal(const QString& folder) {
    int passphrase = 0;
    const auto key = currentKey(journalPath(folder), passphrase);
    const qint64 entries = journalEntries(journalPath(folder), key ? &*key : nullptr);
    std::printf("%lld\n", static_cast<long long>(entries));
    return entries < 0 ? 1 : 0;
}

// Round after round: an entry, sealing, an entry, a new passphrase, an entry, opening back.
[[noreturn]] void convertForever(const QString& folder) {
    const QString store = journalPath(folder);
    QDir().mkpath(folder + "/sealed");
    int passphrase = 0;
    auto key = currentKey(store, passphrase);
    qint64 n = journalEntries(store, key ? &*key : nullptr);
    for (;;) {
        veltrin::core::appendJournalRecord(store, record(++n), key ? &*key : nullptr);
        if (n % 3 == 0 && !key) {
            veltrin::core::encryptJournal(store, Passphrases[passphrase]);
            key = veltrin::core::unlockJournal(store, Passphrases[passphrase]);
        } else if (n % 3 == 1 && key) {
            passphrase = 1 - passphrase;
            veltrin::core::changeJournalPassphrase(store, *key, Passphrases[passphrase]);
        } else if (n % 3 == 2 && key) {
            veltrin::core::decryptJournal(store, *key);
            key.reset();
        }
    }
}

}   // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 3 && args[1] == QLatin1String("--check")) return check(args[2]);
        if (args.size() == 3 && args[1] == QLatin1String("--check-journal")) return checkJournal(args[2]);
        if (args.size() == 3 && args[1] == QLatin1String("--journal")) convertForever(args[2]);
        if (args.size() == 2) writeForever(args[1]);
    } catch (const FileError& error) {
        std::printf("%s\n", error.what());
        return 1;
    }
    std::fprintf(stderr, "usage: veltrin-crash-writer [--check|--journal|--check-journal] FOLDER\n");
    return 2;
}

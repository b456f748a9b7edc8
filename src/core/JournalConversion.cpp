// Sealing a store, opening it back, changing the passphrase and appending a sealed record, each so
// that a crash at any step leaves a store that opens with the passphrase in force before or after.
//
// The key file is the commit point. Sealing writes STORE.key.new, keeps the plain store as
// STORE.plain, replaces the store with its sealed lines, compares them opened with the plain ones,
// and commits by renaming STORE.key.new to STORE.key. Opening keeps the sealed store as
// STORE.sealed, replaces the store with its plain lines, compares, and commits by removing
// STORE.key. So a kept copy with the key file present is the sealed store, a kept plain copy
// without it is the plain store, and settleConversion() puts it back or removes it accordingly.
#include "core/JournalSealParts.h"
#include "core/JournalStore.h"

#include "base/FileError.h"
#include "base/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sodium.h>

#include <filesystem>

namespace veltrin::core {

namespace {

constexpr qint64 CountChunkBytes = 64 * 1024;

// Renames over the target, as one step of the file system.
void renameOver(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), error);
    if (error) throw base::FileError(to, QString::fromLocal8Bit(error.message()));
}

// A kept copy back in the store's place. A copy made by a crash-interrupted step may already be
// the store's own file under a second name, which the rename then leaves; it goes either way.
void putBack(const QString& copy, const QString& store) {
    renameOver(copy, store);
    base::removeFile(copy);
}

// The store's lines, and whether its last one has no line end (a crash can leave one).
struct LineCount {
    qint64 lines = 0;
    bool lastOpen = false;
};

// Counted as the line reader counts them: CR or CR LF ends a line, a last line without one counts.
LineCount countLines(const QString& path) {
    LineCount count;
    if (!base::fileExists(path)) return count;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw base::FileError(path, file.errorString());
    char last = '\r';
    for (QByteArray chunk = file.read(CountChunkBytes); !chunk.isEmpty(); chunk = file.read(CountChunkBytes)) {
        count.lines += chunk.count('\r');
        last = chunk.back();
    }
    if (file.error() != QFileDevice::NoError) throw base::FileError(path, file.errorString());
    count.lastOpen = last != '\r' && last != '\n';
    count.lines += count.lastOpen ? 1 : 0;
    return count;
}

QByteArray storeBytes(const QString& path) { return base::fileExists(path) ? base::readBytes(path) : QByteArray(); }

// A store that grew while it was converted (the program adding an entry) would lose that entry.
void requireUnchanged(const QString& store, const QByteArray& read, const QString& doing) {
    if (storeBytes(store) != read)
        throw base::FileError(store, QStringLiteral("It changed while it was being %1; nothing was changed. Try again.").arg(doing));
}

// Undoes an uncommitted conversion on its way out with `error`, noting what could not be put back.
void undoConversion(const JournalFiles& files, base::FileError& error) noexcept {
    try {
        settleConversion(files);
    } catch (...) {
        error.noteLeftChanged(
            QStringLiteral("%1 is left as the interrupted conversion left it; the next use of the journal puts it back.").arg(files.store));
    }
}

QByteArray sealedBytes(const QByteArray& plain, const JournalKey& key) {
    QByteArray sealed;
    qint64 position = 0;
    for (const QByteArray& line : base::splitLineBytes(plain)) sealed += sealLine(line, position++, key) + "\r\n";
    return sealed;
}

// The records of a sealed store opened, as the plain store's bytes; the damaged ones named.
QByteArray openedBytes(const QByteArray& sealed, const JournalKey& key, DamagedRecords& damaged) {
    QByteArray plain;
    qint64 position = 0;
    for (const QByteArray& line : base::splitLineBytes(sealed)) {
        const std::optional<QByteArray> record = openLine(line, position++, key);
        if (record) plain += *record + "\r\n";
        else damaged << int(position);
    }
    return plain;
}

// The sealed store as written, opened with the key the new key file gives for the passphrase,
// must hold the plain store's records, every one.
void compareSealed(const JournalFiles& files, const QByteArray& passphrase, const QByteArray& plain) {
    const std::optional<JournalKey> key = unwrapWithPassphrase(KeyFile::read(files.newKey), passphrase, files.newKey);
    if (!key)
        throw base::FileError(files.newKey, QStringLiteral("The new key file does not open with the passphrase; nothing was changed."));
    DamagedRecords damaged;
    QByteArray expected;
    for (const QByteArray& line : base::splitLineBytes(plain)) expected += line + "\r\n";
    if (openedBytes(base::readBytes(files.store), *key, damaged) != expected || !damaged.isEmpty())
        throw base::FileError(files.store, QStringLiteral("The encrypted store did not read back as the plain one; nothing was changed."));
}

void sealStore(const JournalFiles& files, const QByteArray& passphrase, const QByteArray& plain, const GuardedBytes& dataKey,
               const KeyFile& keyFile) {
    const JournalKey key = JournalKeyAccess::make(dataKey, keyFile.journalId);
    base::rewriteBytes(files.plainCopy, plain);
    requireUnchanged(files.store, plain, QStringLiteral("encrypted"));
    base::rewriteBytes(files.store, sealedBytes(plain, key));
    compareSealed(files, passphrase, plain);
    renameOver(files.newKey, files.key);
}

}   // namespace

JournalFiles::JournalFiles(const QString& storePath)
    : store(storePath), key(journalKeyPath(storePath)), newKey(key + QStringLiteral(".new")),
      plainCopy(storePath + QStringLiteral(".plain")), sealedCopy(storePath + QStringLiteral(".sealed")) {}

void settleConversion(const JournalFiles& files) {
    const bool sealed = base::fileExists(files.key);
    if (base::fileExists(files.plainCopy)) {
        if (sealed) base::removeFile(files.plainCopy);
        else putBack(files.plainCopy, files.store);
    }
    if (base::fileExists(files.sealedCopy)) {
        if (sealed) putBack(files.sealedCopy, files.store);
        else base::removeFile(files.sealedCopy);
    }
    base::removeFile(files.newKey);
}

bool journalIsSealed(const QString& storePath) { return base::fileExists(journalKeyPath(storePath)); }

// A sealed record's place is its line: after a line a crash left without its end, the record
// starts a line of its own, and that cut line stays one damaged record.
void appendJournalRecord(const QString& storePath, const QString& record, const JournalKey* key,
                         const std::function<void()>& storedWithIt) {
    const JournalFiles files(storePath);
    settleConversion(files);
    const auto nothingMore = [] {};
    if (!journalIsSealed(storePath)) return base::appendLineWith(storePath, record, storedWithIt ? storedWithIt : nothingMore);
    requireKeyOf(files, key);
    base::refuseAnythingButAFile(storePath);
    const LineCount count = countLines(storePath);
    const QByteArray line = sealLine(base::encodeLine(record), count.lines, *key);
    base::appendLineWith(storePath, QString::fromLatin1(count.lastOpen ? "\r\n" + line : line), storedWithIt ? storedWithIt : nothingMore);
}

QString encryptJournal(const QString& storePath, QByteArray passphrase) {
    const JournalFiles files(storePath);
    requireSodium(files.key);
    settleConversion(files);
    if (journalIsSealed(storePath)) throw base::FileError(storePath, QStringLiteral("The journal is encrypted already."));
    base::refuseAnythingButAFile(storePath);
    const QByteArray plain = storeBytes(storePath);
    GuardedBytes dataKey(crypto_aead_xchacha20poly1305_ietf_KEYBYTES);
    crypto_aead_xchacha20poly1305_ietf_keygen(dataKey.data());
    QString recoveryKey;
    const KeyFile keyFile = newKeyFile(dataKey, passphrase, recoveryKey, files.key);
    try {
        base::rewriteLines(files.newKey, keyFile.lines());
        sealStore(files, passphrase, plain, dataKey, keyFile);
    } catch (base::FileError& error) {
        wipeBytes(passphrase);
        undoConversion(files, error);
        throw;
    }
    wipeBytes(passphrase);
    base::removeFile(files.plainCopy);
    return recoveryKey;
}

void decryptJournal(const QString& storePath, const JournalKey& key) {
    const JournalFiles files(storePath);
    settleConversion(files);
    if (!journalIsSealed(storePath)) throw base::FileError(storePath, QStringLiteral("The journal is not encrypted."));
    requireKeyOf(files, &key);
    const QByteArray sealed = storeBytes(storePath);
    DamagedRecords damaged;
    const QByteArray plain = openedBytes(sealed, key, damaged);
    if (!damaged.isEmpty())
        throw base::FileError(
            storePath,
            QStringLiteral("It cannot be decrypted while %1 cannot be opened; nothing was changed.").arg(damagedRecordsText(damaged)));
    try {
        base::rewriteBytes(files.sealedCopy, sealed);
        requireUnchanged(storePath, sealed, QStringLiteral("decrypted"));
        base::rewriteBytes(storePath, plain);
        if (base::readBytes(storePath) != plain)
            throw base::FileError(storePath, QStringLiteral("The decrypted store did not read back as written; nothing was changed."));
        base::removeFile(files.key);
    } catch (base::FileError& error) {
        undoConversion(files, error);
        throw;
    }
    base::removeFile(files.sealedCopy);
}

void changeJournalPassphrase(const QString& storePath, const JournalKey& key, QByteArray newPassphrase) {
    const JournalFiles files(storePath);
    settleConversion(files);
    requireKeyOf(files, &key);
    KeyFile keyFile = KeyFile::read(files.key);
    try {
        wrapWithPassphrase(keyFile, JournalKeyAccess::bytes(key), newPassphrase, files.key);
    } catch (...) {
        wipeBytes(newPassphrase);
        throw;
    }
    wipeBytes(newPassphrase);
    base::rewriteLines(files.key, keyFile.lines());
}

QStringList plainJournalCopies(const QString& storePath) {
    const QFileInfo store(storePath);
    const QDir folder = store.absoluteDir();
    QStringList copies;
    if (QFileInfo::exists(folder.filePath(JournalReportName))) copies << folder.filePath(JournalReportName);
    const QString name = store.fileName();
    for (const QString& copy :
         folder.entryList({name + QStringLiteral(".bak"), name + QStringLiteral(".*.bak")}, QDir::Files | QDir::Hidden | QDir::System))
        copies << folder.filePath(copy);
    return copies;
}

void removePlainCopies(const QStringList& paths) {
    std::optional<base::FileError> first;
    for (const QString& path : paths) {
        try {
            base::removeFile(path);
        } catch (const base::FileError& error) {
            if (!first) first = error;
        }
    }
    if (first) throw *first;
}

}   // namespace veltrin::core

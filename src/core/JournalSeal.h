#pragma once
// The sealed journal: a store whose records only its passphrase (or its recovery key) opens.
//
// Beside the store STORE lies its key file STORE.key; the store is sealed exactly when that file
// exists. The key file holds a random data key twice wrapped: once with a key that Argon2id derives
// from the passphrase (random salt, the limits stored with it), once with a key drawn from the
// recovery key. Each line of a sealed store is one record sealed on its own with XChaCha20-Poly1305
// under the data key, bound to its record number, so that an append stays one line in one write and
// a record moved, swapped or changed reads as damaged, never as another entry.
//
// The cryptography is libsodium's; nothing here is a cipher or a key derivation of its own.
// Every function below first finishes or undoes a conversion that a crash interrupted, so the store
// always opens with the passphrase in force before or after the interrupted step.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace veltrin::core {

// The key file beside the store.
QString journalKeyPath(const QString& storePath);

// Whether the store is sealed: decided by the key file beside it (after a crash in the middle of a
// conversion, by what that conversion's undo or finish will leave), never by the store's lines.
bool journalIsSealed(const QString& storePath);

// The store's data key, unwrapped, in memory that libsodium guards (locked, so never swapped out,
// and wiped when freed). Move-only.
class JournalKey {
public:
    JournalKey(JournalKey&& other) noexcept;
    JournalKey& operator=(JournalKey&& other) noexcept;
    JournalKey(const JournalKey&) = delete;
    JournalKey& operator=(const JournalKey&) = delete;
    ~JournalKey();
    // Wipes and frees the key now; the object then opens nothing (reading or appending with it throws).
    void wipe();
    bool isWiped() const { return m_bytes == nullptr; }

private:
    friend struct JournalKeyAccess;
    JournalKey(const unsigned char* bytes, QByteArray journalId);
    unsigned char* m_bytes = nullptr;
    QByteArray m_journalId;   // which sealing of the store the key belongs to
};

// Unwraps the data key with the passphrase; nullopt when the passphrase is wrong. Reads the key
// file only. Throws FileError naming the key file when it is missing, unreadable or damaged (never
// a wrong passphrase). The passphrase's bytes are wiped when done: pass it by move.
std::optional<JournalKey> unlockJournal(const QString& storePath, QByteArray passphrase);
// The same with the recovery key as the user wrote it down (case, blanks and dashes do not matter).
std::optional<JournalKey> unlockJournalWithRecoveryKey(const QString& storePath, const QString& recoveryKeyText);

// Turns a record's text into the store's line and appends it in one write, synced; then runs
// `storedWithIt` (what goes with the record). All or nothing: when either throws FileError, the store
// is cut back to its old length. A plain store gets the record as it is, byte for byte, and `key`
// is not used; a sealed store gets it sealed and needs the key (FileError naming the store when
// `key` is null, wiped or from before the store was sealed again).
void appendJournalRecord(const QString& storePath, const QString& record, const JournalKey* key,
                         const std::function<void()>& storedWithIt = {});

// Seals the store: writes its key file, keeps the plain store as STORE.plain while the sealed one
// is written, decrypts the sealed one and compares it with the plain one, and only then commits
// (the key file takes its name) and removes the plain copy. Returns the recovery key: a line of
// base32 letters in groups, which unwraps the data key as the passphrase does. A failure or a crash
// at any step leaves the plain store as it was. Throws FileError naming the file that failed (and
// the store when it is already sealed or changed while it was being sealed).
QString encryptJournal(const QString& storePath, QByteArray passphrase);
// Opens the store back into plain lines, the same way round: the sealed store kept as STORE.sealed
// until the plain one compares equal, then the key file removed. Refuses, changing nothing, while a
// record is damaged (FileError naming the store and the records). Throws FileError.
void decryptJournal(const QString& storePath, const JournalKey& key);
// Wraps the data key under a new passphrase (new salt) and rewrites the key file alone, whole or
// not at all; the records and the recovery key stay as they are, and the old passphrase opens
// nothing any more. Throws FileError naming the key file.
void changeJournalPassphrase(const QString& storePath, const JournalKey& key, QByteArray newPassphrase);

// The plain copies of the journal that the program makes beside the store: its report, and the store
// as each progress reset kept it ("veltrin.sdb.bak", "veltrin.sdb.2.bak", ...), those that exist.
QStringList plainJournalCopies(const QString& storePath);
// Removes the plain copies of the journal that the program made (a report, backups of the store),
// each file that exists; tries all, then throws FileError naming the first that could not go.
void removePlainCopies(const QStringList& paths);

// Number and names of the records that could not be opened (1 is the store's first line).
using DamagedRecords = QList<int>;
// "record 3", "records 3, 7 and 9": for messages.
QString damagedRecordsText(const DamagedRecords& records);

}   // namespace veltrin::core

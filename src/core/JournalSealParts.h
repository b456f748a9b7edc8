#pragma once
// What the sealed store's files share among themselves: the files of one journal, the key file,
// and sealing and opening one line.
#include "core/JournalSeal.h"

#include <QByteArrayList>

#include <cstddef>
#include <optional>

namespace veltrin::core {

// Bytes in libsodium's guarded memory, wiped when freed.
class GuardedBytes {
public:
    explicit GuardedBytes(std::size_t size);
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    ~GuardedBytes();
    unsigned char* data() { return m_bytes; }
    const unsigned char* data() const { return m_bytes; }

private:
    unsigned char* m_bytes;
};

// Reaches the key inside a JournalKey, for this folder only.
struct JournalKeyAccess {
    static JournalKey make(const GuardedBytes& dataKey, const QByteArray& journalId);
    static const unsigned char* bytes(const JournalKey& key) { return key.m_bytes; }
    static const QByteArray& journalId(const JournalKey& key) { return key.m_journalId; }
};

// The files of one journal: the store, its key file, and those a conversion keeps until it commits.
struct JournalFiles {
    explicit JournalFiles(const QString& storePath);
    QString store;
    QString key;
    QString newKey;       // the key file of a sealing not yet committed
    QString plainCopy;    // the plain store, kept while it is being sealed
    QString sealedCopy;   // the sealed store, kept while it is being opened back into plain lines
};

// Finishes or undoes a conversion a crash interrupted: the key file decides which (see JournalSeal.h).
void settleConversion(const JournalFiles& files);

// Makes sure libsodium is ready; throws FileError naming `path` when it cannot start.
void requireSodium(const QString& path);

// The key file, read or about to be written.
struct KeyFile {
    QByteArray journalId;
    int opsLimit = 0;
    qint64 memLimit = 0;
    QByteArray passphraseSalt;
    QByteArray passphraseWrap;   // nonce, then the data key sealed
    QByteArray recoverySalt;
    QByteArray recoveryWrap;
    // Parsed from the key file's lines; throws FileError naming `path` for a part that is damaged.
    // A part damaged that the unlock does not need (the recovery for a passphrase) is left empty.
    static KeyFile read(const QString& path);
    QStringList lines() const;
};

// A new data key wrapped under the passphrase and under a new recovery key, whose text is returned.
KeyFile newKeyFile(const GuardedBytes& dataKey, const QByteArray& passphrase, QString& recoveryKeyText, const QString& path);
// Wraps the data key under the passphrase with a new salt, into `file`.
void wrapWithPassphrase(KeyFile& file, const unsigned char* dataKey, const QByteArray& passphrase, const QString& path);
// The key unwrapped with the passphrase; nullopt when it is wrong.
std::optional<JournalKey> unwrapWithPassphrase(const KeyFile& file, const QByteArray& passphrase, const QString& path);

// The key file of the store's current sealing, checked against the key: throws FileError naming
// the store when the key is null, wiped or from another sealing.
void requireKeyOf(const JournalFiles& files, const JournalKey* key);

// A record's bytes sealed into the store's line at `position` (0 for the first line).
QByteArray sealLine(QByteArrayView record, qint64 position, const JournalKey& key);
// The record's bytes out of a sealed line; nullopt when it does not open there.
std::optional<QByteArray> openLine(QByteArrayView line, qint64 position, const JournalKey& key);

// Wipes the bytes of a secret held in a QByteArray (not shared).
void wipeBytes(QByteArray& bytes);

}   // namespace veltrin::core

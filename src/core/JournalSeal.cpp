// The key file and the sealed lines: wrapping the data key, unlocking, sealing and opening a record.
#include "core/JournalSealParts.h"

#include "base/FileError.h"
#include "base/TextFile.h"

#include <QFile>

#include <sodium.h>

#include <array>
#include <cstring>
#include <new>

namespace veltrin::core {

namespace {

constexpr std::size_t KeyBytes = crypto_aead_xchacha20poly1305_ietf_KEYBYTES;
constexpr std::size_t NonceBytes = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr std::size_t TagBytes = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr std::size_t CheckBytes = crypto_generichash_BYTES_MIN;
constexpr std::size_t JournalIdBytes = 16;
constexpr std::size_t RecoverySaltBytes = crypto_generichash_KEYBYTES_MIN;
constexpr std::size_t RecoveryKeyBytes = 20;   // 32 base32 letters
constexpr int RecoveryGroupLetters = 4;

const QString KeyFileHeader = QStringLiteral("veltrin journal key 1");
const QByteArray SealedPrefix = QByteArrayLiteral("S1:");
const QByteArray RecordContext = QByteArrayLiteral("veltrin journal record 1");
const char Base32Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";

// Interactive limits: unlocking and a passphrase change stay well under a second. Limits read back
// must lie in this range, so that a damaged key file never asks for gigabytes.
constexpr int MaxOpsLimit = 16;
constexpr qint64 MaxMemLimit = qint64(1) << 30;

QByteArray randomBytes(std::size_t size) {
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    randombytes_buf(bytes.data(), size);
    return bytes;
}

const unsigned char* bytesOf(QByteArrayView bytes) { return reinterpret_cast<const unsigned char*>(bytes.data()); }

QByteArray check(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::array<unsigned char, CheckBytes> sum{};
    crypto_generichash(sum.data(), sum.size(), bytesOf(bytes), std::size_t(bytes.size()), nullptr, 0);
    return QByteArray(reinterpret_cast<const char*>(sum.data()), qsizetype(sum.size()));
}

QString base64(const QByteArray& bytes) { return QString::fromLatin1(bytes.toBase64()); }

// Each line of the key file ends in a check of the rest of it, so that a damaged line is told apart
// from a wrong passphrase, and one wrap still opens when the other's line is damaged.
QString checkedLine(const QString& text) { return text + QLatin1Char(' ') + base64(check(text)); }

// The line's fields without its check; empty when the check fails.
QStringList checkedFields(const QString& line) {
    const qsizetype last = line.lastIndexOf(QLatin1Char(' '));
    if (last < 0) return {};
    const QString text = line.first(last);
    if (QByteArray::fromBase64(line.sliced(last + 1).toLatin1()) != check(text)) return {};
    return text.split(QLatin1Char(' '));
}

QByteArray fromBase64(const QString& text, qsizetype size) {
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    return decoded && (size < 0 || decoded.decoded.size() == size) ? *decoded : QByteArray();
}

// What the wraps bind: the key file's version, the journal, and which wrap it is.
QByteArray wrapContext(const QByteArray& journalId, const char* kind) { return KeyFileHeader.toUtf8() + journalId + kind; }

QByteArray wrap(const unsigned char* dataKey, const unsigned char* wrappingKey, const QByteArray& context) {
    QByteArray wrapped = randomBytes(NonceBytes);
    wrapped.resize(qsizetype(NonceBytes + KeyBytes + TagBytes));
    auto* out = reinterpret_cast<unsigned char*>(wrapped.data());
    crypto_aead_xchacha20poly1305_ietf_encrypt(out + NonceBytes, nullptr, dataKey, KeyBytes, bytesOf(context), std::size_t(context.size()),
                                               nullptr, out, wrappingKey);
    return wrapped;
}

std::optional<JournalKey> unwrap(const QByteArray& wrapped, const unsigned char* wrappingKey, const QByteArray& journalId,
                                 const char* kind) {
    const QByteArray context = wrapContext(journalId, kind);
    GuardedBytes dataKey(KeyBytes);
    const auto* in = bytesOf(wrapped);
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(dataKey.data(), nullptr, nullptr, in + NonceBytes, KeyBytes + TagBytes, bytesOf(context),
                                                   std::size_t(context.size()), in, wrappingKey) != 0)
        return std::nullopt;
    return JournalKeyAccess::make(dataKey, journalId);
}

void derivePassphraseKey(GuardedBytes& out, const QByteArray& passphrase, const QByteArray& salt, int opsLimit, qint64 memLimit,
                         const QString& path) {
    if (crypto_pwhash(out.data(), KeyBytes, passphrase.constData(), std::size_t(passphrase.size()), bytesOf(salt),
                      (unsigned long long)opsLimit, std::size_t(memLimit), crypto_pwhash_ALG_ARGON2ID13) != 0)
        throw base::FileError(path, QStringLiteral("There is not enough memory to derive the key from the passphrase."));
}

void deriveRecoveryKey(GuardedBytes& out, const QByteArray& recoveryKey, const QByteArray& salt) {
    crypto_generichash(out.data(), KeyBytes, bytesOf(recoveryKey), std::size_t(recoveryKey.size()), bytesOf(salt),
                       std::size_t(salt.size()));
}

QString recoveryKeyText(const QByteArray& key) {
    QString text;
    int bits = 0;
    unsigned buffer = 0;
    for (const char byte : key) {
        buffer = (buffer << 8) | static_cast<unsigned char>(byte);
        for (bits += 8; bits >= 5; bits -= 5) {
            if (!text.isEmpty() && text.size() % (RecoveryGroupLetters + 1) == RecoveryGroupLetters) text += QLatin1Char('-');
            text += QLatin1Char(Base32Letters[(buffer >> (bits - 5)) & 31]);
        }
    }
    return text;
}

// The recovery key's bytes; empty when the text holds a letter that is not one, or too few or many.
QByteArray recoveryKeyBytes(const QString& text) {
    QByteArray key;
    int bits = 0;
    unsigned buffer = 0;
    for (const QChar c : text.toUpper()) {
        if (c.isSpace() || c == QLatin1Char('-')) continue;
        const char* letter = c.unicode() < 0x80 ? std::strchr(Base32Letters, char(c.unicode())) : nullptr;
        if (letter == nullptr || *letter == '\0') return {};
        buffer = (buffer << 5) | unsigned(letter - Base32Letters);
        if ((bits += 5) >= 8) key += char((buffer >> (bits -= 8)) & 0xFF);
    }
    return key.size() == qsizetype(RecoveryKeyBytes) ? key : QByteArray();
}

[[noreturn]] void damagedKeyFile(const QString& path, const QString& what) {
    throw base::FileError(path, QStringLiteral("The journal's key file is damaged (%1), so it cannot say whether a passphrase is right. "
                                               "Restore the file from a backup; the passphrase alone cannot open the journal without it.")
                                    .arg(what));
}

// The record's associated data: the journal and the record's place in the store.
QByteArray recordContext(const JournalKey& key, qint64 position) {
    QByteArray context = RecordContext + JournalKeyAccess::journalId(key);
    for (int shift = 0; shift < 64; shift += 8) context += char((quint64(position) >> shift) & 0xFF);
    return context;
}

}   // namespace

GuardedBytes::GuardedBytes(std::size_t size) : m_bytes(static_cast<unsigned char*>(sodium_malloc(size))) {
    if (m_bytes == nullptr) throw std::bad_alloc();
}

GuardedBytes::~GuardedBytes() { sodium_free(m_bytes); }

JournalKey::JournalKey(const unsigned char* bytes, QByteArray journalId)
    : m_bytes(static_cast<unsigned char*>(sodium_malloc(KeyBytes))), m_journalId(std::move(journalId)) {
    if (m_bytes == nullptr) throw std::bad_alloc();
    std::memcpy(m_bytes, bytes, KeyBytes);
    sodium_mprotect_readonly(m_bytes);
}

JournalKey::JournalKey(JournalKey&& other) noexcept
    : m_bytes(std::exchange(other.m_bytes, nullptr)), m_journalId(std::move(other.m_journalId)) {}

JournalKey& JournalKey::operator=(JournalKey&& other) noexcept {
    if (this != &other) {
        wipe();
        m_bytes = std::exchange(other.m_bytes, nullptr);
        m_journalId = std::move(other.m_journalId);
    }
    return *this;
}

JournalKey::~JournalKey() { wipe(); }

// sodium_free wipes the bytes before it frees them.
void JournalKey::wipe() {
    if (m_bytes == nullptr) return;
    sodium_mprotect_readwrite(m_bytes);
    sodium_free(m_bytes);
    m_bytes = nullptr;
}

JournalKey JournalKeyAccess::make(const GuardedBytes& dataKey, const QByteArray& journalId) {
    return JournalKey(dataKey.data(), journalId);
}

void requireSodium(const QString& path) {
    if (sodium_init() < 0) throw base::FileError(path, QStringLiteral("The cryptography library could not start."));
}

void wipeBytes(QByteArray& bytes) {
    if (!bytes.isEmpty()) sodium_memzero(bytes.data(), std::size_t(bytes.size()));
    bytes.clear();
}

QString journalKeyPath(const QString& storePath) { return storePath + QStringLiteral(".key"); }

QString damagedRecordsText(const DamagedRecords& records) {
    QStringList numbers;
    for (const int record : records) numbers << QString::number(record);
    if (numbers.size() == 1) return QStringLiteral("record ") + numbers.front();
    const QString last = numbers.takeLast();
    return QStringLiteral("records %1 and %2").arg(numbers.join(QStringLiteral(", ")), last);
}

KeyFile KeyFile::read(const QString& path) {
    const QStringList lines = base::readLines(path);
    if (lines.value(0) != KeyFileHeader) damagedKeyFile(path, QStringLiteral("its first line"));
    KeyFile file;
    const QStringList journal = checkedFields(lines.value(1));
    file.journalId = fromBase64(journal.value(1), JournalIdBytes);
    if (journal.value(0) != QLatin1String("journal") || file.journalId.isEmpty()) damagedKeyFile(path, QStringLiteral("the journal line"));
    const QStringList passphrase = checkedFields(lines.value(2));
    if (passphrase.value(0) == QLatin1String("passphrase") && passphrase.value(1) == QLatin1String("argon2id")) {
        file.opsLimit = passphrase.value(2).toInt();
        file.memLimit = passphrase.value(3).toLongLong();
        file.passphraseSalt = fromBase64(passphrase.value(4), crypto_pwhash_SALTBYTES);
        file.passphraseWrap = fromBase64(passphrase.value(5), NonceBytes + KeyBytes + TagBytes);
    }
    const QStringList recovery = checkedFields(lines.value(3));
    if (recovery.value(0) == QLatin1String("recovery") && recovery.value(1) == QLatin1String("blake2b")) {
        file.recoverySalt = fromBase64(recovery.value(2), RecoverySaltBytes);
        file.recoveryWrap = fromBase64(recovery.value(3), NonceBytes + KeyBytes + TagBytes);
    }
    return file;
}

QStringList KeyFile::lines() const {
    return {KeyFileHeader, checkedLine(QStringLiteral("journal ") + base64(journalId)),
            checkedLine(QStringLiteral("passphrase argon2id %1 %2 %3 %4")
                            .arg(opsLimit)
                            .arg(memLimit)
                            .arg(base64(passphraseSalt), base64(passphraseWrap))),
            checkedLine(QStringLiteral("recovery blake2b %1 %2").arg(base64(recoverySalt), base64(recoveryWrap)))};
}

void wrapWithPassphrase(KeyFile& file, const unsigned char* dataKey, const QByteArray& passphrase, const QString& path) {
    file.opsLimit = int(crypto_pwhash_OPSLIMIT_INTERACTIVE);
    file.memLimit = qint64(crypto_pwhash_MEMLIMIT_INTERACTIVE);
    file.passphraseSalt = randomBytes(crypto_pwhash_SALTBYTES);
    GuardedBytes wrappingKey(KeyBytes);
    derivePassphraseKey(wrappingKey, passphrase, file.passphraseSalt, file.opsLimit, file.memLimit, path);
    file.passphraseWrap = wrap(dataKey, wrappingKey.data(), wrapContext(file.journalId, "passphrase"));
}

KeyFile newKeyFile(const GuardedBytes& dataKey, const QByteArray& passphrase, QString& recoveryText, const QString& path) {
    KeyFile file;
    file.journalId = randomBytes(JournalIdBytes);
    wrapWithPassphrase(file, dataKey.data(), passphrase, path);
    QByteArray recoveryKey = randomBytes(RecoveryKeyBytes);
    recoveryText = recoveryKeyText(recoveryKey);
    file.recoverySalt = randomBytes(RecoverySaltBytes);
    GuardedBytes wrappingKey(KeyBytes);
    deriveRecoveryKey(wrappingKey, recoveryKey, file.recoverySalt);
    wipeBytes(recoveryKey);
    file.recoveryWrap = wrap(dataKey.data(), wrappingKey.data(), wrapContext(file.journalId, "recovery"));
    return file;
}

std::optional<JournalKey> unwrapWithPassphrase(const KeyFile& file, const QByteArray& passphrase, const QString& path) {
    if (file.passphraseWrap.isEmpty() || file.opsLimit < int(crypto_pwhash_OPSLIMIT_MIN) || file.opsLimit > MaxOpsLimit ||
        file.memLimit < qint64(crypto_pwhash_MEMLIMIT_MIN) || file.memLimit > MaxMemLimit)
        damagedKeyFile(path, QStringLiteral("the passphrase line"));
    GuardedBytes wrappingKey(KeyBytes);
    derivePassphraseKey(wrappingKey, passphrase, file.passphraseSalt, file.opsLimit, file.memLimit, path);
    return unwrap(file.passphraseWrap, wrappingKey.data(), file.journalId, "passphrase");
}

std::optional<JournalKey> unlockJournal(const QString& storePath, QByteArray passphrase) {
    const JournalFiles files(storePath);
    requireSodium(files.key);
    settleConversion(files);
    std::optional<JournalKey> key = unwrapWithPassphrase(KeyFile::read(files.key), passphrase, files.key);
    wipeBytes(passphrase);
    return key;
}

std::optional<JournalKey> unlockJournalWithRecoveryKey(const QString& storePath, const QString& recoveryKeyText) {
    const JournalFiles files(storePath);
    requireSodium(files.key);
    settleConversion(files);
    const KeyFile file = KeyFile::read(files.key);
    if (file.recoveryWrap.isEmpty()) damagedKeyFile(files.key, QStringLiteral("the recovery line"));
    QByteArray recoveryKey = recoveryKeyBytes(recoveryKeyText);
    if (recoveryKey.isEmpty()) return std::nullopt;
    GuardedBytes wrappingKey(KeyBytes);
    deriveRecoveryKey(wrappingKey, recoveryKey, file.recoverySalt);
    wipeBytes(recoveryKey);
    return unwrap(file.recoveryWrap, wrappingKey.data(), file.journalId, "recovery");
}

void requireKeyOf(const JournalFiles& files, const JournalKey* key) {
    if (key == nullptr || key->isWiped())
        throw base::FileError(files.store, QStringLiteral("The journal is encrypted and locked; it opens with its passphrase."));
    if (KeyFile::read(files.key).journalId != JournalKeyAccess::journalId(*key))
        throw base::FileError(files.store, QStringLiteral("The journal was encrypted again since it was unlocked; unlock it again."));
}

QByteArray sealLine(QByteArrayView record, qint64 position, const JournalKey& key) {
    const QByteArray context = recordContext(key, position);
    QByteArray sealed = randomBytes(NonceBytes);
    sealed.resize(qsizetype(NonceBytes) + record.size() + qsizetype(TagBytes));
    auto* out = reinterpret_cast<unsigned char*>(sealed.data());
    crypto_aead_xchacha20poly1305_ietf_encrypt(out + NonceBytes, nullptr, bytesOf(record), std::size_t(record.size()), bytesOf(context),
                                               std::size_t(context.size()), nullptr, out, JournalKeyAccess::bytes(key));
    return SealedPrefix + sealed.toBase64();
}

std::optional<QByteArray> openLine(QByteArrayView line, qint64 position, const JournalKey& key) {
    if (!line.startsWith(SealedPrefix)) return std::nullopt;
    const auto sealed =
        QByteArray::fromBase64Encoding(line.sliced(SealedPrefix.size()).toByteArray(), QByteArray::AbortOnBase64DecodingErrors);
    if (!sealed || sealed.decoded.size() < qsizetype(NonceBytes + TagBytes)) return std::nullopt;
    const QByteArray context = recordContext(key, position);
    QByteArray record(sealed.decoded.size() - qsizetype(NonceBytes + TagBytes), Qt::Uninitialized);
    const auto* in = bytesOf(*sealed);
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(reinterpret_cast<unsigned char*>(record.data()), nullptr, nullptr, in + NonceBytes,
                                                   std::size_t(sealed.decoded.size()) - NonceBytes, bytesOf(context),
                                                   std::size_t(context.size()), in, JournalKeyAccess::bytes(key)) != 0)
        return std::nullopt;
    return record;
}

}   // namespace veltrin::core

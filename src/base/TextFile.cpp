#include "base/TextFile.h"

#include "base/FileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <array>
#include <atomic>
#include <cerrno>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace veltrin::base {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five bytes Windows leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control character of the same value, as Windows does.
constexpr std::array<char16_t, 32> windows1252High = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021', u'\u02C6', u'\u2030', u'\u0160',
    u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F', u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022',
    u'\u2013', u'\u2014', u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

QString decodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte >= 0x80 && byte <= 0x9F ? QChar(windows1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

const QString FolderNotFile = QStringLiteral("It is a folder, not a file.");
const QString StreamNotFile = QStringLiteral("It is a device or a pipe, not a file.");

QString openFailure(const QString& path, const QFile& file) { return QFileInfo(path).isDir() ? FolderNotFile : file.errorString(); }

bool syncToDisk(QFile& file) {
#ifdef Q_OS_WIN
    return ::_commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

}   // namespace

// A device that takes part of the bytes says why only when asked for the rest, so the rest is
// offered again until it is all taken or refused.
bool writeWhole(QIODevice& device, const QByteArray& bytes, QString& reason) {
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = device.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            reason = device.errorString();
            return false;
        }
        done += written;
    }
    return true;
}

namespace {
std::atomic<ByteWriter*> g_writer{nullptr};
}   // namespace

bool writeBytes(QIODevice& device, const QByteArray& bytes, QString& reason) {
    ByteWriter* writer = g_writer.load();
    return writer ? writer->write(device, bytes, reason) : writeWhole(device, bytes, reason);
}

ByteWriter* useByteWriter(ByteWriter* writer) { return g_writer.exchange(writer); }

QByteArrayList splitLineBytes(const QByteArray& bytes) {
    QByteArrayList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') continue;
        lines << bytes.mid(start, i - start);
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines << bytes.mid(start);
    return lines;
}

QStringList splitLines(const QByteArray& bytes) {
    QStringList lines;
    for (const QByteArray& line : splitLineBytes(bytes)) lines << decodeLine(line);
    return lines;
}

QString decodeLine(QByteArrayView bytes) {
    // Stateless, so that a sequence cut off at the line's end counts as invalid.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? decodeWindows1252(bytes) : text;
}

QByteArray encodeLine(const QString& line) { return line.toUtf8(); }

bool fileExists(const QString& path) { return QFileInfo(path).isFile(); }

void requireReadable(const QString& path) {
    refuseStreamForReading(path);
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) throw FileError(path, openFailure(path, file));
}

QStringList readLines(const QString& path) { return splitLines(readBytes(path)); }

QByteArray readBytes(const QString& path) {
    refuseStreamForReading(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw FileError(path, openFailure(path, file));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw FileError(path, file.errorString());
    return bytes;
}

QByteArray lineBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += encodeLine(line) + "\r\n";
    return bytes;
}

void rewriteLines(const QString& path, const QStringList& lines) { rewriteBytes(path, lineBytes(lines)); }

void refuseAnythingButAFile(const QString& path) {
    const QFileInfo target(path);
    if (target.isDir()) throw FileError(path, FolderNotFile);
    if (target.exists() && !target.isFile())
        throw FileError(path, QStringLiteral("It is a device or a pipe, not a file, and is never replaced by one."));
}

// A pipe would keep the reader waiting for a writer, and a device such as /dev/zero never ends.
void refuseStreamForReading(const QString& path) {
    if (isStreamNode(path)) throw FileError(path, StreamNotFile);
}

void openForRewrite(QSaveFile& file) {
    refuseAnythingButAFile(file.fileName());
    if (!file.open(QIODevice::WriteOnly)) throw FileError(file.fileName(), file.errorString());
}

// A failed commit forgets why, so the last buffered bytes are flushed first, where the reason shows.
void commitRewrite(QSaveFile& file) {
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError(file.fileName(), reason);
    }
    if (!file.commit()) throw FileError(file.fileName(), file.errorString());
}

bool isStreamNode(const QString& path) {
    const QFileInfo node(path);
    return node.exists() && !node.isFile() && !node.isDir();
}

void writeAll(QIODevice& device, const QByteArray& bytes, const QString& name) {
    QString reason;
    if (!writeBytes(device, bytes, reason)) throw FileError(name, reason);
}

namespace {

// The new content, written out to the file's temporary copy; nothing is replaced yet. An unfinished
// QSaveFile removes its temporary file when it goes out of scope.
std::unique_ptr<QSaveFile> writeOut(const FileBytes& file) {
    auto save = std::make_unique<QSaveFile>(file.path);
    openForRewrite(*save);
    writeAll(*save, file.bytes, file.path);
    return save;
}

// A file as it was before a rewrite: its bytes, or none when there was no file.
struct FormerFile {
    QString path;
    std::optional<QByteArray> bytes;
};

void putBack(const std::vector<FormerFile>& replaced, FileError& error) noexcept {
    for (const FormerFile& former : replaced) {
        try {
            if (former.bytes) rewriteBytes(former.path, *former.bytes);
            else removeFile(former.path);
        } catch (...) {
            error.noteLeftChanged(QStringLiteral("%1 holds its new content; what it held before could not be put back.").arg(former.path));
        }
    }
}

// Cuts an append back to the file's old length (removes a file the append made). A cut that fails
// is noted on the error: the file then keeps what was appended, and the next reading takes it as data.
void cutBack(const QString& path, qint64 oldSize, FileError& error) noexcept {
    try {
        if (fileSize(path) == oldSize) return;   // nothing was written, or an inner append already undid it
        QFile file(path);
        const bool undone = oldSize < 0 ? file.remove() : file.resize(oldSize);
        if (!undone) throw FileError(path, file.errorString());
    } catch (...) {
        error.noteLeftChanged(QStringLiteral("%1 keeps the line just added to it; it could not be taken back out.").arg(path));
    }
}

}   // namespace

void rewriteBytes(const QString& path, const QByteArray& bytes) {
    const auto save = writeOut({path, bytes});
    commitRewrite(*save);
}

void rewriteTogether(const QList<FileBytes>& files) {
    std::vector<FormerFile> former;
    for (const FileBytes& file : files)
        former.push_back({file.path, fileExists(file.path) ? std::optional(readBytes(file.path)) : std::nullopt});
    std::vector<std::unique_ptr<QSaveFile>> saves;
    for (const FileBytes& file : files) saves.push_back(writeOut(file));
    for (std::size_t i = 0; i < saves.size(); ++i) {
        try {
            commitRewrite(*saves[i]);
        } catch (FileError& error) {
            putBack({former.begin(), former.begin() + qsizetype(i)}, error);
            throw;
        }
    }
}

void appendLine(const QString& path, const QString& line) {
    appendLineWith(path, line, [] {});
}

void appendLineWith(const QString& path, const QString& line, const std::function<void()>& storedWithIt) {
    refuseAnythingButAFile(path);
    const qint64 oldSize = fileSize(path);
    try {
        QFile file(path);
        // Unbuffered: the line goes to the system in one write, not in pieces from Qt's buffer.
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) throw FileError(path, openFailure(path, file));
        writeAll(file, encodeLine(line) + "\r\n", path);
        if (!file.flush()) throw FileError(path, file.errorString());
        if (!syncToDisk(file)) throw FileError(path, qt_error_string(errno));
        file.close();
        storedWithIt();
    } catch (FileError& error) {
        cutBack(path, oldSize, error);
        throw;
    }
}

qint64 fileSize(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

void removeFile(const QString& path) {
    QFile file(path);
    if (file.exists() && !file.remove()) throw FileError(path, file.errorString());
}

QString findIgnoringCase(const QString& folder, const QString& name) {
    if (QFileInfo::exists(folder + name)) return folder + name;
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return folder + entry;
    }
    return folder + name;
}

}   // namespace veltrin::base

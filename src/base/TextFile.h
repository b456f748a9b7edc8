#pragma once
// Classic text files: lines end in CR LF when written; on reading, CR or CR LF ends a line and a
// lone LF stays inside the line. Text is written as UTF-8; a line that is not valid UTF-8 is read
// as Windows-1252, so files written on Windows keep their accents.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;
class QSaveFile;

namespace veltrin::base {

// Splits raw file bytes into decoded lines. A last line without a line end counts when it is not empty.
QStringList splitLines(const QByteArray& bytes);
// Decodes one line: UTF-8 when valid, Windows-1252 otherwise.
QString decodeLine(const QByteArray& bytes);
// Encodes one line (without its line end) for writing.
QByteArray encodeLine(const QString& line);

bool fileExists(const QString& path);
// The file's lines; throws FileError when it cannot be opened or read.
QStringList readLines(const QString& path);
// The whole file's bytes; throws FileError when it cannot be opened or read.
QByteArray readBytes(const QString& path);

// Throws FileError naming the file when it cannot be read: missing, a folder, or not permitted.
void requireReadable(const QString& path);

// Rewrites the file whole: a temporary file in the same folder, renamed over the old one.
// On failure the old file is left as it was and FileError is thrown.
void rewriteLines(const QString& path, const QStringList& lines);
void rewriteBytes(const QString& path, const QByteArray& bytes);

// Every whole-file rewrite opens and ends here. A link is written through to the file it names;
// a folder, a device or a pipe in the file's place is refused (FileError naming it), since the
// rename at the end would put a plain file where it stood. Once opened, write with writeAll.
void openForRewrite(QSaveFile& file);
// Everything written reaches the temporary file, which then replaces the old one. Throws
// FileError; the old file then stays as it was.
void commitRewrite(QSaveFile& file);
// Whether the path (through links) names a device, a pipe or a socket: written as a stream, if at all.
bool isStreamNode(const QString& path);

// Writes all the bytes (through the test hook of failWritesAfter); throws FileError naming
// `name` with the system's reason when the device takes fewer.
void writeAll(QIODevice& device, const QByteArray& bytes, const QString& name);

// Appends one line (CR LF added) in one write and syncs it; creates the file if needed. On failure the
// file is cut back to its old length and FileError is thrown, so no half line is ever left.
void appendLine(const QString& path, const QString& line);

// The file's size in bytes, -1 when it does not exist.
qint64 fileSize(const QString& path);
// Removes the file if it exists.
void removeFile(const QString& path);

// One append and what must be stored with it, all or nothing. Made before the first write, it
// notes the file's length; unless commit() is called first, going out of scope (a FileError on
// its way to the handler boundary) cuts the file back to that length, or removes it if it was new.
// The undo is a cut, which needs no room on the disk; should it fail all the same, it throws
// nothing (an error is already on its way) and leaves a warning naming the file, which then keeps
// what was appended; the next reading takes it as data.
class PendingAppend {
public:
    explicit PendingAppend(QString path);
    ~PendingAppend() noexcept;
    PendingAppend(const PendingAppend&) = delete;
    PendingAppend& operator=(const PendingAppend&) = delete;
    void commit() noexcept { m_committed = true; }

private:
    QString m_path;
    qint64 m_oldSize;   // -1 when there was no file
    bool m_committed = false;
};

// The path of the file `name` in `folder` (a prefix ending in a separator), matching the name without
// regard to letter case when no file has exactly that name; folder + name when there is none at all.
QString findIgnoringCase(const QString& folder, const QString& name);

// Test hook: the next writes fail once this many more bytes have been written (-1: never).
void failWritesAfter(qint64 bytes);

}   // namespace veltrin::base

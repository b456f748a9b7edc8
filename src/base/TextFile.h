#pragma once
// Classic text files: lines end in CR LF when written; on reading, CR or CR LF ends a line and a
// lone LF stays inside the line. Text is written as UTF-8; a line that is not valid UTF-8 is read
// as Windows-1252, so files written on Windows keep their accents.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;
class QSaveFile;

namespace veltrin::base {

// Splits raw file bytes into decoded lines. A last line without a line end counts when it is not empty.
QStringList splitLines(const QByteArray& bytes);
// The same lines as they stand in the file, undecoded.
QByteArrayList splitLineBytes(const QByteArray& bytes);
// Decodes one line: UTF-8 when valid, Windows-1252 otherwise.
QString decodeLine(QByteArrayView bytes);
// Encodes one line (without its line end) for writing.
QByteArray encodeLine(const QString& line);
// The bytes of a file of these lines, each ended by CR LF.
QByteArray lineBytes(const QStringList& lines);

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
// Refuses to read a device, a pipe or a socket as a stored file (FileError naming it).
void refuseStreamForReading(const QString& path);

// Writes all the bytes through the writer in use; throws FileError naming `name` with the
// system's reason when the device takes fewer.
void writeAll(QIODevice& device, const QByteArray& bytes, const QString& name);

// Throws FileError when a folder, a device or a pipe stands in the file's place: the program writes
// only regular files (a link to one is written through), never over anything else.
void refuseAnythingButAFile(const QString& path);

struct FileBytes {
    QString path;
    QByteArray bytes;
};
// Rewrites several files, all or none: every new content is written out before the first file is
// replaced, and should replacing a later one fail, the files already replaced get their old bytes
// back. What cannot be put back is noted on the FileError thrown.
void rewriteTogether(const QList<FileBytes>& files);

// Appends one line (CR LF added) in one write and syncs it; creates the file if needed. On failure the
// file is cut back to its old length and FileError is thrown, so no half line is ever left.
void appendLine(const QString& path, const QString& line);
// Appends the line, then runs `storedWithIt`, which stores what goes with it; all or nothing: when
// either throws FileError, the file is cut back to its old length (removed if the append made it),
// and a cut that fails is noted on the error. The cut needs no room on the disk.
void appendLineWith(const QString& path, const QString& line, const std::function<void()>& storedWithIt);

// The file's size in bytes, -1 when it does not exist.
qint64 fileSize(const QString& path);
// Removes the file if it exists.
void removeFile(const QString& path);

// The path of the file `name` in `folder` (a prefix ending in a separator), matching the name without
// regard to letter case when no file has exactly that name; folder + name when there is none at all.
QString findIgnoringCase(const QString& folder, const QString& name);

// What puts the bytes of every write of the file rules on the device: the system's writes, or a
// writer a caller puts in their place (one that fails as a full disk would, to try the rules).
class ByteWriter {
public:
    virtual ~ByteWriter() = default;
    // Writes all the bytes; false with the system's reason when the device takes fewer.
    virtual bool write(QIODevice& device, const QByteArray& bytes, QString& reason) = 0;
};
// The system's writes, retried until every byte is taken or the device refuses.
bool writeWhole(QIODevice& device, const QByteArray& bytes, QString& reason);
// Writes all the bytes through the writer in use; false with the reason when they are not all taken.
bool writeBytes(QIODevice& device, const QByteArray& bytes, QString& reason);
// Puts `writer` in place of the writer in use (none: the system's writes) and returns the one it replaces.
ByteWriter* useByteWriter(ByteWriter* writer);

}   // namespace veltrin::base

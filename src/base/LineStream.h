#pragma once
// Classic text files a line at a time, for files that are not to be held in memory whole. The
// line rules are those of TextFile.h.
#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

namespace veltrin::base {

// Reads a file line by line: CR or CR LF ends a line, a lone LF stays inside it, and a last line
// without a line end counts when it is not empty. Throws FileError when the file cannot be opened
// or read.
class LineReader {
public:
    explicit LineReader(const QString& path);
    // Puts the next line into `line`; false at the end of the file.
    bool next(QString& line);

private:
    void readMore();

    QString m_path;
    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_start = 0;     // where the next line begins in m_buffer
    qsizetype m_scanned = 0;   // bytes after m_start already known to hold no CR
    bool m_atEnd = false;
};

// Writes a file whole, line by line (CR LF added), into a temporary file in the same folder that
// commit() renames over the old one. Destroyed without commit, it leaves the old file as it was.
// Throws FileError.
class AtomicLineWriter {
public:
    explicit AtomicLineWriter(const QString& path);
    void write(const QString& line);
    void commit();

private:
    QString m_path;
    QSaveFile m_file;
};

}   // namespace veltrin::base

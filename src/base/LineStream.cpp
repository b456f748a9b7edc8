#include "base/LineStream.h"

#include "base/FileError.h"
#include "base/TextFile.h"

#include <QFileInfo>

namespace veltrin::base {

namespace {
constexpr qint64 ChunkBytes = 64 * 1024;
}   // namespace

LineReader::LineReader(const QString& path) : m_path(path), m_file(path) {
    if (QFileInfo(path).isDir()) throw FileError(path, QStringLiteral("It is a folder, not a file."));
    refuseStreamForReading(path);
    if (!m_file.open(QIODevice::ReadOnly)) throw FileError(path, m_file.errorString());
}

bool LineReader::next(QString& line) {
    for (;;) {
        const qsizetype cr = m_buffer.indexOf('\r', m_start + m_scanned);
        // A CR at the end of what was read may be the first half of CR LF: read on before deciding.
        if (cr >= 0 && (cr + 1 < m_buffer.size() || m_atEnd)) {
            line = decodeLine(QByteArrayView(m_buffer).sliced(m_start, cr - m_start));
            m_start = cr + 1;
            if (m_start < m_buffer.size() && m_buffer[m_start] == '\n') ++m_start;
            m_scanned = 0;
            return true;
        }
        if (m_atEnd) {
            if (m_start >= m_buffer.size()) return false;
            line = decodeLine(QByteArrayView(m_buffer).sliced(m_start));
            m_start = m_buffer.size();
            return true;
        }
        m_scanned = cr >= 0 ? cr - m_start : m_buffer.size() - m_start;
        readMore();
    }
}

void LineReader::readMore() {
    m_buffer.remove(0, m_start);
    m_start = 0;
    const QByteArray chunk = m_file.read(ChunkBytes);
    if (m_file.error() != QFileDevice::NoError) throw FileError(m_path, m_file.errorString());
    m_atEnd = chunk.isEmpty();
    m_buffer += chunk;
}

AtomicLineWriter::AtomicLineWriter(const QString& path) : m_path(path), m_file(path) { openForRewrite(m_file); }

void AtomicLineWriter::write(const QString& line) {
    QString reason;
    if (!writeBytes(m_file, encodeLine(line) + "\r\n", reason)) {
        m_file.cancelWriting();
        throw FileError(m_path, reason);
    }
}

void AtomicLineWriter::commit() { commitRewrite(m_file); }

}   // namespace veltrin::base

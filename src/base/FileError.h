#pragma once
// The one error type of the program: a file operation that failed, with the path and the
// system's reason. Thrown by the file rules below. It is caught where the user is told (the handler
// boundary, the start-up, the progress reset, a journal command), by an undo that puts back what
// its operation changed and throws it on, and where the program's behaviour is to show an
// unreadable document as an empty one.
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace veltrin::base {

class FileError : public std::runtime_error {
public:
    FileError(QString path, QString reason);
    const QString& path() const { return m_path; }
    const QString& reason() const { return m_reason; }
    // What a failed operation changed and could not put back, one note per file ("<path> now holds
    // ..."); added by the undo of an all-or-nothing write while the error is on its way out.
    const QStringList& leftChanged() const { return m_leftChanged; }
    void noteLeftChanged(const QString& note) { m_leftChanged << note; }

private:
    QString m_path;
    QString m_reason;
    QStringList m_leftChanged;
};

}   // namespace veltrin::base

#pragma once
// The one error type of the program: a file operation that failed, with the path and the
// system's reason. Thrown by the file rules below, caught only at the shell's handler boundary.
#include <QString>
#include <stdexcept>

namespace veltrin::base {

class FileError : public std::runtime_error {
public:
    FileError(QString path, QString reason);
    const QString& path() const { return m_path; }
    const QString& reason() const { return m_reason; }

private:
    QString m_path;
    QString m_reason;
};

}   // namespace veltrin::base

#include "base/FileError.h"

namespace veltrin::base {

FileError::FileError(QString path, QString reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()), m_path(std::move(path)), m_reason(std::move(reason)) {}

}   // namespace veltrin::base

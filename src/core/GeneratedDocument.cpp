#include "core/GeneratedDocument.h"

#include "base/TextFile.h"

namespace veltrin::core {

void WriteGeneratedDocument(const QString& path, const QStringList& body) {
    base::rewriteLines(path, QStringList{DocumentHeader} + body + QStringList{QStringLiteral("}")});
}

}   // namespace veltrin::core

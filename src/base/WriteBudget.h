#pragma once
// Inside the file rules only: every write goes through the test hook of failWritesAfter.
#include <QIODevice>
#include <QString>

namespace veltrin::base {

// Writes the bytes; false with the reason when the device or the test hook's budget refuses them.
bool writeWithinBudget(QIODevice& device, const QByteArray& bytes, QString& reason);

}   // namespace veltrin::base

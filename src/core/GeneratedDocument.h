#pragma once
// The documents the program writes for Torch and the journal report: RTF with a fixed header.
#include <QString>
#include <QStringList>

namespace veltrin::core {

// The first line of every document the program writes: font 26 and the colour table, no signature word.
inline const QString DocumentHeader =
    QStringLiteral("{\\f26 {\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;"
                   "\\red255\\green255\\blue0;\\red128\\green128\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;"
                   "\\red128\\green0\\blue128;\\red192\\green192\\blue192;}\\ql");

// Rewrites a generated document whole: the header, the body lines, then "}". Throws FileError.
void WriteGeneratedDocument(const QString& path, const QStringList& body);

}   // namespace veltrin::core

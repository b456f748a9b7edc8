// Course documents as RTF, written the way a word processor writes them.
#pragma once

#include "Markup.h"
#include "TextStyle.h"

#include <QByteArray>

namespace veltrin::course {

// A whole document: signature, font and colour tables, then one paragraph per block, set apart
// by the style's block space or by an empty paragraph. Text outside ASCII becomes \'hh (Windows-1252) or \uN.
QByteArray toRtf(const QList<Block>& blocks, const TextStyle& style);

// One piece of text with RTF's special characters and non-ASCII characters escaped.
QByteArray escapeRtf(const QString& text);

}   // namespace veltrin::course

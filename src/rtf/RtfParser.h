#pragma once

#include "rtf/RtfStyle.h"

#include <QByteArray>

namespace veltrin::rtf {

// Reads RTF into the tables and the sink: the header tables fill `tables`, the body goes to the
// sink in reading order. Never throws; malformed or truncated input yields what could be read.
void parseRtf(const QByteArray& rtf, DocumentTables& tables, RtfSink& sink);

}   // namespace veltrin::rtf

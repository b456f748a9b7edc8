// Fuzz target: any journal store turns into a report without a crash, a memory error or undefined
// behaviour, and the report is a whole document.
#include "base/TextFile.h"
#include "journal/JournalReport.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {
QTemporaryDir* g_folder = nullptr;
const veltrin::journal::RankBarTexts RankBars{QString(), ".=        .", ".==      .", ".===    .", ".====  .", ".=====."};
}   // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static QTemporaryDir folder;
    g_folder = &folder;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrin;
    const QString store = g_folder->filePath(core::JournalStoreName);
    const QString report = g_folder->filePath(journal::JournalReportName);
    base::rewriteBytes(store, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    journal::writeJournalReport(store, report, RankBars);
    if (!base::readBytes(report).endsWith("}\r\n")) __builtin_trap();
    return 0;
}

// Fuzz target: the index and progress files, whatever they hold, load without a crash, a memory
// error or undefined behaviour, and what was loaded is saved and loaded back unchanged. The input
// is the four files status.ndx, work.ndx, info.ndx and mission.ndx, separated by NUL bytes; a file
// the input does not reach is missing.
#include "FuzzProgram.h"

#include "base/TextFile.h"
#include "progress/Progress.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace {

veltrin::fuzz::FuzzProgram* g_fuzz = nullptr;

constexpr std::array<const char*, 4> StoredFiles{"status.ndx", "work.ndx", "info.ndx", "mission.ndx"};

void writeStoredFiles(const QByteArray& input) {
    const QList<QByteArray> parts = input.split('\0');
    for (std::size_t i = 0; i < StoredFiles.size(); ++i) {
        const QString path = g_fuzz->file(QLatin1String(StoredFiles[i]));
        if (qsizetype(i) < parts.size()) veltrin::base::rewriteBytes(path, parts[qsizetype(i)]);
        else veltrin::base::removeFile(path);
    }
}

}   // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    veltrin::fuzz::startApplication(argc, argv);
    static veltrin::fuzz::FuzzProgram fuzz;
    g_fuzz = &fuzz;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrin;
    g_fuzz->reset();
    writeStoredFiles(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    Program& p = g_fuzz->program;
    progress::FillRequirementTables(p);
    progress::LoadProgressFiles(p);
    progress::RefillLists(p);
    progress::TestRequirements(p);
    const state::ProgramState loaded = p.state;
    progress::SaveProgressFiles(p);
    progress::LoadProgressFiles(p);
    if (p.state.StageCounters != loaded.StageCounters || p.state.SubjectProgress != loaded.SubjectProgress) __builtin_trap();
    return 0;
}

// Fuzz target: any settings file reads into the state or is refused with the line it names; no
// crash, memory error or undefined behaviour, and a refused file leaves the state untouched.
#include "FuzzProgram.h"

#include "base/TextFile.h"
#include "shell/Shell.h"

#include <cstddef>
#include <cstdint>

namespace {
veltrin::fuzz::FuzzProgram* g_fuzz = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    veltrin::fuzz::startApplication(argc, argv);
    static veltrin::fuzz::FuzzProgram fuzz;
    g_fuzz = &fuzz;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrin;
    g_fuzz->reset();
    base::rewriteBytes(g_fuzz->file(shell::SettingsFileName),
                       QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const shell::ProgramState before = g_fuzz->program.state;
    try {
        shell::ReadSettings(g_fuzz->program);
    } catch (const shell::SettingsError& error) {
        if (error.line() < 1 || error.line() > 7 || g_fuzz->program.state.AppDir != before.AppDir ||
            g_fuzz->program.state.CourseStage != before.CourseStage)
            __builtin_trap();
    }
    return 0;
}

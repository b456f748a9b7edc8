// Fuzz target: any settings file parses into settings or is refused with the line it names; no
// crash, memory error or undefined behaviour. Parsing needs no window and writes no file.
#include "base/TextFile.h"
#include "core/Settings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltrin;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        core::parseSettings(base::splitLines(bytes), core::SettingsFileName);
    } catch (const core::SettingsError& error) {
        if (error.line() < 1 || error.line() > 7) __builtin_trap();
    }
    return 0;
}

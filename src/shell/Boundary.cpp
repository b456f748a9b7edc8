#include "shell/Shell.h"

namespace veltrin::shell {

namespace {

// The message may say the stored files are as they were only when every undo succeeded.
QString outcome(const base::FileError& error) {
    if (error.leftChanged().isEmpty()) return QStringLiteral("The action was not carried out; your stored files are as they were.");
    return QStringLiteral("The action was not carried out, but not every file could be put back:\n%1")
        .arg(error.leftChanged().join(QLatin1Char('\n')));
}

}   // namespace

void RunGuarded(Program& p, const std::function<void()>& handler) {
    try {
        state::RunOperation(p, handler);
    } catch (const base::FileError& error) {
        p.sys.setBusyCursor(false);
        p.sys.messageBox(
            QStringLiteral("Veltrin could not use the file\n%1\n\n%2\n\n%3").arg(error.path(), error.reason(), outcome(error)));
    }
}

}   // namespace veltrin::shell

#include "shell/Shell.h"

namespace veltrin::shell {

void RunGuarded(Program& p, const std::function<void()>& handler) {
    try {
        state::RunOperation(p, handler);
    } catch (const base::FileError& error) {
        p.sys.setBusyCursor(false);
        p.sys.messageBox(QStringLiteral("Veltrin could not use the file\n%1\n\n%2\n\n"
                                        "The action was not carried out; your stored files are as they were.")
                             .arg(error.path(), error.reason()));
    }
}

}   // namespace veltrin::shell

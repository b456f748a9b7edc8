#pragma once
// Connecting a control's signal to its handler through the handler boundary.
#include "shell/Shell.h"

namespace veltrin::shell {

using Handler = void (*)(Program&);

template <typename Sender, typename Signal>
void on(Program& p, Sender* sender, Signal signal, Handler handler) {
    QObject::connect(sender, signal, &p.window, [&p, handler] { RunGuarded(p, [&p, handler] { handler(p); }); });
}

}   // namespace veltrin::shell

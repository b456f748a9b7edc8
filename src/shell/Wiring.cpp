#include "shell/Wire.h"

namespace veltrin::shell {

void WireControls(Program& p) {
    WireReaderControls(p);
    WireTorchControls(p);
    WireJournalControls(p);
    on(p, &p.form, &ui::Form1::unloading, Form_Unload);
    on(p, &p.form, &ui::Form1::lostFocus, Form_LostFocus);
    on(p, p.form.Command9, &QAbstractButton::clicked, Command9_Click);
}

} // namespace veltrin::shell

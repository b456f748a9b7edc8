#include "shell/Wire.h"

#include "journal/Journal.h"

namespace veltrin::shell {

void WireJournalControls(Program& p) {
    ui::Form1& f = p.form;
    on(p, f.Command13, &QAbstractButton::clicked, journal::Command13_Click);
    on(p, f.Command15, &QAbstractButton::clicked, journal::Command15_Click);
    on(p, f.Command16, &QAbstractButton::clicked, journal::Command16_Click);
    on(p, f.Command17, &QAbstractButton::clicked, journal::Command17_Click);
    on(p, f.Combo2, &QComboBox::activated, journal::Combo2_Click);
}

} // namespace veltrin::shell

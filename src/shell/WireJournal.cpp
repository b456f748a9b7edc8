#include "shell/Wire.h"

#include "journal/Journal.h"

namespace veltrin::shell {

void WireJournalControls(Program& p) {
    ui::MainWindow& f = p.window;
    on(p, f.journalButton, &QAbstractButton::clicked, journal::onJournalButtonClicked);
    on(p, f.viewJournalButton, &QAbstractButton::clicked, journal::onViewJournalClicked);
    on(p, f.doneButton, &QAbstractButton::clicked, journal::onDoneClicked);
    on(p, f.addEntryButton, &QAbstractButton::clicked, journal::onAddEntryClicked);
    on(p, f.journalChartButton, &QAbstractButton::clicked, journal::onJournalChartClicked);
    on(p, f.exportJournalButton, &QAbstractButton::clicked, journal::onExportJournalClicked);
    on(p, f.subjectBox, &QComboBox::activated, journal::onSubjectPicked);
}

}   // namespace veltrin::shell

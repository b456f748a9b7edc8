#include "shell/Wire.h"

#include "journal/Journal.h"
#include "ui/PresenceWatch.h"

#include <QTimer>

namespace veltrin::shell {

namespace {

// How often the idle time is looked at: a protected journal locks within this of its idle time.
constexpr int IdleLookMilliseconds = 15'000;

// A protected journal locks when the user leaves the program alone or the screen locks.
void watchPresence(Program& p) {
    auto* watch = new ui::PresenceWatch(&p.window);
    QObject::connect(watch, &ui::PresenceWatch::screenLocked, &p.window, [&p] { RunGuarded(p, [&p] { journal::lockJournal(p); }); });
    auto* idleLook = new QTimer(&p.window);
    QObject::connect(idleLook, &QTimer::timeout, &p.window,
                     [&p, watch] { RunGuarded(p, [&p, watch] { journal::lockJournalWhenIdle(p, watch->idleMilliseconds()); }); });
    idleLook->start(IdleLookMilliseconds);
    // The buses are joined once the window is up, so that start-up does not wait for them.
    QTimer::singleShot(0, watch, [watch] { watch->listen(QDBusConnection::sessionBus(), QDBusConnection::systemBus()); });
}

}   // namespace

void WireJournalControls(Program& p) {
    ui::MainWindow& f = p.window;
    on(p, f.journalButton, &QAbstractButton::clicked, journal::onJournalButtonClicked);
    on(p, f.viewJournalButton, &QAbstractButton::clicked, journal::onViewJournalClicked);
    on(p, f.doneButton, &QAbstractButton::clicked, journal::onDoneClicked);
    on(p, f.addEntryButton, &QAbstractButton::clicked, journal::onAddEntryClicked);
    on(p, f.journalChartButton, &QAbstractButton::clicked, journal::onJournalChartClicked);
    on(p, f.exportJournalButton, &QAbstractButton::clicked, journal::onExportJournalClicked);
    on(p, f.subjectBox, &QComboBox::activated, journal::onSubjectPicked);
    on(p, f.protectJournalButton, &QAbstractButton::clicked, journal::onProtectJournalClicked);
    watchPresence(p);
}

}   // namespace veltrin::shell

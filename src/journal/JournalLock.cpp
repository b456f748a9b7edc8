// The protected journal in the program: turning protection on, asking for the passphrase when the
// journal is first opened in a session, and locking it again when the user leaves the program alone
// or the screen locks.
#include "journal/Journal.h"

#include "journal/JournalChartWindow.h"
#include "journal/JournalParts.h"
#include "journal/JournalReport.h"

#include "base/Numbers.h"
#include "base/TextFile.h"
#include "core/JournalSeal.h"
#include "torch/Torch.h"

namespace veltrin::journal {

namespace {

const QString LockSettingsName = QStringLiteral("veltrin-lock.ini");
const QString ProtectCaption = QStringLiteral("Protect Journal...");
const QString LockCaption = QStringLiteral("Lock Journal");
constexpr int DefaultLockMinutes = 10;

QString lockSettingsPath(const Program& p) { return p.state.WinDir + LockSettingsName; }

// The idle time the user chose when protecting the journal; the default when none was kept or the
// line holds no whole number of minutes in the dialog's range.
int readLockMinutes(const Program& p) {
    const QString path = lockSettingsPath(p);
    if (!base::fileExists(path)) return DefaultLockMinutes;
    const qint64 minutes = base::readNumber(base::readLines(path).value(0));
    return minutes >= 1 && minutes <= ui::LongestLockMinutes ? int(minutes) : DefaultLockMinutes;
}

QString recoveryKeyMessage(const QString& recoveryKey) {
    return QStringLiteral(
               "Your journal is protected now.\n\nYour recovery key:\n\n%1\n\nWrite it down and keep it away from this computer. "
               "It opens the journal if you forget the passphrase. Veltrin shows it only this once: if both the "
               "passphrase and the recovery key are lost, nobody can open the journal.")
        .arg(recoveryKey);
}

void protectJournal(Program& p) {
    const ui::PassphraseQuestion question{
        QStringLiteral("Protect Journal"),
        QStringLiteral("Choose a passphrase for your journal. Veltrin then keeps the journal encrypted and asks for the passphrase "
                       "when you open it. The journal report and the copies of the journal that the progress reset kept are removed."),
        true, readLockMinutes(p)};
    auto answer = p.sys.askPassphrase(&p.window, question);
    if (!answer) return;
    const QString store = storePath(p);
    p.sys.setBusyCursor(true);
    const QString recoveryKey = core::encryptJournal(store, QByteArray(answer->passphrase.constData(), answer->passphrase.size()));
    p.sys.setBusyCursor(false);
    // The recovery key first, then the plain copies gone: whatever fails after the conversion, the
    // user has seen the key, and no copy stays because the idle time could not be kept.
    p.sys.messageBox(recoveryKeyMessage(recoveryKey));
    showProtection(p);
    p.journalLock.key = core::unlockJournal(store, std::move(answer->passphrase));
    p.journalLock.lockMinutes = answer->lockMinutes;
    core::removePlainCopies(core::plainJournalCopies(store));
    base::rewriteLines(lockSettingsPath(p), {base::numberText(answer->lockMinutes)});
}

void closeChartWindow(Program& p) {
    if (auto* chart = p.window.findChild<JournalChartWindow*>(ChartWindowName)) chart->close();
}

}   // namespace

void reportDamagedRecords(Program& p, const core::DamagedRecords& damaged) {
    if (damaged.isEmpty()) return;
    p.sys.messageBox(QStringLiteral("The journal's %1 could not be opened: damaged. Every other entry was read.\n\nFile: %2")
                         .arg(core::damagedRecordsText(damaged), storePath(p)));
}

const core::JournalKey* journalKey(const Program& p) { return p.journalLock.key ? &*p.journalLock.key : nullptr; }

void showProtection(Program& p) {
    p.window.protectJournalButton->setText(core::journalIsSealed(storePath(p)) ? LockCaption : ProtectCaption);
}

// A wrong passphrase is said and leaves the journal locked; the user may try again at the next click.
bool unlockJournalIfSealed(Program& p) {
    const QString store = storePath(p);
    if (p.journalLock.key || !core::journalIsSealed(store)) return true;
    auto answer = p.sys.askPassphrase(&p.window, {QStringLiteral("Journal Locked"), QStringLiteral("The passphrase of your journal:")});
    if (!answer) return false;
    p.sys.setBusyCursor(true);
    p.journalLock.key = core::unlockJournal(store, std::move(answer->passphrase));
    p.sys.setBusyCursor(false);
    if (!p.journalLock.key) {
        p.sys.messageBox(QStringLiteral("The passphrase is wrong: the journal stays locked."));
        return false;
    }
    p.journalLock.lockMinutes = readLockMinutes(p);
    return true;
}

// The frame, the report and the chart close as Done closes them, without a sound: the user is away.
void lockJournal(Program& p) {
    if (!p.journalLock.key) return;
    if (p.state.screen.JournalOpen || p.state.screen.ReportOpen) {
        showReportOpen(p, false);
        torch::showJournalFrame(p, false);
        torch::showDocumentViewer(p, false);
        p.window.documentViewer->SetText(QString());   // the report's text leaves memory with the key
        enableScrollBars(p, true);
    }
    closeChartWindow(p);
    p.journalLock.key.reset();
}

void lockJournalWhenIdle(Program& p, qint64 idleMilliseconds) {
    if (p.journalLock.key && idleMilliseconds >= qint64(p.journalLock.lockMinutes) * 60'000) lockJournal(p);
}

// A protected journal locks at once; an unprotected one is protected.
void onProtectJournalClicked(Program& p) {
    torch::CloseContactWindow(p);
    if (core::journalIsSealed(storePath(p))) lockJournal(p);
    else protectJournal(p);
}

}   // namespace veltrin::journal

// What reminders ask of the start-up: the journal opened for "Write now", and a reminder that no
// notification server could show, shown by Torch instead.
#include "shell/Shell.h"

#include "core/GeneratedDocument.h"
#include "journal/JournalReport.h"
#include "remind/Remind.h"
#include "torch/Torch.h"

#include <QLoggingCategory>

namespace veltrin::shell {

namespace {

// Says at start-up whether the journal frame is open; off unless asked for (veltrin.startup.info=true).
Q_LOGGING_CATEGORY(startupLog, "veltrin.startup", QtWarningMsg)

const QString KeptReminderDocument = QStringLiteral("reminder.rtf");

QStringList keptReminderBody(const QStringList& lines) {
    QStringList body{QStringLiteral("\\cf2 While Veltrin was closed, your reminder said:\\par")};
    for (const QString& line : lines) body << QStringLiteral("\\par\\cf1 ") + journal::reportText(line);
    return body;
}

}   // namespace

void OpenRequestedView(Program& p, const QStringList& arguments) {
    if (arguments.contains(remind::JournalOption) && !p.state.screen.JournalOpen) p.window.journalButton->click();
    qCInfo(startupLog, "journal frame %s", p.state.screen.JournalOpen ? "open" : "closed");
}

// The reminder is cleared once Torch shows it; a document that cannot be written keeps it for the next start.
void ShowKeptReminder(Program& p) {
    const QStringList lines = remind::readState(p.state.WinDir).pending;
    if (lines.isEmpty() || p.state.screen.TorchPanel != state::TorchPanelState::Closed) return;
    core::WriteGeneratedDocument(p.state.settings.AppDir + KeptReminderDocument, keptReminderBody(lines));
    torch::ShowTorchDocument(p, KeptReminderDocument, 0);
    remind::clearPending(p.state.WinDir);
}

}   // namespace veltrin::shell

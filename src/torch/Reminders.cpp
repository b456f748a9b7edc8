// The reminder times beside the sound setting of the contact window.
#include "torch/Torch.h"

#include "remind/Remind.h"

#include <QCoreApplication>

namespace veltrin::torch {

namespace {

// The program the timer and the reminder's actions start: the launcher beside this program.
remind::Places reminderPlaces(const Program& p) {
    return remind::userPlaces(p.state.WinDir, QCoreApplication::applicationDirPath() + QStringLiteral("/veltrin"));
}

}   // namespace

void ShowReminderTimes(Program& p) { p.contact.reminderTimes->setText(remind::timeListText(remind::readTimes(p.state.WinDir))); }

// No times turns the reminders off; times that cannot be read change nothing.
void onReminderTimesSet(Program& p) {
    const std::optional<QList<QTime>> times = remind::parseTimeList(p.contact.reminderTimes->text());
    if (!times) {
        p.sys.messageBox(QStringLiteral("Reminder times are written as 20:00 or 8:30, several with commas between.\n\n"
                                        "The reminders stay as they were."));
        return;
    }
    const QDateTime now = p.sys.now();
    if (times->isEmpty()) remind::turnOff(reminderPlaces(p));
    else remind::setTimes(reminderPlaces(p), *times, {now.date(), now.time()});
    ShowReminderTimes(p);
}

}   // namespace veltrin::torch

#pragma once
// The course shell: start-up and exit, restoring progress and scenery, the progress reset, the
// handler boundary and the wiring of the controls.
#include "state/State.h"

#include "base/FileError.h"

#include <QString>
#include <functional>

namespace veltrin::shell {

// Fills WinDir from the system: its folder, trimmed, with exactly one separator at the end.
void FindWindowsDir(Program& p);
// Loads the pictures that stay the same at every stage (arrows, side buttons, marker, award cover).
void DressControls(Program& p);

// Start-up sequence; ends the program when it cannot start.
void StartProgram(Program& p);
void onExitClicked(Program& p);
void onWindowClosed(Program& p);
void onFocusLost(Program& p);
// Start options: --journal opens the journal frame as its button would, once the program has started.
void OpenRequestedView(Program& p, const QStringList& arguments);
// Shows in the Torch panel a reminder that no notification could show while the program was
// closed, and clears it. Throws FileError.
void ShowKeptReminder(Program& p);

// When no settings file exists yet, installs the sample course into the user's data folder and
// writes a settings file for it. Returns false when a settings file already exists.
bool InstallSampleCourseIfFirstRun(Program& p, const QString& sampleCourse);
// The sample course shipped beside the program (<program folder>/../share/veltrin/course).
QString SampleCourseFolder();

// Runs one handler: a FileError puts back what the handler changed, tells the user which file
// failed and why, and the program keeps running. What handlers that ran nested inside it (in its
// yields) changed stays: they were actions of their own and have stored their work.
void RunGuarded(Program& p, const std::function<void()>& handler);
// Connects every control to its handler, and the window's own events.
void WireControls(Program& p);
// The same for one subsystem's controls only.
void WireReaderControls(Program& p);
void WireTorchControls(Program& p);
void WireJournalControls(Program& p);
// The keyboard: each shortcut clicks its control (Space the up arrow, Ctrl+Q the exit button, ...).
void WireKeys(Program& p);

// Progress reset: erase, Yes, No.
void onEraseClicked(Program& p);
void onYesClicked(Program& p);
void onNoClicked(Program& p);

}   // namespace veltrin::shell

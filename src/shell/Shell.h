#pragma once
// The course shell: settings file, start-up and exit, restoring progress and scenery, the handler
// boundary and the wiring of the controls.
#include "shell/Program.h"

#include "base/FileError.h"

#include <QString>
#include <functional>

namespace veltrin::shell {

// The settings file is wrong in a way the user must mend by hand: names the file and the line.
class SettingsError : public base::FileError {
public:
    SettingsError(const QString& path, int line, const QString& problem);
    int line() const { return m_line; }

private:
    int m_line;
};

inline const QString SettingsFileName = QStringLiteral("veltrin3.ini");

// Fills WinDir from the system: its folder, trimmed, with exactly one separator at the end.
void FindWindowsDir(Program& p);
// Rewrites the settings file from the state, with `stage` as line 5. Throws FileError; the old
// file stays whole on failure.
void SaveSettings(Program& p, int stage);
// Reads the settings file into the state (folders, delay, stage, position, mute; DueLevelPos).
// Throws SettingsError naming the line when a value is missing or a folder does not exist; the
// state is changed only when the whole file is good.
void ReadSettings(Program& p);

// Rebuilds the visible state of the course from the stored files and dresses the window.
void RestoreProgress(Program& p);
// Loads the pictures of the scenery for the current stage.
void DressScenery(Program& p);
// Loads the pictures that stay the same at every stage (arrows, side buttons, marker, award cover).
void DressControls(Program& p);

// Start-up sequence; ends the program when it cannot start.
void StartProgram(Program& p);
void onExitClicked(Program& p);
void onWindowClosed(Program& p);
void onFocusLost(Program& p);

// When no settings file exists yet, installs the sample course into the user's data folder and
// writes a settings file for it. Returns false when a settings file already exists.
bool InstallSampleCourseIfFirstRun(Program& p, const QString& sampleCourse);
// The sample course shipped beside the program (<program folder>/../share/veltrin/course).
QString SampleCourseFolder();

// Runs one handler: a FileError puts back what the handler changed, tells the user which file
// failed and why, and the program keeps running. What handlers that ran nested inside it (in its
// yields) changed stays: they were actions of their own and have stored their work.
void RunGuarded(Program& p, const std::function<void()>& handler);
// Runs one operation of a handler that goes on after it (a check-point of the scroll loop): once
// it has returned, a later failure of the handler keeps what it changed. A FileError puts back what
// the operation changed and goes on to the handler's boundary.
void RunOperation(Program& p, const std::function<void()>& operation);
// Connects every control to its handler, and the window's own events.
void WireControls(Program& p);
// The same for one subsystem's controls only.
void WireReaderControls(Program& p);
void WireTorchControls(Program& p);
void WireJournalControls(Program& p);

// Blocks in the event loop, without spinning, until the Ask Torch button is visible again: the
// user has closed the Torch panel.
void WaitForTorchClosed(Program& p);

} // namespace veltrin::shell

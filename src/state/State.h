#pragma once
// The state below the subsystems: the program object and its state, the stage, the settings file,
// the rollback of operations and the Torch panel, which every subsystem opens and closes.
#include "state/Program.h"
#include "state/ReadingPosition.h"

#include "base/FileError.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace veltrin::state {

// Stages -1 .. 14: the introduction (-1), the first pass through levels 1 .. 7 (0 .. 6), the
// second pass (7 .. 13) and the finished course (14).
enum class Pass { Introduction, First, Second, Finished };

// Rows of SubjectRequirements, first to last; empty when last < first.
struct SubjectRowRange {
    int first;
    int last;
};

class Stage {
public:
    static constexpr int Start = -1;
    static constexpr int FirstOfSecondPass = 7;
    static constexpr int Last = 14;

    explicit constexpr Stage(int courseStage) : m_value(courseStage) {}
    constexpr int value() const { return m_value; }
    // The stage the title, the level buttons and the status report show: outside -1 .. 14, -1.
    constexpr Stage shown() const { return Stage(m_value >= Start && m_value <= Last ? m_value : Start); }
    // By order: below 0 the introduction, 14 and above the finished course.
    Pass pass() const;
    // The level due: 0 for -1, stage + 1 for 0 .. 6, stage - 6 for 7 .. 13, 8 (none) otherwise.
    int dueLevel() const;
    // The stage's column of the progress tables.
    constexpr std::size_t column() const { return std::size_t(m_value + 1); }
    constexpr bool finished() const { return m_value == Last; }
    // The journal subjects a second-pass stage requires; empty for every other stage.
    SubjectRowRange secondPassSubjects() const;

private:
    int m_value;
};

// The settings file is wrong in a way the user must mend by hand: names the file and the line.
class SettingsError : public base::FileError {
public:
    SettingsError(const QString& path, int line, const QString& problem);
    int line() const { return m_line; }

private:
    int m_line;
};

inline const QString SettingsFileName = QStringLiteral("veltrin3.ini");

// Reads the settings file's lines (from `path`, named in errors). Throws SettingsError naming the
// line when a value is missing or a folder does not exist.
Settings parseSettings(const QStringList& lines, const QString& path);
// Puts the settings into the state; DueLevelPos starts at the saved position.
void applySettings(ProgramState& s, const Settings& settings);
// Rewrites the settings file from the state, with `stage` as line 5. Throws FileError; the old
// file stays whole on failure.
void SaveSettings(Program& p, int stage);
// Reads the settings file into the state. Throws SettingsError (the file is missing or wrong) or
// FileError; the state is changed only when the whole file is good.
void ReadSettings(Program& p);

// Runs one operation of a handler that goes on after it (a check-point of the scroll loop): once
// it has returned, a later failure of the handler keeps what it changed. A FileError puts back what
// the operation changed and goes on to the operation around it.
void RunOperation(Program& p, const std::function<void()>& operation);

// The first line of every document the program writes: font 26 and the colour table, no signature word.
inline const QString DocumentHeader =
    QStringLiteral("{\\f26 {\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;"
                   "\\red255\\green255\\blue0;\\red128\\green128\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;"
                   "\\red128\\green0\\blue128;\\red192\\green192\\blue192;}\\ql");

// The reset's question, the only one Torch asks: Yes and No stand under this document alone.
inline const QString ResetQuestionDocument = QStringLiteral("resetmsg.rtf");

// Rewrites a generated document whole: the header, the body lines, then "}". Throws FileError.
void WriteGeneratedDocument(const QString& path, const QStringList& body);

// The sound flag of ShowTorchDocument: whether opening or closing the panel plays the torch sound.
enum TorchSound : int { Silent = 0, WithTorchSound = 1 };

// Opens the Torch panel on the document AppDir & name, or closes the panel when it is open.
// Sound flag WithTorchSound plays the torch sound and becomes Silent; a name ".rtf" in any case becomes "".
void ShowTorchDocument(Program& p, QString& name, int& soundFlag);
// The same for callers that pass literals.
void ShowTorchDocument(Program& p, const QString& name, int soundFlag);
// Opens the panel on the topic list alone, with the torch sound (Ask Torch).
void openTorchPanelOnTopics(Program& p);
bool isTorchPanelOpen(const Program& p);
// Closes the Torch panel if it is open.
void closeTorchPanel(Program& p, TorchSound sound);
// Blocks in the event loop, without spinning, until the Ask Torch button is visible again: the
// user has closed the Torch panel.
void WaitForTorchClosed(Program& p);
// Plays SoundDir & name & ".wav" unless sounds are muted.
void PlaySound(Program& p, const QString& name);

}   // namespace veltrin::state

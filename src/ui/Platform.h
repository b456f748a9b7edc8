#pragma once
// Everything that waits, plays, asks the system or ends the program goes through here, so that
// tests can run the program with instant pauses, recorded sounds and a scripted user.
#include "ui/PassphraseDialog.h"
#include "ui/SoundDevice.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace veltrin::ui {

// The save dialog's question: its title and object name, the file it offers, and the file types
// with the suffix each gives a name typed without one (filters[i] goes with suffixes[i]).
struct SaveQuestion {
    QString title;
    QString objectName;
    QString offeredPath;
    QStringList filters;
    QStringList suffixes;
};
// The file the user chose and the file type chosen with it.
struct SaveAnswer {
    QString path;
    QString filter;
};
// Asks with the toolkit's own save dialog, in the same form everywhere; empty when the user cancels.
std::optional<SaveAnswer> askWithSaveDialog(QWidget* parent, const SaveQuestion& question);

class Platform {
public:
    virtual ~Platform() = default;

    // Gives the event queue one turn.
    virtual void Yield() = 0;
    // One look of a wait for the user: blocks in the event loop until something happens (or a short
    // time passes), so that waiting does not spin the processor.
    virtual void waitForUser() = 0;
    // A scroll loop starts its passes; one pass stands for a fixed slice of time.
    virtual void beginScrollPasses() = 0;
    // One pass of a scroll loop: gives the event queue a turn when due, and sleeps when ahead of the clock.
    virtual void scrollPass() = 0;
    // Waits the given seconds on the clock without processing events.
    virtual void Pause(double seconds) = 0;

    virtual SoundDevice& sound() = 0;
    // The folder of the settings file, ending in a path separator.
    virtual QString WindowsDirectory() = 0;
    // The user's data folder, where a first run installs the sample course.
    virtual QString userDataFolder() = 0;
    virtual QSize screenSizeTwips() = 0;
    // A message box with a single OK button; returns when it is closed.
    virtual void messageBox(const QString& text) = 0;
    // The save dialog; empty when the user cancels.
    virtual std::optional<SaveAnswer> askSaveFile(QWidget* parent, const SaveQuestion& question) = 0;
    // The journal's passphrase; empty when the user cancels.
    virtual std::optional<PassphraseAnswer> askPassphrase(QWidget* parent, const PassphraseQuestion& question) = 0;
    virtual void setBusyCursor(bool busy) = 0;
    virtual QDateTime now() = 0;
    // Ends the program at once.
    [[noreturn]] virtual void endProgram() = 0;
};

class QtPlatform : public Platform {
public:
    // A pass of a scroll loop stands for 20 microseconds: 50,000 passes a second.
    static constexpr qint64 PassNanoseconds = 20'000;

    void Yield() override;
    void waitForUser() override;
    void beginScrollPasses() override;
    void scrollPass() override;
    void Pause(double seconds) override;
    SoundDevice& sound() override { return m_sound; }
    QString WindowsDirectory() override;
    QString userDataFolder() override;
    QSize screenSizeTwips() override;
    void messageBox(const QString& text) override;
    std::optional<SaveAnswer> askSaveFile(QWidget* parent, const SaveQuestion& question) override {
        return askWithSaveDialog(parent, question);
    }
    std::optional<PassphraseAnswer> askPassphrase(QWidget* parent, const PassphraseQuestion& question) override {
        return askWithPassphraseDialog(parent, question);
    }
    void setBusyCursor(bool busy) override;
    QDateTime now() override { return QDateTime::currentDateTime(); }
    [[noreturn]] void endProgram() override;

private:
    WaveSoundDevice m_sound;
    QElapsedTimer m_clock;
    qint64 m_passes = 0;
    qint64 m_lastTurn = 0;
    bool m_busy = false;
};

// Reads the system's font configuration on a worker thread: made before the application object,
// it is ready by the time the first window lays out text, which would otherwise wait for it.
void readFontConfigurationAhead();

}   // namespace veltrin::ui

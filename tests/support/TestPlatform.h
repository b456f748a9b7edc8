#pragma once
// The test platform: pauses return at once and are recorded, sounds are recorded, the Windows
// directory is a temporary folder, and a scripted user stands in for the person at every wait.
#include "support/Files.h"
#include "ui/Platform.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace veltrin::test {

// Records every command; each "Play" also goes into the timeline as "sound <name>".
class RecordingSoundDevice : public ui::SoundDevice {
public:
    explicit RecordingSoundDevice(QStringList& timeline) : m_timeline(timeline) {}
    void setDeviceType(const QString& type) override { commands << QStringLiteral("DeviceType ") + type; }
    void setFileName(const QString& path) override { commands << QStringLiteral("FileName ") + (m_file = path); }
    void command(const QString& name) override;
    std::optional<double> secondsLeftToPlay() override { return 0.0; }
    QStringList commands;

private:
    QStringList& m_timeline;
    QString m_file;
};

// Thrown by endProgram, so a test can see that the program would have ended.
struct ProgramEnded {};

class TestPlatform : public ui::Platform {
public:
    // What the person does when the program waits: when `when` holds at a yield, `act` runs once.
    void script(const QString& what, std::function<bool()> when, std::function<void()> act);
    // Steps scripted but never played.
    QStringList unplayedSteps() const;

    void Yield() override;
    void waitForUser() override;
    void beginScrollPasses() override {}
    void scrollPass() override;
    void Pause(double seconds) override;
    ui::SoundDevice& sound() override { return *soundDevice; }
    QString WindowsDirectory() override { return windowsDirectory; }
    QString userDataFolder() override { return dataFolder; }
    QSize screenSizeTwips() override { return screen; }
    void messageBox(const QString& text) override { messages << text; }
    std::optional<ui::SaveAnswer> askSaveFile(QWidget* parent, const ui::SaveQuestion& question) override {
        return saveAnswer(parent, question);
    }
    std::optional<ui::PassphraseAnswer> askPassphrase(QWidget* parent, const ui::PassphraseQuestion& question) override {
        return passphraseAnswer(parent, question);
    }
    void setBusyCursor(bool) override {}
    QDateTime now() override { return clock; }
    [[noreturn]] void endProgram() override { throw ProgramEnded{}; }

    // The names of the sounds played, in order ("torch-on", ...), taken from the device commands.
    QStringList playedSounds() const;
    // Sounds and pauses in order: "sound torch-on", "pause 0.15", ...
    QStringList timeline;

    RecordingSoundDevice sounds{timeline};
    ui::SoundDevice* soundDevice = &sounds;   // another device in its place plays instead
    double pausedSeconds = 0;                 // the clock that the pauses advance
    QStringList messages;
    // How the user answers the save dialog: with the real dialog unless a test answers in the user's place.
    std::function<std::optional<ui::SaveAnswer>(QWidget*, const ui::SaveQuestion&)> saveAnswer = ui::askWithSaveDialog;
    std::function<std::optional<ui::PassphraseAnswer>(QWidget*, const ui::PassphraseQuestion&)> passphraseAnswer =
        ui::askWithPassphraseDialog;
    QString windowsDirectory;
    QString dataFolder;
    QSize screen{1024 * 15, 768 * 15};
    QDateTime clock;
    long yields = 0;
    long scrollPasses = 0;
    // A wait ends the test when this many looks pass with nothing scripted to end it.
    long mostLooksWithoutProgress = 20000;

private:
    struct Step {
        QString what;
        std::function<bool()> when;
        std::function<void()> act;
    };
    void playScript();

    std::vector<Step> m_steps;
    long m_looksWithoutProgress = 0;
    bool m_playing = false;
};

}   // namespace veltrin::test

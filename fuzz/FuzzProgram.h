#pragma once
// A program for the fuzz targets: the real windows on the offscreen platform, a platform that
// neither waits nor shows anything, and one temporary folder that holds every stored file.
#include "state/State.h"

#include <QApplication>
#include <QTemporaryDir>

namespace veltrin::fuzz {

struct ProgramEnded {};

class QuietPlatform : public ui::Platform {
public:
    void Yield() override {}
    void waitForUser() override {}
    void beginScrollPasses() override {}
    void scrollPass() override {}
    void Pause(double) override {}
    ui::SoundDevice& sound() override { return m_sound; }
    QString WindowsDirectory() override { return {}; }
    QString userDataFolder() override { return {}; }
    QSize screenSizeTwips() override { return {1024 * 15, 768 * 15}; }
    void messageBox(const QString&) override {}
    std::optional<ui::SaveAnswer> askSaveFile(QWidget*, const ui::SaveQuestion&) override { return std::nullopt; }
    std::optional<ui::PassphraseAnswer> askPassphrase(QWidget*, const ui::PassphraseQuestion&) override { return std::nullopt; }
    void setBusyCursor(bool) override {}
    QDateTime now() override { return {}; }
    [[noreturn]] void endProgram() override { throw ProgramEnded{}; }

private:
    class SilentDevice : public ui::SoundDevice {
    public:
        void setDeviceType(const QString&) override {}
        void setFileName(const QString&) override {}
        void command(const QString&) override {}
        std::optional<double> secondsLeftToPlay() override { return 0.0; }
    } m_sound;
};

// Built once: the windows are too slow to build for every input.
struct FuzzProgram {
    FuzzProgram() : program{{}, form, about, splash, platform} { reset(); }

    // A fresh state whose three folders and settings folder are the temporary folder.
    void reset() {
        program.state = {};
        const QString path = folder.path() + QLatin1Char('/');
        program.state.settings.AppDir = program.state.settings.CourseDir = program.state.settings.SoundDir = program.state.WinDir = path;
    }
    QString file(const QString& name) const { return folder.path() + QLatin1Char('/') + name; }

    QTemporaryDir folder;
    QuietPlatform platform;
    ui::MainWindow form;
    ui::ContactWindow about;
    ui::SplashWindow splash;
    Program program;
};

// The application the windows need; call from LLVMFuzzerInitialize.
inline void startApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QApplication app(*argc, *argv);
}

}   // namespace veltrin::fuzz

#pragma once
// The sound device: a multimedia-control-like command interface. The program sends "Open" once
// for the device type, then for each sound "Close", a file name, "Open", "Play" and "Prev". The
// device never reports an outcome: a missing file or a machine without sound stays silent.
#include <QString>

#include <atomic>
#include <memory>

class QThread;

namespace veltrin::ui {

class SoundHost;

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void setDeviceType(const QString& type) = 0;
    virtual void setFileName(const QString& path) = 0;
    virtual void command(const QString& name) = 0;
    // Seconds from now until the sound last played has been heard to its end, at most `most`;
    // 0 when nothing plays. The program waits this long before it ends, so its last sound is heard.
    virtual double secondsLeftToPlay(double most) = 0;
};

// Plays wave files on a sound thread of its own: "Play" returns at once, "Close" cuts off a sound
// still playing. Each file is read once and held; the first sound also reads the rest of its folder.
// The thread starts with the first sound and loads the sound module, so nothing of it delays the
// start-up; without the module, or without a sound server, every sound is silent.
class WaveSoundDevice : public SoundDevice {
public:
    // The sound module's path without its suffix; by default, the one installed with the program.
    explicit WaveSoundDevice(QString modulePath = installedSoundModule());
    static QString installedSoundModule();
    ~WaveSoundDevice() override;
    void setDeviceType(const QString& type) override;
    void setFileName(const QString& path) override;
    void command(const QString& name) override;
    double secondsLeftToPlay(double most) override;

private:
    template <typename Action>
    void post(Action action);

    QString m_modulePath;
    std::unique_ptr<QThread> m_thread;
    SoundHost* m_host = nullptr;   // lives on m_thread, deleted there when it finishes
    std::shared_ptr<std::atomic<int>> m_pending = std::make_shared<std::atomic<int>>(0);   // posted, not yet carried out
    QString m_fileName;
    bool m_open = false;
    bool m_folderRead = false;
};

}   // namespace veltrin::ui

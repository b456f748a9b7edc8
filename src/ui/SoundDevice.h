#pragma once
// The sound device: a multimedia-control-like command interface. The program sends "Open" once
// for the device type, then for each sound "Close", a file name, "Open", "Play" and "Prev". The
// device never reports an outcome: a missing file or a machine without sound stays silent.
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QThread;

namespace veltrin::ui {

class SoundHost;
class SoundOutput;

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void setDeviceType(const QString& type) = 0;
    virtual void setFileName(const QString& path) = 0;
    virtual void command(const QString& name) = 0;
    // Seconds from now until the sound last played has been heard to its end; 0 when nothing plays,
    // none while the sound has not started yet. Returns at once: the program waits on its own clock,
    // so that the wait before it ends has one bound.
    virtual std::optional<double> secondsLeftToPlay() = 0;
};

// Plays wave files on a sound thread of its own: "Play" returns at once, "Close" cuts off a sound
// still playing. Each file is read once and held; the first sound also reads the rest of its folder.
// The thread starts with the first sound and makes the player (loading the sound module), so nothing
// of it delays the start-up; without the module, or without a sound server, every sound is silent.
class WaveSoundDevice : public SoundDevice {
public:
    // The player comes from the sound module at `modulePath`; by default, the one installed with
    // the program.
    explicit WaveSoundDevice(const QString& modulePath = installedSoundModule());
    // The player comes from `makePlayer`, called on the sound thread; none leaves every sound silent.
    explicit WaveSoundDevice(std::function<SoundOutput*()> makePlayer);
    static QString installedSoundModule();
    ~WaveSoundDevice() override;
    void setDeviceType(const QString& type) override;
    void setFileName(const QString& path) override;
    void command(const QString& name) override;
    std::optional<double> secondsLeftToPlay() override;

private:
    template <typename Action>
    quint64 post(Action action);

    std::function<SoundOutput*()> m_makePlayer;
    std::unique_ptr<QThread> m_thread;
    SoundHost* m_host = nullptr;   // lives on m_thread, deleted there when it finishes
    quint64 m_posted = 0;          // actions posted to the sound thread, numbered from 1
    std::shared_ptr<std::atomic<quint64>> m_done = std::make_shared<std::atomic<quint64>>(0);   // the last one carried out
    quint64 m_lastPlay = 0;                                                                     // the number of the last "Play"
    QString m_fileName;
    bool m_open = false;
    bool m_folderRead = false;
};

}   // namespace veltrin::ui

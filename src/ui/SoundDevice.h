#pragma once
// The sound device: a multimedia-control-like command interface. The program sends "Open" once
// for the device type, then for each sound "Close", a file name, "Open", "Play" and "Prev". The
// device never reports an outcome: a missing file or a machine without sound stays silent.
#include <QString>
#include <memory>

class QSoundEffect;

namespace veltrin::ui {

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void setDeviceType(const QString& type) = 0;
    virtual void setFileName(const QString& path) = 0;
    virtual void command(const QString& name) = 0;
};

// Plays wave files with QSoundEffect: "Play" returns at once, and "Close" cuts off a sound still playing.
class WaveSoundDevice : public SoundDevice {
public:
    WaveSoundDevice();
    ~WaveSoundDevice() override;
    void setDeviceType(const QString& type) override;
    void setFileName(const QString& path) override;
    void command(const QString& name) override;

private:
    std::unique_ptr<QSoundEffect> m_effect;
    QString m_fileName;
    bool m_open = false;
};

} // namespace veltrin::ui

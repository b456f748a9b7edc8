#pragma once
// The sound thread's player: wave files decoded once and held in memory, played through the
// system's default audio output. It lives on a thread of its own so that the window thread's
// pauses (the torch animation, the wait before the program ends) never starve a sound.
#include "ui/SoundOutput.h"
#include "ui/WaveFile.h"

#include <QAudioDevice>
#include <QHash>
#include <QObject>

#include <atomic>
#include <memory>

class QAudioSink;

namespace veltrin::ui {

class SoundPlayer : public QObject, public SoundOutput {
    Q_OBJECT
public:
    SoundPlayer();
    ~SoundPlayer() override;

    void play(const QString& path) override;
    void stop() override;
    void loadFolder(const QString& folder) override;
    qint64 endsAtMs() const override { return m_endsAt.load(); }

private:
    const WaveSound* sound(const QString& path);
    bool findOutput();
    void releaseWhenFinished();

    QHash<QString, std::optional<WaveSound>> m_sounds;
    std::unique_ptr<QAudioSink> m_sink;
    QAudioDevice m_output;
    enum class Output { Unknown, Found, Missing } m_outputState = Output::Unknown;
    std::atomic<qint64> m_endsAt{0};
    quint64 m_playing = 0;   // counts the sounds started, so a late release never stops a newer one
};

}   // namespace veltrin::ui

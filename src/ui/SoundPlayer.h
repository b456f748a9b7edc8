#pragma once
// The sound thread's player: wave files decoded once and held in memory, played through the
// system's default audio output. It lives on a thread of its own so that the window thread's
// pauses (the torch animation, the wait before the program ends) never starve a sound.
#include "ui/WaveFile.h"

#include <QAudioDevice>
#include <QHash>
#include <QObject>

#include <atomic>
#include <memory>

class QAudioSink;

namespace veltrin::ui {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    SoundPlayer();
    ~SoundPlayer() override;

    // On the sound thread. A new sound cuts off the one playing.
    void play(const QString& path);
    void stop();
    // Reads every wave file of the folder that is not held yet, so later sounds start at once.
    void loadFolder(const QString& folder);

    // From any thread: when the sound playing will have been heard whole, in milliseconds of the
    // steady clock; 0 when nothing plays.
    qint64 endsAtMs() const { return m_endsAt.load(); }

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

// Milliseconds of the steady clock, the time base of endsAtMs.
qint64 steadyMs();

}   // namespace veltrin::ui

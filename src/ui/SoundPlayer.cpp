#include "ui/SoundPlayer.h"

#include <QAudioSink>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>

#include <cstdio>
#include <mutex>

namespace veltrin::ui {

namespace {

// What the sound server may still hold after the player has handed it the last sample.
constexpr qint64 ServerLatencyMs = 100;

QString soundKey(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

QtMessageHandler passOn = nullptr;

// The sound server's client reports a missing server in words of its own; the player says it once.
void dropSoundServerMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("PulseAudioService:"))) return;
    if (passOn) passOn(type, context, message);
}

void keepSoundServerQuiet() {
    static std::once_flag once;
    std::call_once(once, [] { passOn = qInstallMessageHandler(dropSoundServerMessages); });
}

}   // namespace

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() { stop(); }

const WaveSound* SoundPlayer::sound(const QString& path) {
    const QString key = soundKey(path);
    auto held = m_sounds.find(key);
    if (held == m_sounds.end()) held = m_sounds.insert(key, readWaveFile(path));
    return held->has_value() ? &**held : nullptr;
}

void SoundPlayer::loadFolder(const QString& folder) {
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.wav")}, QDir::Files);
    for (const QFileInfo& file : files) sound(file.absoluteFilePath());
}

// Asked once: a machine without sound output runs silently, saying so on one line.
bool SoundPlayer::findOutput() {
    if (m_outputState == Output::Unknown) {
        keepSoundServerQuiet();
        m_output = QMediaDevices::defaultAudioOutput();
        m_outputState = m_output.isNull() ? Output::Missing : Output::Found;
        if (m_outputState == Output::Missing) std::fputs("Veltrin: no sound output was found; the course runs silently.\n", stderr);
    }
    return m_outputState == Output::Found;
}

void SoundPlayer::play(const QString& path) {
    stop();
    const WaveSound* wave = sound(path);
    if (!wave || wave->samples.isEmpty() || !findOutput()) return;
    m_sink = std::make_unique<QAudioSink>(m_output, wave->format);
    auto* samples = new QBuffer(m_sink.get());   // made here, on the sound thread, and gone with the sink
    samples->setData(wave->samples);
    samples->open(QIODevice::ReadOnly);
    m_sink->start(samples);
    m_endsAt = steadyMs() + wave->durationMs() + ServerLatencyMs;
    ++m_playing;
    releaseWhenFinished();
}

void SoundPlayer::stop() {
    m_endsAt = 0;
    if (m_sink) m_sink->stop();
    m_sink.reset();
}

// The stream is given back to the server once its sound has been heard, not when the last sample
// was handed over: the server still holds the tail then.
void SoundPlayer::releaseWhenFinished() {
    const qint64 wait = std::max<qint64>(m_endsAt - steadyMs(), 0);
    QTimer::singleShot(int(wait), this, [this, playing = m_playing] {
        if (m_playing == playing) stop();
    });
}

}   // namespace veltrin::ui

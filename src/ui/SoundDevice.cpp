#include "ui/SoundDevice.h"

#include "ui/SoundPlayer.h"

#include <QFileInfo>
#include <QThread>

namespace veltrin::ui {

namespace {

constexpr unsigned long LookEveryMs = 2;

}   // namespace

WaveSoundDevice::WaveSoundDevice() = default;

WaveSoundDevice::~WaveSoundDevice() {
    if (!m_thread) return;
    m_thread->quit();
    m_thread->wait();
}

void WaveSoundDevice::setDeviceType(const QString&) {}

void WaveSoundDevice::setFileName(const QString& path) { m_fileName = path; }

// Runs the action on the sound thread, after everything posted before it.
template <typename Action>
void WaveSoundDevice::post(Action action) {
    if (!m_thread) {
        m_thread = std::make_unique<QThread>();
        m_player = new SoundPlayer;
        m_player->moveToThread(m_thread.get());
        QObject::connect(m_thread.get(), &QThread::finished, m_player, &QObject::deleteLater);
        m_thread->start();
    }
    ++*m_pending;
    QMetaObject::invokeMethod(
        m_player,
        [player = m_player, pending = m_pending, action] {
            action(*player);
            --*pending;
        },
        Qt::QueuedConnection);
}

void WaveSoundDevice::command(const QString& name) {
    if (name == QLatin1String("Close")) {
        if (m_open) post([](SoundPlayer& player) { player.stop(); });
        m_open = false;
    } else if (name == QLatin1String("Open")) {
        m_open = !m_fileName.isEmpty();
    } else if (name == QLatin1String("Play") && m_open) {
        post([path = m_fileName](SoundPlayer& player) { player.play(path); });
        if (!m_folderRead) post([folder = QFileInfo(m_fileName).path()](SoundPlayer& player) { player.loadFolder(folder); });
        m_folderRead = true;
    }
    // "Prev" rewinds; every sound starts from its beginning, so nothing is left to do.
}

double WaveSoundDevice::secondsLeftToPlay(double most) {
    if (!m_player) return 0;
    const qint64 giveUpAt = steadyMs() + qint64(most * 1000);
    while (*m_pending > 0 && steadyMs() < giveUpAt) QThread::msleep(LookEveryMs);
    const qint64 endsAt = m_player->endsAtMs();
    if (endsAt == 0) return 0;
    return std::clamp(double(endsAt - steadyMs()) / 1000, 0.0, most);
}

}   // namespace veltrin::ui

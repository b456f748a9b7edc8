#include "ui/SoundDevice.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace veltrin::ui {

WaveSoundDevice::WaveSoundDevice() = default;
WaveSoundDevice::~WaveSoundDevice() = default;

void WaveSoundDevice::setDeviceType(const QString&) {}

void WaveSoundDevice::setFileName(const QString& path) { m_fileName = path; }

void WaveSoundDevice::command(const QString& name) {
    if (name == QLatin1String("Close")) {
        if (m_effect) m_effect->stop();
        m_open = false;
    } else if (name == QLatin1String("Open")) {
        m_open = QFileInfo(m_fileName).isFile();
        if (!m_open) return;
        if (!m_effect) m_effect = std::make_unique<QSoundEffect>();
        const QUrl source = QUrl::fromLocalFile(m_fileName);
        if (m_effect->source() != source) m_effect->setSource(source);
    } else if (name == QLatin1String("Play")) {
        if (m_open && m_effect) m_effect->play();   // plays once loaded; returns at once
    }
    // "Prev" rewinds; a sound effect always starts from its beginning, so nothing is left to do.
}

} // namespace veltrin::ui

#include "ui/SoundDevice.h"

#include "ui/SoundOutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <utility>

namespace veltrin::ui {

namespace {

// The player from the sound module; none, said once and naming the file, when the module cannot be
// loaded from it.
SoundOutput* playerFromModule(const QString& path) {
    QString reason = QStringLiteral("there is no such file");
    // A missing file is not handed to the loader, which would go on to other spellings of its name
    // and report the last one it tried.
    if (QFileInfo::exists(path)) {
        QLibrary module(path);
        if (const auto make = reinterpret_cast<MakeSoundOutput>(module.resolve(MakeSoundOutputName))) return make();
        reason = module.errorString();
    }
    std::fprintf(stderr, "Veltrin: the sound module %s could not be loaded (%s); the course runs silently.\n",
                 qPrintable(QDir::toNativeSeparators(path)), qPrintable(reason));
    return nullptr;
}

}   // namespace

// Owns the player on the sound thread; the player is made on first use.
class SoundHost : public QObject {
public:
    explicit SoundHost(std::function<SoundOutput*()> makePlayer) : m_makePlayer(std::move(makePlayer)) {}
    ~SoundHost() override { delete m_output.load(); }

    SoundOutput* output() {
        if (!std::exchange(m_tried, true)) m_output = m_makePlayer();
        return m_output;
    }
    // From any thread: the player once made, or none.
    const SoundOutput* madeOutput() const { return m_output; }

private:
    std::function<SoundOutput*()> m_makePlayer;
    std::atomic<SoundOutput*> m_output{nullptr};
    bool m_tried = false;
};

WaveSoundDevice::WaveSoundDevice(const QString& modulePath) : WaveSoundDevice([modulePath] { return playerFromModule(modulePath); }) {}

WaveSoundDevice::WaveSoundDevice(std::function<SoundOutput*()> makePlayer) : m_makePlayer(std::move(makePlayer)) {}

// Beside the program, as built and as installed: bin/../lib/veltrin/, under the file name the build
// gives the module.
QString WaveSoundDevice::installedSoundModule() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/veltrin/") +
                           QStringLiteral(VELTRIN_SOUND_MODULE_FILE));
}

WaveSoundDevice::~WaveSoundDevice() {
    if (!m_thread) return;
    m_thread->quit();
    m_thread->wait();
}

void WaveSoundDevice::setDeviceType(const QString&) {}

void WaveSoundDevice::setFileName(const QString& path) { m_fileName = path; }

// Runs the action on the sound thread, after everything posted before it; returns its number.
template <typename Action>
quint64 WaveSoundDevice::post(Action action) {
    if (!m_thread) {
        m_thread = std::make_unique<QThread>();
        m_host = new SoundHost(m_makePlayer);
        m_host->moveToThread(m_thread.get());
        QObject::connect(m_thread.get(), &QThread::finished, m_host, &QObject::deleteLater);
        m_thread->start();
    }
    const quint64 number = ++m_posted;
    QMetaObject::invokeMethod(
        m_host,
        [host = m_host, done = m_done, number, action] {
            if (SoundOutput* output = host->output()) action(*output);
            *done = number;
        },
        Qt::QueuedConnection);
    return number;
}

void WaveSoundDevice::command(const QString& name) {
    if (name == QLatin1String("Close")) {
        if (m_open) post([](SoundOutput& output) { output.stop(); });
        m_open = false;
    } else if (name == QLatin1String("Open")) {
        m_open = !m_fileName.isEmpty();
    } else if (name == QLatin1String("Play") && m_open) {
        m_lastPlay = post([path = m_fileName](SoundOutput& output) { output.play(path); });
        if (!m_folderRead) post([folder = QFileInfo(m_fileName).path()](SoundOutput& output) { output.loadFolder(folder); });
        m_folderRead = true;
    }
    // "Prev" rewinds; every sound starts from its beginning, so nothing is left to do.
}

// The folder read that follows a first sound is not waited for: only the sound itself.
std::optional<double> WaveSoundDevice::secondsLeftToPlay() {
    if (*m_done < m_lastPlay) return std::nullopt;
    const SoundOutput* output = m_host ? m_host->madeOutput() : nullptr;
    const qint64 endsAt = output ? output->endsAtMs() : 0;
    if (endsAt == 0) return 0.0;
    return std::max(double(endsAt - steadyMs()) / 1000, 0.0);
}

}   // namespace veltrin::ui

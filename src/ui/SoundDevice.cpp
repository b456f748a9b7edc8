#include "ui/SoundDevice.h"

#include "ui/SoundOutput.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <utility>

namespace veltrin::ui {

namespace {

constexpr unsigned long LookEveryMs = 2;

}   // namespace

// Owns the player on the sound thread; the player is made from the sound module on first use.
class SoundHost : public QObject {
public:
    explicit SoundHost(QString modulePath) : m_modulePath(std::move(modulePath)) {}
    ~SoundHost() override { delete m_output.load(); }

    SoundOutput* output() {
        if (!std::exchange(m_tried, true)) m_output = makeOutput();
        return m_output;
    }
    // From any thread: the player once made, or none.
    const SoundOutput* madeOutput() const { return m_output; }

private:
    SoundOutput* makeOutput() const {
        QLibrary module(m_modulePath);
        const auto make = reinterpret_cast<MakeSoundOutput>(module.resolve(MakeSoundOutputName));
        if (make) return make();
        std::fprintf(stderr, "Veltrin: the sound module could not be loaded (%s); the course runs silently.\n",
                     qPrintable(module.errorString()));
        return nullptr;
    }

    QString m_modulePath;
    std::atomic<SoundOutput*> m_output{nullptr};
    bool m_tried = false;
};

WaveSoundDevice::WaveSoundDevice(QString modulePath) : m_modulePath(std::move(modulePath)) {}

// Beside the program, as built and as installed: bin/../lib/veltrin/.
QString WaveSoundDevice::installedSoundModule() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/veltrin/veltrin_sound");
}

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
        m_host = new SoundHost(m_modulePath);
        m_host->moveToThread(m_thread.get());
        QObject::connect(m_thread.get(), &QThread::finished, m_host, &QObject::deleteLater);
        m_thread->start();
    }
    ++*m_pending;
    QMetaObject::invokeMethod(
        m_host,
        [host = m_host, pending = m_pending, action] {
            if (SoundOutput* output = host->output()) action(*output);
            --*pending;
        },
        Qt::QueuedConnection);
}

void WaveSoundDevice::command(const QString& name) {
    if (name == QLatin1String("Close")) {
        if (m_open) post([](SoundOutput& output) { output.stop(); });
        m_open = false;
    } else if (name == QLatin1String("Open")) {
        m_open = !m_fileName.isEmpty();
    } else if (name == QLatin1String("Play") && m_open) {
        post([path = m_fileName](SoundOutput& output) { output.play(path); });
        if (!m_folderRead) post([folder = QFileInfo(m_fileName).path()](SoundOutput& output) { output.loadFolder(folder); });
        m_folderRead = true;
    }
    // "Prev" rewinds; every sound starts from its beginning, so nothing is left to do.
}

double WaveSoundDevice::secondsLeftToPlay(double most) {
    if (!m_host) return 0;
    const qint64 giveUpAt = steadyMs() + qint64(most * 1000);
    while (*m_pending > 0 && steadyMs() < giveUpAt) QThread::msleep(LookEveryMs);
    const SoundOutput* output = m_host->madeOutput();
    const qint64 endsAt = output ? output->endsAtMs() : 0;
    if (endsAt == 0) return 0;
    return std::clamp(double(endsAt - steadyMs()) / 1000, 0.0, most);
}

}   // namespace veltrin::ui

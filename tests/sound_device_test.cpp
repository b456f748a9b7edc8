// The sound device's own parts: reading wave files (what plays, and what stays silent), a machine
// without a sound server or without the sound module, which runs silently and says so once, and a
// player that never answers, which holds up neither the exit beyond its bound nor the first sound.
#include "support/CourseFixture.h"

#include "ui/SoundDevice.h"
#include "ui/SoundOutput.h"
#include "ui/WaveFile.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <future>

namespace veltrin::test {
namespace {

template <class Value>
QByteArray le(Value value) {
    QByteArray bytes(sizeof value, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char* id, const QByteArray& body) { return QByteArray(id) + le(quint32(body.size())) + body; }

QByteArray fmtBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    const quint16 frame = quint16(channels * bits / 8);
    return le(tag) + le(channels) + le(rate) + le(quint32(rate * frame)) + le(frame) + le(bits);
}

QByteArray riff(const QByteArray& chunks) { return "RIFF" + le(quint32(4 + chunks.size())) + "WAVE" + chunks; }

// Chunks before the format, an odd-length chunk with its pad byte, and a last frame cut short.
TEST(WaveFile, SkipsOtherChunksAndAPartFrameAndRefusesWhatCannotBePlayed) {
    const QByteArray samples("\x01\x02\x03\x04\x05\x06\x07", 7);
    const QByteArray oddChunk = chunk("LIST", "abc") + QByteArray(1, '\0');
    const auto wave = ui::parseWave(riff(oddChunk + chunk("fmt ", fmtBody(1, 2, 8000, 8)) + chunk("data", samples)));
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->format.channelCount(), 2);
    EXPECT_EQ(wave->format.sampleFormat(), QAudioFormat::UInt8);
    EXPECT_EQ(wave->samples, samples.left(6));
    // Whatever cannot be played plainly gives nothing, so that it stays silent.
    const QByteArray data = chunk("data", QByteArray(100, '\0'));
    const QByteArray pcm = chunk("fmt ", fmtBody(1, 1, 22050, 16));
    EXPECT_TRUE(ui::parseWave(riff(pcm + data)).has_value());
    EXPECT_FALSE(ui::parseWave(riff(chunk("fmt ", fmtBody(2, 1, 22050, 4)) + data)));    // compressed
    EXPECT_FALSE(ui::parseWave(riff(chunk("fmt ", fmtBody(1, 6, 22050, 16)) + data)));   // six channels
    EXPECT_FALSE(ui::parseWave(riff(data + pcm)));                                       // data before format
    EXPECT_FALSE(ui::parseWave(riff(pcm + data).chopped(1)));                            // cut short
    EXPECT_FALSE(ui::readWaveFile(QStringLiteral("no such file.wav")));
}

// Waits (on the real clock: the sound thread works on it) until the device knows what is left of its
// last sound.
std::optional<double> settled(ui::SoundDevice& device) {
    for (int look = 0; look < 5000 && !device.secondsLeftToPlay(); ++look) QThread::msleep(2);
    return device.secondsLeftToPlay();
}

void play(ui::SoundDevice& device, const QString& path) {
    device.command(QStringLiteral("Close"));
    device.setFileName(path);
    for (const char* command : {"Open", "Play", "Prev"}) device.command(QLatin1String(command));
}

// Plays the course's sounds as the program does; every one must be silent, with nothing to wait for.
void playSilently(ui::WaveSoundDevice& device) {
    for (const char* name : {"exit", "missing", "run"}) {
        play(device, QStringLiteral(VELTRIN_SAMPLE_COURSE "/sounds/%1.wav").arg(QLatin1String(name)));
        EXPECT_EQ(settled(device), 0.0) << name;
    }
}

// No sound server at all, or a program installed without its sound module: every sound is silent,
// nothing waits for one, and one line says so, naming the module looked for (the installed program
// looks for the module the build made).
TEST(WaveSoundDevice, WithoutASoundServerOrTheModuleStaysSilentAndSaysSoOnce) {
    QTemporaryDir folder;
    qputenv("PULSE_SERVER", (folder.path() + "/no-server").toUtf8());
    std::optional<ui::WaveSoundDevice> device(std::in_place);
    testing::internal::CaptureStderr();
    playSilently(*device);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Veltrin: no sound output was found; the course runs silently.\n");
    qunsetenv("PULSE_SERVER");
    EXPECT_TRUE(QFileInfo(ui::WaveSoundDevice::installedSoundModule()).isFile())
        << ui::WaveSoundDevice::installedSoundModule().toStdString();
    const QString module = folder.filePath(QFileInfo(ui::WaveSoundDevice::installedSoundModule()).fileName());
    device.emplace(module);
    testing::internal::CaptureStderr();
    playSilently(*device);
    EXPECT_EQ(QString::fromStdString(testing::internal::GetCapturedStderr()),
              "Veltrin: the sound module " + module + " could not be loaded (there is no such file); the course runs silently.\n");
}

enum class Held { Nothing, Making, Play, FolderRead };

// A player held at one step until the test ends, as a sound server that takes the sound and never
// answers holds the sound thread.
class HeldPlayer : public ui::SoundOutput {
public:
    HeldPlayer(std::shared_future<void> gate, Held held, qint64 soundMs) : m_gate(std::move(gate)), m_held(held), m_soundMs(soundMs) {}
    void play(const QString&) override {
        hold(Held::Play);
        m_endsAt = ui::steadyMs() + m_soundMs;
    }
    void stop() override { m_endsAt = 0; }
    void loadFolder(const QString&) override { hold(Held::FolderRead); }
    qint64 endsAtMs() const override { return m_endsAt; }
    void hold(Held step) const {
        if (step == m_held) m_gate.wait();
    }

private:
    std::shared_future<void> m_gate;
    Held m_held;
    qint64 m_soundMs;
    std::atomic<qint64> m_endsAt{0};
};

struct HeldCase {
    const char* name;
    Held held;
    qint64 soundMs;
};

class ExitSound : public CourseFixture, public ::testing::WithParamInterface<HeldCase> {
protected:
    ~ExitSound() override {
        m_open.set_value();
        m_player.reset();
    }
    ui::WaveSoundDevice& heldDevice(Held held, qint64 soundMs) {
        m_player = std::make_unique<ui::WaveSoundDevice>([=, gate = m_gate]() -> ui::SoundOutput* {
            auto* player = new HeldPlayer(gate, held, soundMs);
            player->hold(Held::Making);
            return player;
        });
        return *m_player;
    }

private:
    std::promise<void> m_open;
    std::shared_future<void> m_gate = m_open.get_future().share();
    std::unique_ptr<ui::WaveSoundDevice> m_player;
};

// With "exit" the session's first sound, the exit waits a second and a half in all on the platform's
// clock (the device itself never blocks), whether the module never loads, the server never answers
// or the sound lasts longer.
TEST_P(ExitSound, WaitsASecondAndAHalfInAll) {
    startAt(0, 0);
    sys.soundDevice = &heldDevice(GetParam().held, GetParam().soundMs);
    EXPECT_THROW(shell::onExitClicked(program()), ProgramEnded);
    EXPECT_NEAR(sys.pausedSeconds, 1.5, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Players, ExitSound,
                         ::testing::Values(HeldCase{"ModuleNeverLoads", Held::Making, 0}, HeldCase{"ServerNeverAnswers", Held::Play, 0},
                                           HeldCase{"SoundOfTenSeconds", Held::Nothing, 10'000}),
                         caseName);

// The folder read that follows the first sound is not waited for.
TEST_F(ExitSound, AFirstSoundIsNotHeldUpByTheFolderRead) {
    ui::WaveSoundDevice& player = heldDevice(Held::FolderRead, 0);
    play(player, soundDir() + "exit.wav");
    EXPECT_EQ(settled(player), 0.0);
}

}   // namespace
}   // namespace veltrin::test

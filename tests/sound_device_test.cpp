// The sound device's own parts: reading wave files (what plays, and what stays silent), and a
// machine without a sound server or without the sound module, which runs silently and says so once.
#include "support/TestPlatform.h"

#include "ui/SoundDevice.h"
#include "ui/WaveFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace veltrin::test {
namespace {

QByteArray le16(quint16 value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char* id, const QByteArray& body) { return QByteArray(id) + le32(quint32(body.size())) + body; }

QByteArray fmtBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    const quint16 frame = quint16(channels * bits / 8);
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * frame) + le16(frame) + le16(bits);
}

QByteArray riff(const QByteArray& chunks) { return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks; }

// Chunks before the format, an odd-length chunk with its pad byte, and a last frame cut short.
TEST(WaveFile, SkipsOtherChunksAndAPartFrame) {
    const QByteArray samples("\x01\x02\x03\x04\x05\x06\x07", 7);
    const QByteArray oddChunk = chunk("LIST", "abc") + QByteArray(1, '\0');
    const auto wave = ui::parseWave(riff(oddChunk + chunk("fmt ", fmtBody(1, 2, 8000, 8)) + chunk("data", samples)));
    ASSERT_TRUE(wave.has_value());
    EXPECT_EQ(wave->format.channelCount(), 2);
    EXPECT_EQ(wave->format.sampleFormat(), QAudioFormat::UInt8);
    EXPECT_EQ(wave->samples, samples.left(6));
}

// Whatever cannot be played plainly gives nothing, so that it stays silent.
TEST(WaveFile, RefusesWhatCannotBePlayed) {
    const QByteArray data = chunk("data", QByteArray(100, '\0'));
    const QByteArray pcm = chunk("fmt ", fmtBody(1, 1, 22050, 16));
    EXPECT_TRUE(ui::parseWave(riff(pcm + data)).has_value());
    EXPECT_FALSE(ui::parseWave(riff(chunk("fmt ", fmtBody(2, 1, 22050, 4)) + data)));    // compressed
    EXPECT_FALSE(ui::parseWave(riff(chunk("fmt ", fmtBody(1, 6, 22050, 16)) + data)));   // six channels
    EXPECT_FALSE(ui::parseWave(riff(data + pcm)));                                       // data before format
    EXPECT_FALSE(ui::parseWave(riff(pcm + data).chopped(1)));                            // cut short
    EXPECT_FALSE(ui::readWaveFile(QStringLiteral("no such file.wav")));
}

// Plays the course's sounds as the program does; every one must be silent, with nothing to wait for.
void playSilently(ui::WaveSoundDevice& device) {
    for (const char* name : {"exit", "missing", "run"}) {
        device.command(QStringLiteral("Close"));
        device.setFileName(QStringLiteral(VELTRIN_SAMPLE_COURSE "/sounds/%1.wav").arg(QLatin1String(name)));
        device.command(QStringLiteral("Open"));
        device.command(QStringLiteral("Play"));
        device.command(QStringLiteral("Prev"));
        EXPECT_EQ(device.secondsLeftToPlay(1.5), 0.0) << name;
    }
}

// No sound server at all: every sound is silent, nothing waits for one, and one line says so.
TEST(WaveSoundDevice, WithoutASoundServerStaysSilentAndSaysSoOnce) {
    QTemporaryDir folder;
    qputenv("PULSE_SERVER", (folder.path() + "/no-server").toUtf8());
    ui::WaveSoundDevice device;
    testing::internal::CaptureStderr();
    playSilently(device);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Veltrin: no sound output was found; the course runs silently.\n");
    qunsetenv("PULSE_SERVER");
}

// A program installed without its sound module runs as silently, naming what is missing once.
TEST(WaveSoundDevice, WithoutTheSoundModuleStaysSilentAndSaysSoOnce) {
    QTemporaryDir folder;
    ui::WaveSoundDevice device(folder.filePath(QStringLiteral("veltrin_sound")));
    testing::internal::CaptureStderr();
    playSilently(device);
    const QString said = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_TRUE(said.startsWith("Veltrin: the sound module could not be loaded (")) << said.toStdString();
    EXPECT_TRUE(said.contains(folder.filePath(QStringLiteral("veltrin_sound"))));
    EXPECT_EQ(said.count('\n'), 1);
}

}   // namespace
}   // namespace veltrin::test

// The generated sample course: every file the program asks for is there, in the right folder, in a
// form the program can use; the starting files are exactly what a progress reset writes.
#include "progress/Schedule.h"
#include "reader/Reader.h"
#include "ui/rtf/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const QDir course(QStringLiteral(VELTRIN_SAMPLE_COURSE));
const QStringList subjects = QStringLiteral(
    "Openness,Observation,Thought,Feeling,Realization,Exploration,Needs,Feel,Perception,Waters-1,Waters-2,Cause-Effect,"
    "Questioning,Automatic Living,Chunks-1,Cause-Effect-2,Viewpoint,Manifestation,Mechanism,Similarities,Parameters,"
    "Skilling,Interaction,Tweaking").split(',');

QByteArray readAll(const QString& path) {
    QFile file(course.filePath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The check-point topics, the awards, the subject references and the messages.
TEST(SampleCourse, HoldsEveryDocumentInItsFolder) {
    QStringList documents = subjects + QStringLiteral(
        "controversy,creativity,reading,Journal Entry,Greetings,scrollintro,closejnl,closeman,notdoneyet,notdoneyet-o,"
        "resetmsg,veltrinreset,veltrinnotreset,er-1").split(',');
    for (int stage = 0; stage <= 14; ++stage) documents << QStringLiteral("award%1").arg(stage);
    for (const auto& checkpoint : veltrin::progress::Schedule)
        if (!checkpoint.document.empty()) documents << QString::fromLatin1(checkpoint.document.data(), qsizetype(checkpoint.document.size())).chopped(4);
    for (const QString& name : documents) EXPECT_TRUE(course.exists("torch/" + name + ".rtf")) << name.toStdString();
    for (int level = 0; level < 8; ++level) EXPECT_TRUE(course.exists("lessons/" + veltrin::reader::LevelFileName(level))) << level;
    EXPECT_TRUE(course.exists("lessons/veltrin.rtf"));
}

// Every sound, even those whose names differ only in case, is short PCM: mono, 16 bits, 22050 Hz.
TEST(SampleCourse, EverySoundIsThereAsPcmWave) {
    const QStringList sounds = QStringLiteral(
        "torch-on torch-off speak resetyn resety resetn stuffin stuffout scopn scclo opnjnl closjnl viewjnl xitjnl "
        "addrec open0 open1 scroll-on scroll-off Scroll-off award1 operative commander finish run exit").split(' ');
    EXPECT_EQ(QDir(course.filePath("sounds")).entryList({"*.wav"}, QDir::Files).size(), sounds.size());
    EXPECT_NE(readAll("sounds/scroll-off.wav"), readAll("sounds/Scroll-off.wav"));
    for (const QString& name : sounds) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray wav = readAll("sounds/" + name + ".wav");
        ASSERT_GT(wav.size(), 44);
        const auto le32 = [&wav](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
        const auto le16 = [&wav](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
        EXPECT_EQ(wav.left(4) + wav.mid(8, 8) + wav.mid(36, 4), "RIFFWAVEfmt data");
        EXPECT_EQ(le32(4), quint32(wav.size() - 8));
        EXPECT_EQ(le32(40), quint32(wav.size() - 44));
        EXPECT_EQ(QList<int>({le16(20), le16(22), int(le32(24)), le16(34)}), QList<int>({1, 1, 22050, 16}));
    }
}

TEST(SampleCourse, StartingFilesAreWhatAResetWrites) {
    EXPECT_EQ(readAll("torch/info.ndx"), "Greetings\r\nStatus\r\n");
    EXPECT_EQ(readAll("torch/mission.ndx"), "Journal Entry\r\n");
    EXPECT_EQ(readAll("torch/status.ndx"), QByteArray(" 0\r\n").repeated(45));
    QByteArray work;
    for (const QString& subject : subjects) work += subject.toUpper().toLatin1() + "\r\n0\r\n";
    EXPECT_EQ(readAll("torch/work.ndx"), work);
    EXPECT_TRUE(course.exists("lessons/veltrin.sdb"));
    EXPECT_TRUE(readAll("lessons/veltrin.sdb").isEmpty());
}

// Each level's text, laid out by the reading pane's own reader at its width, ends between its
// reading distance and the bottom of its pane: the end of the text is reached as the last lines show.
TEST(SampleCourse, LevelTextsFillTheirReadingDistance) {
    for (int level = 0; level < 8; ++level) {
        QTextDocument document;
        veltrin::ui::rtf::readRtf(readAll("lessons/" + veltrin::reader::LevelFileName(level)), document);
        document.setTextWidth(505);
        const double height = document.size().height();
        EXPECT_GT(height, veltrin::reader::LevelEnds[std::size_t(level)] + 100) << "level " << level;
        EXPECT_LE(height, veltrin::reader::LevelPaneHeight(level)) << "level " << level;
    }
}

}  // namespace

// The generated sample course: every file the program asks for is there, in the right folder,
// in a form the program can use; the starting files are exactly what a progress reset writes.
#include "reader/Reader.h"
#include "ui/rtf/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextDocument>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

const QDir course(QStringLiteral(VELTRIN_SAMPLE_COURSE));
const QString torchDir = QStringLiteral("torch");
const QString lessonsDir = QStringLiteral("lessons");
const QString soundsDir = QStringLiteral("sounds");

// Every document that Torch shows from the torch folder.
const char* const torchDocuments[] = {
    // check-point topics, first and second pass
    "introduction.rtf", "Cosmic Map.rtf", "Icons.rtf", "Level One Goal.rtf", "oneness.rtf", "Caution.rtf",
    "Awareness.rtf", "reality.rtf", "Inner Awareness.rtf", "Awake.rtf", "Pretending.rtf", "Continuum.rtf",
    "Getting Things.rtf", "Skill.rtf", "Self Concept.rtf", "Gauge.rtf", "Time.rtf", "River.rtf", "Feelings.rtf",
    "Ethics.rtf", "Holding Up.rtf", "Power.rtf", "Structure.rtf", "Reason.rtf", "Value.rtf", "Thoughts.rtf",
    "Chunks.rtf", "Interface.rtf", "Inner Feeling.rtf", "Settings.rtf", "Interface-2.rtf", "Perspective.rtf",
    "Science.rtf", "Discernment.rtf", "Source.rtf", "Reconciliation.rtf", "galaxy.rtf", "ambition.rtf",
    "view.rtf", "allone.rtf", "plugin.rtf", "lab-1.rtf", "feelnow.rtf",
    // awards
    "award0.rtf", "award1.rtf", "award2.rtf", "award3.rtf", "award4.rtf", "award5.rtf", "award6.rtf",
    "award7.rtf", "award8.rtf", "award9.rtf", "award10.rtf", "award11.rtf", "award12.rtf", "award13.rtf",
    "award14.rtf",
    // subject references
    "Openness.rtf", "Observation.rtf", "Thought.rtf", "Feeling.rtf", "Realization.rtf", "Exploration.rtf",
    "Needs.rtf", "Feel.rtf", "Perception.rtf", "Waters-1.rtf", "Waters-2.rtf", "Cause-Effect.rtf",
    "Questioning.rtf", "Automatic Living.rtf", "Chunks-1.rtf", "Cause-Effect-2.rtf", "Viewpoint.rtf",
    "Manifestation.rtf", "Mechanism.rtf", "Similarities.rtf", "Parameters.rtf", "Skilling.rtf",
    "Interaction.rtf", "Tweaking.rtf", "controversy.rtf", "creativity.rtf", "reading.rtf", "Journal Entry.rtf",
    // messages
    "Greetings.rtf", "scrollintro.rtf", "closejnl.rtf", "closeman.rtf", "notdoneyet.rtf", "notdoneyet-o.rtf",
    "resetmsg.rtf", "veltrinreset.rtf", "veltrinnotreset.rtf", "er-1.rtf",
};

const char* const lessonDocuments[] = {
    "veltrin0.rtf", "veltrin1.rtf", "veltrin2.rtf", "veltrin3.rtf", "veltrin4.rtf", "veltrin5.rtf",
    "veltrin6.rtf", "veltrin7.rtf", "veltrin.rtf",
};

// Pictures and the size of the control that shows each, in twips.
struct Picture {
    const char* name;
    int widthTwips;
    int heightTwips;
};
const Picture pictures[] = {
    {"wood3-bkg.jpg", 11805, 7800}, {"wood3-bkg-l7O.jpg", 11805, 7800}, {"wood3-bkg-l7.jpg", 11805, 7800},
    {"wood3-btn-xit.jpg", 600, 465}, {"wood3-btn-xit-l7a.jpg", 600, 465},
    {"wood3-fr1.jpg", 2100, 6210}, {"wood3-fr1-l7.jpg", 2100, 6210},
    {"wood3-torch.jpg", 1485, 1860}, {"wood3-torch-a.jpg", 1485, 1860}, {"wood3-torch-b.jpg", 1485, 1860},
    {"wood3-torch-c.jpg", 1485, 1860}, {"wood3-torch-d.jpg", 1485, 1860},
    {"wood3-torch-l7.jpg", 1485, 1860}, {"wood3-torch-a-l7.jpg", 1485, 1860}, {"wood3-torch-b-l7.jpg", 1485, 1860},
    {"wood3-torch-c-l7.jpg", 1485, 1860}, {"wood3-torch-d-l7.jpg", 1485, 1860},
    {"wood3-btn-up.jpg", 630, 630}, {"wood3-btn-up-p.jpg", 630, 630},
    {"wood3-btn-dn.jpg", 630, 630}, {"wood3-btn-dn-p.jpg", 630, 630},
    {"wood3-jrnl-opn-up.jpg", 810, 810}, {"wood3-jrnl-opn-dn.jpg", 810, 810},
    {"wood3-jrnl-clos-up.jpg", 810, 810}, {"wood3-jrnl-clos-dn.jpg", 810, 810},
    {"wood3-book-opn-up.jpg", 810, 810}, {"wood3-book-opn-dn.jpg", 810, 810},
    {"wood3-book-clos-up.jpg", 810, 810}, {"wood3-book-clos-dn.jpg", 810, 810},
    {"gbicon0.jpg", 715, 715}, {"gbicon1.jpg", 715, 715}, {"gbicon2.jpg", 715, 715}, {"gbicon3.jpg", 715, 715},
    {"gbicon4.jpg", 715, 715}, {"gbicon5.jpg", 715, 715}, {"gbicon6.jpg", 715, 715}, {"gbicon7.jpg", 715, 715},
    {"cbicon0.jpg", 715, 715}, {"cbicon1.jpg", 715, 715}, {"cbicon2.jpg", 715, 715}, {"cbicon3.jpg", 715, 715},
    {"cbicon4.jpg", 715, 715}, {"cbicon5.jpg", 715, 715}, {"cbicon6.jpg", 715, 715}, {"cbicon7.jpg", 715, 715},
    {"wood3-award.jpg", 735, 1365}, {"wood3-newtopic.jpg", 360, 555}, {"wood3-btn-torch.jpg", 795, 750},
    {"wood3-btn-info.jpg", 900, 375}, {"wood3-btn-erase.jpg", 1260, 330},
};

const char* const sounds[] = {
    "torch-on", "torch-off", "speak", "resetyn", "resety", "resetn", "stuffin", "stuffout", "scopn", "scclo",
    "opnjnl", "closjnl", "viewjnl", "xitjnl", "addrec", "open0", "open1", "scroll-on", "scroll-off",
    "Scroll-off", "award1", "operative", "commander", "finish", "run", "exit",
};

const char* const subjects[24] = {
    "OPENNESS", "OBSERVATION", "THOUGHT", "FEELING", "REALIZATION", "EXPLORATION", "NEEDS", "FEEL",
    "PERCEPTION", "WATERS-1", "WATERS-2", "CAUSE-EFFECT", "QUESTIONING", "AUTOMATIC LIVING", "CHUNKS-1",
    "CAUSE-EFFECT-2", "VIEWPOINT", "MANIFESTATION", "MECHANISM", "SIMILARITIES", "PARAMETERS", "SKILLING",
    "INTERACTION", "TWEAKING",
};

QString path(const QString& folder, const QString& name) { return course.filePath(folder + QLatin1Char('/') + name); }

QByteArray readAll(const QString& folder, const QString& name) {
    QFile file(path(folder, name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder, const QString& pattern) {
    return QDir(course.filePath(folder)).entryList({pattern}, QDir::Files);
}

quint32 le32(const QByteArray& bytes, int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
quint16 le16(const QByteArray& bytes, int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }

TEST(SampleCourse, HoldsEveryDocumentInItsFolder) {
    for (const char* name : torchDocuments) EXPECT_TRUE(QFile::exists(path(torchDir, QString::fromUtf8(name)))) << name;
    for (const char* name : lessonDocuments) EXPECT_TRUE(QFile::exists(path(lessonsDir, QString::fromUtf8(name)))) << name;
}

TEST(SampleCourse, EveryPictureLoadsAtItsControlsSize) {
    for (const Picture& picture : pictures) {
        const QImage image(path(lessonsDir, QString::fromUtf8(picture.name)));
        ASSERT_FALSE(image.isNull()) << picture.name;
        EXPECT_EQ(image.width(), qRound(picture.widthTwips / 15.0)) << picture.name;
        EXPECT_EQ(image.height(), qRound(picture.heightTwips / 15.0)) << picture.name;
    }
}

TEST(SampleCourse, EverySoundIsThereEvenWhenNamesDifferOnlyInCase) {
    for (const char* name : sounds) EXPECT_TRUE(filesIn(soundsDir, QStringLiteral("*.wav")).contains(QString::fromUtf8(name) + QStringLiteral(".wav"))) << name;
    EXPECT_NE(readAll(soundsDir, QStringLiteral("scroll-off.wav")), readAll(soundsDir, QStringLiteral("Scroll-off.wav")));
}

TEST(SampleCourse, EverySoundIsShortPcmMono16BitWave) {
    const QStringList files = filesIn(soundsDir, QStringLiteral("*.wav"));
    ASSERT_EQ(files.size(), qsizetype(std::size(sounds)));
    for (const QString& name : files) {
        SCOPED_TRACE(qPrintable(name));
        const QByteArray wav = readAll(soundsDir, name);
        ASSERT_GT(wav.size(), 44);
        EXPECT_EQ(wav.left(4), "RIFF");
        EXPECT_EQ(le32(wav, 4), quint32(wav.size() - 8));
        EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(le16(wav, 20), 1);      // PCM
        EXPECT_EQ(le16(wav, 22), 1);      // mono
        EXPECT_EQ(le32(wav, 24), 22050u);
        EXPECT_EQ(le16(wav, 34), 16);
        EXPECT_EQ(wav.mid(36, 4), "data");
        EXPECT_EQ(le32(wav, 40), quint32(wav.size() - 44));
    }
}

TEST(SampleCourse, StartingFilesAreWhatAResetWrites) {
    EXPECT_EQ(readAll(torchDir, QStringLiteral("info.ndx")), QByteArray("Greetings\r\nStatus\r\n"));
    EXPECT_EQ(readAll(torchDir, QStringLiteral("mission.ndx")), QByteArray("Journal Entry\r\n"));
    QByteArray status;
    for (int i = 0; i < 45; ++i) status += " 0\r\n";
    EXPECT_EQ(readAll(torchDir, QStringLiteral("status.ndx")), status);
    QByteArray work;
    for (const char* subject : subjects) work += QByteArray(subject) + "\r\n0\r\n";
    EXPECT_EQ(readAll(torchDir, QStringLiteral("work.ndx")), work);
    QFile store(path(lessonsDir, QStringLiteral("veltrin.sdb")));
    EXPECT_TRUE(store.exists());
    EXPECT_EQ(store.size(), 0);
}

// Each level's text, laid out by the reading pane's own reader at its width, ends between its
// reading distance and the bottom of its pane: the end of the text is reached as the last lines show.
TEST(SampleCourse, LevelTextsFillTheirReadingDistance) {
    for (int level = 0; level < 8; ++level) {
        QTextDocument document;
        veltrin::ui::rtf::readRtf(readAll(lessonsDir, veltrin::reader::LevelFileName(level)), document);
        document.setTextWidth(505);
        const double height = document.size().height();
        EXPECT_GT(height, veltrin::reader::LevelEnds[std::size_t(level)] + 100) << "level " << level;
        EXPECT_LE(height, veltrin::reader::LevelPaneHeight(level)) << "level " << level;
    }
}

}  // namespace

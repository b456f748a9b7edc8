// The generated sample course starts with exactly the files a progress reset writes; the course
// journey reads every other file of it.
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QDir course(QStringLiteral(VELTRIN_SAMPLE_COURSE));
const QStringList subjects =
    QStringLiteral("Openness,Observation,Thought,Feeling,Realization,Exploration,Needs,Feel,Perception,Waters-1,Waters-2,Cause-Effect,"
                   "Questioning,Automatic Living,Chunks-1,Cause-Effect-2,Viewpoint,Manifestation,Mechanism,Similarities,Parameters,"
                   "Skilling,Interaction,Tweaking")
        .split(',');

QByteArray readAll(const QString& path) {
    QFile file(course.filePath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

}   // namespace

// The progress files: damaged ones read, reported, mended by saving and read back; the topic guard.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "progress/Progress.h"

namespace veltrin::test {
namespace {

class ProgressFiles : public CourseFixture {
protected:
    void SetUp() override {
        writeStartingCourse();
        state().settings.AppDir = appDir();
        progress::FillRequirementTables(program());
    }

    QString infoPath() const { return appDir() + "info.ndx"; }
};

// `said`: what the message says of the file. `mended`: the first lines once the progress is saved
// again: status.ndx in the leading-blank form, work.ndx in upper-case names and counts without blanks.
struct Damage {
    const char* name;
    const char* file;
    QStringList lines;
    const char* said;
    QStringList mended;
};

class DamagedFile : public ProgressFiles, public ::testing::WithParamInterface<Damage> {};

// Read as far as it goes, reported once, left as it is until the progress is saved; what was saved
// reads back without a word, and saving it again unchanged writes nothing.
TEST_P(DamagedFile, IsReadAsFarAsItGoesReportedOnceAndMendedBySaving) {
    const Damage& c = GetParam();
    const QString path = appDir() + c.file;
    writeLines(path, c.lines);
    const auto before = allFiles();
    for (auto& row : state().StageCounters) row.fill(9);
    progress::LoadProgressFiles(program());
    progress::LoadProgressFiles(program());
    EXPECT_TRUE(changedFiles(before).isEmpty());
    EXPECT_EQ(sys.messages, QStringList{"Veltrin found damage in\n" + path + "\n(" + c.said +
                                        ")\n\nIt uses what it could read. The file stays as it is until your progress is next saved."});
    progress::SaveProgressFiles(program());
    EXPECT_TRUE(readFile(path).startsWith(crlfLines(c.mended))) << readFile(path).toStdString();
    EXPECT_EQ(fileLines(path).size(), c.file == QLatin1String("status.ndx") ? 45 : 48);
    const state::ProgramState saved = state();
    progress::LoadProgressFiles(program());
    EXPECT_EQ(state().StageCounters, saved.StageCounters);
    EXPECT_EQ(state().SubjectProgress, saved.SubjectProgress);
    EXPECT_EQ(sys.messages.size(), 1);
    failWritesAfter(0);
    EXPECT_NO_THROW(progress::SaveProgressFiles(program()));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    ::testing::Values(Damage{"StatusNotANumber",
                             "status.ndx",
                             QStringList{"  7", "-2", "abc", "2.5", "3.5", "4 checkpoints"} + QStringList(39, " 0"),
                             "line 3 is not a number",
                             {" 7", "-2", " 0", " 2", " 4", " 4", " 0"}},
                      Damage{"StatusShort", "status.ndx", QStringList{" 3", " 6"}, "it holds 2 of its 45 lines", {" 3", " 6", " 0"}},
                      // Counts edited by hand to the ends of the 64-bit range are held where every one can go up by one.
                      Damage{"StatusOutOfRange",
                             "status.ndx",
                             QStringList{" 7", "99999999999999999999", "-9223372036854775808"} + QStringList(42, " 0"),
                             "line 2 is out of range",
                             {" 7", " 30000", "-30000", " 0"}},
                      Damage{"WorkShortWithAWrongName",
                             "work.ndx",
                             QStringList{"OPENESS", "4", "OBSERVATION", "x", "THOUGHT", "6 so far", "FEELING", "9223372036854775808",
                                         "REALIZATION", "-9223372036854775808"},
                             "it holds 10 of its 48 lines",
                             {"OPENNESS", "4", "OBSERVATION", "0", "THOUGHT", "6", "FEELING", "30000", "REALIZATION", "0"}}),
    caseName);

// The guard looks at the topic list as last read, not the file: an extra topic shows whether the list was refilled.
TEST_F(ProgressFiles, AddTopicAppendsOnlyANameTheListDoesNotHoldExactly) {
    for (const auto& [topic, added] : {std::pair{"Oneness", false}, {"only in the box", false}, {"oneness", true}, {"Oneness ", true}}) {
        writeLines(infoPath(), {"Greetings", "Status", "Oneness"});
        progress::RefillLists(program());
        state().screen.Topics << "only in the box";
        window().topicList->addItem("only in the box");
        progress::AddTopic(program(), topic, progress::SaveProgressFiles);
        EXPECT_EQ(readFile(infoPath()), crlfLines({"Greetings", "Status", "Oneness"}) + (added ? topic + QByteArray("\r\n") : "")) << topic;
        EXPECT_EQ(window().topicList->itemText(3), added ? topic : "only in the box") << topic;
    }
}

}   // namespace
}   // namespace veltrin::test

// The index and progress files: byte-exact writing and reading back, damaged files, the topic
// guard and the level-requirements test.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "journal/Journal.h"
#include "progress/Progress.h"

namespace veltrin::test {
namespace {

class ProgressFiles : public CourseFixture {
protected:
    void SetUp() override {
        writeStartingCourse();
        state().AppDir = appDir();
        journal::FillRequirementTables(program());
    }

    QString statusPath() const { return appDir() + "status.ndx"; }
    QString workPath() const { return appDir() + "work.ndx"; }
    QString infoPath() const { return appDir() + "info.ndx"; }

    static QStringList items(const QComboBox* list) {
        QStringList items;
        for (int item = 0; item < list->count(); ++item) items << list->itemText(item);
        return items;
    }
    // One message, naming `path` and saying `what`.
    void expectOneMessage(const QString& path, const QString& what) {
        ASSERT_EQ(sys.messages.size(), 1);
        EXPECT_TRUE(sys.messages[0].contains(path + "\n(" + what + ")")) << sys.messages[0].toStdString();
    }
};

// status.ndx: 45 counters row by row in the leading-blank form; work.ndx: upper-case names and
// counts without blanks, 48 lines; both read back unchanged.
TEST_F(ProgressFiles, FilesAreWrittenByteForByteAndReadBackUnchanged) {
    progress::ClearProgressTables(program());
    state().StageCounters[1][0] = 1;
    state().StageCounters[2][8] = 5;
    state().StageCounters[3][14] = -2;
    state().SubjectProgress[2][2] = "12";
    progress::SaveProgressFiles(program());
    QStringList expected(45, " 0");
    expected[0] = " 1";
    expected[15 + 8] = " 5";
    expected[30 + 14] = "-2";
    EXPECT_EQ(readFile(statusPath()), crlfLines(expected));
    const QByteArray work = readFile(workPath());
    EXPECT_TRUE(work.startsWith("OPENNESS\r\n0\r\nOBSERVATION\r\n12\r\nTHOUGHT\r\n0\r\n"));
    EXPECT_TRUE(work.endsWith("INTERACTION\r\n0\r\nTWEAKING\r\n0\r\n"));
    EXPECT_EQ(work.count("\r\n"), 48);
    EXPECT_TRUE(work.contains("\r\nAUTOMATIC LIVING\r\n0\r\n"));

    const shell::ProgramState saved = state();
    state().StageCounters = {};
    state().SubjectProgress = {};
    progress::LoadProgressFiles(program());
    EXPECT_EQ(state().StageCounters, saved.StageCounters);
    EXPECT_EQ(state().SubjectProgress, saved.SubjectProgress);
    EXPECT_TRUE(sys.messages.isEmpty());
    base::failWritesAfter(0);   // saving unchanged counters writes nothing
    EXPECT_NO_THROW(progress::SaveProgressFiles(program()));
}

// Numbers are read by their leading part, garbage counts zero and is reported without touching the file.
TEST_F(ProgressFiles, DamagedStatusFileIsReadAsFarAsItGoes) {
    writeLines(statusPath(), QStringList{"  7", "-2", "abc", "2.5", "3.5", "4 checkpoints"} + QStringList(39, " 0"));
    const QByteArray before = readFile(statusPath());
    progress::LoadProgressFiles(program());
    const auto& row = state().StageCounters[1];
    EXPECT_EQ(std::vector<int>(row.begin(), row.begin() + 7), (std::vector<int>{7, -2, 0, 2, 4, 4, 0}));
    expectOneMessage(statusPath(), "line 3 is not a number");
    EXPECT_EQ(readFile(statusPath()), before);
}

TEST_F(ProgressFiles, ShortStatusFileKeepsWhatItHoldsReportedOnceAndSavingMendsIt) {
    writeLines(statusPath(), {" 3", " 6"});
    progress::LoadProgressFiles(program());
    progress::LoadProgressFiles(program());
    const auto& row = state().StageCounters[1];
    EXPECT_EQ(std::vector<int>(row.begin(), row.begin() + 3), (std::vector<int>{3, 6, 0}));
    EXPECT_EQ(state().StageCounters[3][14], 0);
    expectOneMessage(statusPath(), "it holds 2 of its 45 lines");
    progress::SaveProgressFiles(program());
    EXPECT_EQ(readFile(statusPath()), crlfLines(QStringList{" 3", " 6"} + QStringList(43, " 0")));
}

TEST_F(ProgressFiles, MissingProgressFilesGiveAFreshCourseAndAreNotCreated) {
    QFile::remove(statusPath());
    QFile::remove(workPath());
    state().StageCounters[1][4] = 9;
    progress::LoadProgressFiles(program());
    EXPECT_EQ(state().StageCounters[1][4], 0);
    EXPECT_EQ(state().SubjectProgress[14][1], "AUTOMATIC LIVING");
    EXPECT_EQ(state().SubjectProgress[14][2], "0");
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains(statusPath() + "\n(it is missing)"));
    EXPECT_TRUE(sys.messages[0].contains(workPath() + "\n(it is missing)"));
    EXPECT_FALSE(base::fileExists(statusPath()) || base::fileExists(workPath()));
}

TEST_F(ProgressFiles, DamagedWorkFileKeepsTheSubjectNamesAndReadableCounts) {
    QStringList work = fileLines(workPath());
    work[0] = "OPENESS";
    work[1] = "4";
    work[3] = "x";
    work[5] = "6 so far";
    writeLines(workPath(), work.mid(0, 10));
    progress::LoadProgressFiles(program());
    const auto& subjects = state().SubjectProgress;
    EXPECT_EQ(QStringList({subjects[1][1], subjects[1][2], subjects[2][2], subjects[3][2], subjects[6][1], subjects[6][2]}),
              QStringList({"OPENNESS", "4", "0", "6", "EXPLORATION", "0"}));
    expectOneMessage(workPath(), "it holds 10 of its 48 lines");
}

TEST_F(ProgressFiles, FailedSaveLeavesBothFilesAsTheyWere) {
    progress::LoadProgressFiles(program());
    const QByteArray status = readFile(statusPath());
    const QByteArray work = readFile(workPath());
    state().SubjectProgress[1][2] = "1";
    base::failWritesAfter(10);
    EXPECT_THROW(progress::SaveProgressFiles(program()), base::FileError);
    base::failWritesAfter(-1);
    EXPECT_EQ(readFile(statusPath()), status);
    EXPECT_EQ(readFile(workPath()), work);
}

// The lists show every line in file order; a missing topic index gives an empty list, one message,
// and is created by the first topic added.
TEST_F(ProgressFiles, ListsShowEveryLineAndAMissingTopicIndexIsCreatedByAdding) {
    writeLines(appDir() + "mission.ndx", {"Journal Entry", "OPENNESS", "", "OPENNESS"});
    QFile::remove(infoPath());
    progress::RefillLists(program());
    progress::RefillLists(program());
    EXPECT_EQ(form().Combo1->count(), 0);
    EXPECT_EQ(items(form().Combo2), (QStringList{"Journal Entry", "OPENNESS", "", "OPENNESS"}));
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains(infoPath()));
    EXPECT_FALSE(base::fileExists(infoPath()));
    progress::AddTopic(program(), "award0");
    EXPECT_EQ(readFile(infoPath()), QByteArray("award0\r\n"));
    EXPECT_EQ(items(form().Combo1), QStringList{"award0"});
}

struct TopicGuardCase {
    const char* name;
    const char* topic;
    bool added;
};

class AddTopicGuard : public ProgressFiles, public ::testing::WithParamInterface<TopicGuardCase> {};

// The guard looks at the list box, not the file: an extra item in the box shows whether it was refilled.
TEST_P(AddTopicGuard, AppendsOnlyANameTheListDoesNotHoldExactly) {
    writeLines(infoPath(), {"Greetings", "Status", "Oneness"});
    progress::RefillLists(program());
    form().Combo1->addItem("only in the box");
    const QByteArray before = readFile(infoPath());
    progress::AddTopic(program(), GetParam().topic);
    EXPECT_EQ(readFile(infoPath()), GetParam().added ? before + GetParam().topic + "\r\n" : before);
    EXPECT_EQ(items(form().Combo1).value(3), GetParam().added ? GetParam().topic : "only in the box");
}

INSTANTIATE_TEST_SUITE_P(Names, AddTopicGuard,
                         ::testing::Values(TopicGuardCase{"Listed", "Oneness", false},
                                           TopicGuardCase{"OnlyInTheBox", "only in the box", false},
                                           TopicGuardCase{"OtherCase", "oneness", true},
                                           TopicGuardCase{"TrailingBlank", "Oneness ", true}),
                         caseName);

struct RequirementsCase {
    const char* name;
    int stage;
    int levelShown;
    int checkpoints;                                   // row 1 of the column LevelShown
    std::vector<std::pair<int, const char*>> entries;  // SubjectProgress rows and counts
    bool met;
};

class LevelRequirements : public ProgressFiles, public ::testing::WithParamInterface<RequirementsCase> {};

TEST_P(LevelRequirements, DecideCompletion) {
    const RequirementsCase& c = GetParam();
    progress::ClearProgressTables(program());
    state().CourseStage = std::int16_t(c.stage);
    state().LevelShown = std::int16_t(c.levelShown);
    state().StageCounters[1][std::size_t(c.levelShown)] = std::int16_t(c.checkpoints);
    for (const auto& [row, count] : c.entries) state().SubjectProgress[std::size_t(row)][2] = count;
    state().RequirementsMet = !c.met;
    progress::TestRequirements(program());
    EXPECT_EQ(state().RequirementsMet, c.met);
}

const std::vector<std::pair<int, const char*>> LevelTwoDone{{6, "24"}, {7, "12"}, {8, "5"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelRequirements,
    ::testing::Values(RequirementsCase{"IntroductionTwoOfThree", -1, 0, 2, {}, false},
                      RequirementsCase{"IntroductionThreeOfThree", -1, 0, 3, {}, true},
                      RequirementsCase{"LevelTwoFourFeelEntries", 8, 2, 8, {{6, "24"}, {7, "12"}, {8, "4"}}, false},
                      RequirementsCase{"LevelTwoFifthFeelEntry", 8, 2, 8, LevelTwoDone, true},
                      RequirementsCase{"SecondPassNeedsItsFirstPassColumn", 8, 2, 7, LevelTwoDone, false},
                      RequirementsCase{"OtherLevelsEntriesDoNotCount", 12, 6, 4, {{18, "10"}, {19, "7"}, {20, "4"}, {21, "99"}}, false},
                      RequirementsCase{"LevelSevenSecondPass", 13, 7, 3, {{21, "5"}, {22, "25"}, {23, "25"}, {24, "25"}}, true}),
    caseName);

} // namespace
} // namespace veltrin::test

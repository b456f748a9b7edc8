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
        program().state.AppDir = appDir();
        journal::FillRequirementTables(program());
    }
    void TearDown() override { base::failWritesAfter(-1); }

    QString statusPath() const { return appDir() + "status.ndx"; }
    QString workPath() const { return appDir() + "work.ndx"; }
    QString infoPath() const { return appDir() + "info.ndx"; }
    QString missionPath() const { return appDir() + "mission.ndx"; }

    static QStringList comboItems(const QComboBox& list) {
        QStringList items;
        for (int item = 0; item < list.count(); ++item) items << list.itemText(item);
        return items;
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
}

TEST_F(ProgressFiles, NumbersAreReadByTheirLeadingPartAndGarbageCountsZero) {
    QStringList status(45, " 0");
    status[0] = "  7";
    status[1] = "-2";
    status[2] = "abc";
    status[3] = "2.5";
    status[4] = "3.5";
    status[5] = "4 checkpoints";
    writeLines(statusPath(), status);
    const QByteArray before = readFile(statusPath());
    progress::LoadProgressFiles(program());
    const auto& row = state().StageCounters[1];
    EXPECT_EQ(std::vector<int>(row.begin(), row.begin() + 7), (std::vector<int>{7, -2, 0, 2, 4, 4, 0}));
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains(statusPath()));
    EXPECT_TRUE(sys.messages[0].contains("line 3 is not a number"));
    EXPECT_EQ(readFile(statusPath()), before);
}

TEST_F(ProgressFiles, ShortStatusFileKeepsWhatItHoldsAndIsReportedOnce) {
    writeLines(statusPath(), {" 3", " 6"});
    progress::LoadProgressFiles(program());
    progress::LoadProgressFiles(program());
    EXPECT_EQ(state().StageCounters[1][0], 3);
    EXPECT_EQ(state().StageCounters[1][1], 6);
    EXPECT_EQ(state().StageCounters[1][2], 0);
    EXPECT_EQ(state().StageCounters[3][14], 0);
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains("it holds 2 of its 45 lines"));
    EXPECT_EQ(readFile(statusPath()), QByteArray(" 3\r\n 6\r\n"));
    progress::SaveProgressFiles(program());   // saving on purpose mends it
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
    EXPECT_FALSE(base::fileExists(statusPath()));
    EXPECT_FALSE(base::fileExists(workPath()));
}

TEST_F(ProgressFiles, DamagedWorkFileKeepsTheSubjectNamesAndReadableCounts) {
    QStringList work = QString::fromUtf8(readFile(workPath())).split("\r\n", Qt::SkipEmptyParts);
    work[0] = "OPENESS";
    work[1] = "4";
    work[3] = "x";
    work[5] = "6 so far";
    writeLines(workPath(), work.mid(0, 10));
    progress::LoadProgressFiles(program());
    const auto& subjects = state().SubjectProgress;
    EXPECT_EQ(subjects[1][1], "OPENNESS");
    EXPECT_EQ(subjects[1][2], "4");
    EXPECT_EQ(subjects[2][2], "0");
    EXPECT_EQ(subjects[3][2], "6");
    EXPECT_EQ(subjects[6][1], "EXPLORATION");
    EXPECT_EQ(subjects[6][2], "0");
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains(workPath() + "\n(it holds 10 of its 48 lines)"));
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

TEST_F(ProgressFiles, SavingUnchangedCountersWritesNothing) {
    progress::LoadProgressFiles(program());
    base::failWritesAfter(0);
    EXPECT_NO_THROW(progress::SaveProgressFiles(program()));
}

TEST_F(ProgressFiles, ListsShowEveryLineInFileOrderWithDuplicatesAndEmptyLines) {
    writeLines(missionPath(), {"Journal Entry", "OPENNESS", "", "OPENNESS"});
    progress::RefillLists(program());
    EXPECT_EQ(comboItems(*program().form.Combo1), (QStringList{"Greetings", "Status"}));
    EXPECT_EQ(comboItems(*program().form.Combo2), (QStringList{"Journal Entry", "OPENNESS", "", "OPENNESS"}));
    EXPECT_TRUE(sys.messages.isEmpty());
}

TEST_F(ProgressFiles, MissingTopicIndexGivesAnEmptyListAndOneMessage) {
    QFile::remove(infoPath());
    progress::RefillLists(program());
    progress::RefillLists(program());
    EXPECT_EQ(program().form.Combo1->count(), 0);
    EXPECT_EQ(comboItems(*program().form.Combo2), QStringList{"Journal Entry"});
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages[0].contains(infoPath()));
    EXPECT_FALSE(sys.messages[0].contains(missionPath()));
    EXPECT_FALSE(base::fileExists(infoPath()));
}

TEST_F(ProgressFiles, AddTopicCreatesAMissingTopicIndex) {
    QFile::remove(infoPath());
    progress::RefillLists(program());
    progress::AddTopic(program(), "award0");
    EXPECT_EQ(readFile(infoPath()), QByteArray("award0\r\n"));
    EXPECT_EQ(comboItems(*program().form.Combo1), QStringList{"award0"});
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
    program().form.Combo1->addItem("only in the box");
    const QByteArray before = readFile(infoPath());
    progress::AddTopic(program(), GetParam().topic);
    if (GetParam().added) {
        EXPECT_EQ(readFile(infoPath()), before + QByteArray(GetParam().topic) + "\r\n");
        EXPECT_EQ(comboItems(*program().form.Combo1), (QStringList{"Greetings", "Status", "Oneness", GetParam().topic}));
    } else {
        EXPECT_EQ(readFile(infoPath()), before);
        EXPECT_EQ(program().form.Combo1->itemText(3), "only in the box");
    }
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
    std::array<int, 3> counters;                       // rows 1 .. 3 of the column LevelShown
    std::vector<std::pair<int, const char*>> entries;  // SubjectProgress rows and counts
    bool met;
};

class LevelRequirements : public ProgressFiles, public ::testing::WithParamInterface<RequirementsCase> {};

TEST_P(LevelRequirements, DecideCompletion) {
    const RequirementsCase& c = GetParam();
    progress::ClearProgressTables(program());
    state().CourseStage = std::int16_t(c.stage);
    state().LevelShown = std::int16_t(c.levelShown);
    for (std::size_t row = 1; row <= 3; ++row) state().StageCounters[row][std::size_t(c.levelShown)] = std::int16_t(c.counters[row - 1]);
    for (const auto& [row, count] : c.entries) state().SubjectProgress[std::size_t(row)][2] = count;
    state().RequirementsMet = !c.met;
    progress::TestRequirements(program());
    EXPECT_EQ(state().RequirementsMet, c.met);
}

const std::vector<std::pair<int, const char*>> LevelTwoEntries{{6, "24"}, {7, "12"}, {8, "4"}};
const std::vector<std::pair<int, const char*>> LevelTwoDone{{6, "24"}, {7, "12"}, {8, "5"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelRequirements,
    ::testing::Values(
        RequirementsCase{"IntroductionTwoOfThree", -1, 0, {2, 0, 0}, {}, false},
        RequirementsCase{"IntroductionThreeOfThree", -1, 0, {3, 0, 0}, {}, true},
        RequirementsCase{"LevelTwoFourFeelEntries", 8, 2, {8, 0, 0}, LevelTwoEntries, false},
        RequirementsCase{"LevelTwoFifthFeelEntry", 8, 2, {8, 0, 0}, LevelTwoDone, true},
        RequirementsCase{"SecondPassNeedsItsFirstPassColumn", 8, 2, {7, 0, 0}, LevelTwoDone, false},
        RequirementsCase{"CountReadByItsLeadingNumber", 8, 2, {8, 0, 0}, {{6, "24 entries"}, {7, "12"}, {8, "5.0"}}, true},
        RequirementsCase{"OtherLevelsEntriesDoNotCount", 12, 6, {4, 0, 0}, {{18, "10"}, {19, "7"}, {20, "4"}, {21, "99"}}, false},
        RequirementsCase{"LevelSevenSecondPass", 13, 7, {3, 0, 0}, {{21, "5"}, {22, "25"}, {23, "25"}, {24, "25"}}, true}),
    caseName);

} // namespace
} // namespace veltrin::test

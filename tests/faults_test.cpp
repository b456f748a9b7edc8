// Faults while the program runs: a disk that refuses writes (the write hook of the file rules), a
// folder that cannot hold files and a missing settings folder. Running as root, a read-only folder
// would still be written, so an unwritable folder is a path whose parent is a regular file. Each
// operation names the file, keeps running, keeps its state and leaves every stored file as it was.
#include "support/CourseFixture.h"

#include "base/TextFile.h"

namespace veltrin::test {
namespace {

using Files = std::map<QString, QByteArray>;

class Faults;

// `act` prepares, snapshots, refuses writes or breaks a folder, then runs the operation; the message
// names `file`; `exits` when the operation ends the program by design.
struct Fault {
    const char* name;
    int stage, position;
    void (*act)(Faults&);
    const char* file;
    bool exits;
};

class Faults : public CourseFixture, public ::testing::WithParamInterface<Fault> {
public:
    using CourseFixture::click;
    using CourseFixture::markAllWorkDone;
    using CourseFixture::pressWhenVisible;
    using CourseFixture::program;
    using CourseFixture::winDir;
    using CourseFixture::window;

    // Snapshots, points a data folder under a regular file, where nothing can be opened or created,
    // and clicks.
    void breakFolder(QString state::ProgramState::*folder, QWidget* control) {
        takeSnapshot();
        program().state.*folder = winDir() + QStringLiteral("blocker/folder/");
        click(control);
    }
    void takeSnapshot() {
        files = allFiles();
        state = program().state;
        lists = listed();
    }
    // Snapshots, then refuses every write after `bytes` more bytes.
    void refuseWritesAfter(qint64 bytes) {
        takeSnapshot();
        base::failWritesAfter(bytes);
    }
    QStringList listed() {
        QStringList items;
        for (const QComboBox* list : {program().window.topicList, program().window.subjectBox})
            for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
        return items;
    }

    Files files;
    state::ProgramState state;
    QStringList lists;

protected:
    void SetUp() override {
        writeStartingCourse();
        writeLines(appDir() + "info.ndx", {"Greetings", "Status", "Introduction"});
        writeSettings(GetParam().stage, GetParam().position);
        writeFile(winDir() + "blocker", "not a folder");
        start();
        if (!program().window.torchPanel->isHidden()) click(program().window.okButton);
        sys.messages.clear();
    }
};

TEST_P(Faults, TellsTheUserKeepsRunningAndChangesNothing) {
    const Fault fault = GetParam();
    bool ended = false;
    try {
        fault.act(*this);
    } catch (const ProgramEnded&) { ended = true; }
    base::failWritesAfter(-1);
    EXPECT_EQ(ended, fault.exits);
    ASSERT_EQ(sys.messages.size(), 1) << sys.messages.join("\n---\n").toStdString();
    EXPECT_TRUE(sys.messages[0].contains(fault.file)) << sys.messages[0].toStdString();
    EXPECT_TRUE(changedFiles(files).isEmpty()) << changedFiles(files).join(" ").toStdString();
    if (fault.exits) return;
    const state::ProgramState& now = program().state;
    EXPECT_EQ(now.CourseStage, state.CourseStage);
    EXPECT_EQ(now.ScrollPos, state.ScrollPos);
    EXPECT_EQ(now.StageCounters, state.StageCounters);
    EXPECT_EQ(now.SubjectProgress, state.SubjectProgress);
    EXPECT_EQ(listed(), lists);
}

// Stage -1 starts a pixel before the Cosmic Map check-point (mark 581 of a 3500-pixel text).
constexpr int BeforeCosmicMap = -2030;
// Stage 7 starts a pixel before the galaxy check-point (mark 240 of a 13743-pixel text).
constexpr int BeforeGalaxy = -3284;
// A pixel before the end of the introduction's text.
constexpr int BeforeIntroductionEnd = -3499;

void scrollOn(Faults& f, qint64 budget) {
    f.refuseWritesAfter(budget);
    f.click(f.program().window.upArrow);
}

void addJournalEntry(Faults& f) {
    Program& p = f.program();
    f.click(p.window.journalButton);
    for (const auto& options : p.window.rankOptions) options[2]->setChecked(true);
    p.window.subjectBox->setCurrentText("Journal Entry");
    p.window.entryBox->SetText("A day.");
}

void completeLevel(Faults& f, qint64 budget) {
    f.markAllWorkDone();
    shell::RestoreProgress(f.program());
    scrollOn(f, budget);
}

void exitNow(Faults& f) {
    shell::RunGuarded(f.program(), [&f] { shell::onExitClicked(f.program()); });
}

const Fault FaultCases[] = {
    {"TopicListRefused", -1, BeforeCosmicMap, [](Faults& f) { scrollOn(f, 0); }, "info.ndx", false},
    {"ProgressAfterTopicRefused", -1, BeforeCosmicMap, [](Faults& f) { scrollOn(f, sizeof("Cosmic Map\r\n") - 1); }, "status.ndx", false},
    {"ProgressAfterSecondPassTopicRefused", 7, BeforeGalaxy, [](Faults& f) { scrollOn(f, sizeof("galaxy\r\n") - 1); }, "status.ndx", false},
    {"JournalEntryInUnreachableCourseDir", 0, 0,
     [](Faults& f) {
         addJournalEntry(f);
         f.breakFolder(&state::ProgramState::CourseDir, f.window().addEntryButton);
     },
     "veltrin.sdb", false},
    {"StatusTopicRefused", 0, 0,
     [](Faults& f) {
         f.refuseWritesAfter(0);
         f.window().topicList->setCurrentText("Status");
         emit f.window().topicList->activated(f.window().topicList->currentIndex());
     },
     "status.rtf", false},
    {"ResetYesRefused", 0, 0,
     [](Faults& f) {
         f.pressWhenVisible(f.window().yesButton, "answer Yes");
         f.refuseWritesAfter(0);
         f.click(f.window().eraseButton);
     },
     ".bak", false},
    {"LevelCompletionAwardTopicRefused", -1, BeforeIntroductionEnd, [](Faults& f) { completeLevel(f, 0); }, "info.ndx", false},
    {"LevelCompletionSettingsRefused", -1, BeforeIntroductionEnd, [](Faults& f) { completeLevel(f, sizeof("award0\r\n") - 1); },
     "veltrin3.ini", false},
    {"ExitWithoutSettingsFolder", 2, -40,
     [](Faults& f) {
         f.program().state.WinDir = f.winDir() + "gone/";
         f.takeSnapshot();
         exitNow(f);
     },
     "gone/veltrin3.ini", true},
};

INSTANTIATE_TEST_SUITE_P(Operations, Faults, ::testing::ValuesIn(FaultCases), caseName);

}   // namespace
}   // namespace veltrin::test

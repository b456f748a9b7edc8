// Faults while the program runs: every surface that writes one of the course's own files against a
// full disk (the write hook of the file rules), a read-only folder, a device or a folder in the
// file's place; a data folder that cannot be reached; a handler run inside a failing operation's
// yield. Each operation names the file, keeps running, keeps its state and leaves every stored
// file as it was.
#include "support/CourseFixture.h"

#include "reader/Reader.h"

#include "base/TextFile.h"
#include "progress/Progress.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace veltrin::test {
namespace {

// A started course whose operations a table drives and fails.
class Course : public CourseFixture {
public:
    void takeSnapshot() {
        files = allFiles();
        state = program().state;
        lists = listed();
    }
    void refuseWritesAfter(qint64 bytes) { failWritesAfter(bytes); }
    QStringList listed() {
        QStringList items;
        for (const QComboBox* list : {program().window.topicList, program().window.subjectBox})
            for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
        return items;
    }

    // One message naming `file`; every stored file as snapshot and, unless the program ended, the
    // state, the lists and the view too, and the exit then saves what is shown.
    void expectAsBefore(const QString& file, bool ended) {
        ASSERT_NO_FATAL_FAILURE(expectOneMessageNaming(file));
        EXPECT_TRUE(sys.messages[0].contains("could not")) << sys.messages[0].toStdString();
        EXPECT_TRUE(changedFiles(files).isEmpty()) << changedFiles(files).join(" ").toStdString();
        if (ended) return;
        const state::ProgramState& now = program().state;
        EXPECT_EQ(std::tuple(now.settings.CourseStage, now.settings.ScrollPos, now.StageCounters, now.SubjectProgress, listed()),
                  std::tuple(state.settings.CourseStage, state.settings.ScrollPos, state.StageCounters, state.SubjectProgress, lists));
        expectViewOnTheReadingPosition();
        if (!QFileInfo(settingsPath()).isFile()) return;   // the settings file itself was spoilt
        EXPECT_THROW(exitNow(), ProgramEnded);
        EXPECT_EQ(settingsLine(6).toInt(), int(window().readingPane->topEdge()));
    }
    void expectOneMessageNaming(const QString& file) {
        ASSERT_EQ(sys.messages.size(), 1) << sys.messages.join("\n---\n").toStdString();
        EXPECT_TRUE(sys.messages[0].contains(file)) << sys.messages[0].toStdString();
    }
    void expectViewOnTheReadingPosition() {
        EXPECT_EQ(window().readingPane->topEdge(), program().state.settings.ScrollPos);
        EXPECT_EQ(window().positionBar->value(), -program().state.settings.ScrollPos);
    }

    void exitNow() {
        shell::RunGuarded(program(), [this] { shell::onExitClicked(program()); });
    }

    Files files;
    state::ProgramState state;
    QStringList lists;
    QString named;   // the file the message names

protected:
    void startCourseAt(int stage, int position) {
        writeStartingCourse();
        writeLines(appDir() + "info.ndx", {"Greetings", "Status", "Introduction"});
        writeSettings(stage, position);
        writeFile(winDir() + "blocker", "not a folder");
        start();
        if (!program().window.torchPanel->isHidden()) click(program().window.okButton);
        sys.messages.clear();
    }
};

// Stage -1 starts a pixel before the Cosmic Map check-point (mark 581 of a 3500-pixel text).
constexpr int BeforeCosmicMap = -2030;
// Stage 7 starts a pixel before the galaxy check-point (mark 240 of a 13743-pixel text).
constexpr int BeforeGalaxy = -3284;
// A pixel before the end of the introduction's text.
constexpr int BeforeIntroductionEnd = -3499;

// Stage -1 starts a pixel before the check-point that starts the course (mark 354).
constexpr int BeforeCourseStart = -1238;

// The course starts over a journal with counts and the topic list of a new course.
void prepareCourseStart(Course& f) {
    const QString work = f.appDir() + "work.ndx";
    f.writeFile(work, f.readFile(work).replace("OPENNESS\r\n0", "OPENNESS\r\n4"));
    f.writeLines(f.appDir() + "info.ndx", {"Greetings", "Status"});
    progress::LoadProgressFiles(f.program());
    progress::RefillLists(f.program());
}

void addJournalEntry(Course& f) {
    Program& p = f.program();
    f.click(p.window.journalButton);
    for (const auto& options : p.window.rankOptions) options[2]->setChecked(true);
    p.window.subjectBox->setCurrentText("Journal Entry");
    p.window.entryBox->SetText("A day.");
}

void clickUp(Course& f) { f.click(f.window().upArrow); }
void clickJournal(Course& f) { f.click(f.window().journalButton); }
void erase(Course& f) { f.click(f.window().eraseButton); }
void exitProgram(Course& f) { f.exitNow(); }
void nothing(Course&) {}

// An operation that yields lets the user run another handler inside it; when the outer operation
// then fails, its rollback puts back only what it changed itself: the nested handler's work stays.
// (The waits of a check-point and of the reset have their cases beside their fixtures; the backward
// loop writes nothing, so nothing fails after its yields.)
struct Nested {
    const char* name;
    int stage, position;
    void (*outerAct)(Course&);          // starts the operation that yields, then fails
    bool (*inYield)(Course&);           // true once the operation yields
    void (*nestedAct)(Course&);         // the handler run inside the yield
    void (*checkAfterwards)(Course&);   // what the nested handler did is still so
    const char* file;
};

class NestedHandler : public Course, public ::testing::WithParamInterface<Nested> {
    void SetUp() override { startCourseAt(GetParam().stage, GetParam().position); }
};

bool preparingReport(Course& f) { return f.window().documentViewer->Text() == "Preparing Journal Report..."; }

void failingReport(Course& f) {
    clickJournal(f);
    f.refuseWritesAfter(0);
    f.click(f.window().viewJournalButton);
}

// Frame and report closed, the report's caption reset, the bars enabled.
void journalClosedAndBarsEnabled(Course& f) {
    const ui::MainWindow& w = f.window();
    EXPECT_EQ(std::tuple(w.journalFrame->isHidden(), w.documentViewer->isHidden(), w.viewJournalButton->text(), w.speedBar->isEnabled(),
                         w.positionBar->isEnabled()),
              std::tuple(true, true, QString("View Journal"), true, true));
}

bool scrolling(Course& f) { return f.sys.scrollPasses > 10; }
void failingScroll(Course& f) {
    f.refuseWritesAfter(0);
    clickUp(f);
}

// An entry is added while the erase question waits; the erase is asked again, answered Yes, and
// fails on a copy: the entry's count stays, the question and its Yes go back with the reset.
void failingReset(Course& f) {
    f.writeLines(f.appDir() + "mission.ndx", {"Journal Entry", "Openness"});
    progress::RefillLists(f.program());
    QDir().mkpath(f.appDir() + "info.ndx.bak");
    f.click(f.window().eraseButton);
}

bool questionWaits(Course& f) { return !f.window().yesButton->isHidden(); }

void addEntryThenEraseAgain(Course& f) {
    addJournalEntry(f);
    f.window().subjectBox->setCurrentText("Openness");
    f.click(f.window().addEntryButton);
    f.sys.script(
        "erase again", [&f] { return f.window().torchPanel->isHidden(); }, [&f] { f.click(f.window().eraseButton); });
    f.pressWhenVisible(f.window().yesButton, "answer Yes");
}

void entryCountedAndQuestionGone(Course& f) {
    const state::ProgramState& s = f.program().state;
    EXPECT_EQ(std::tuple(s.SubjectProgress[1].count, f.fileLines(f.appDir() + "work.ndx")[1], s.run.ResetAnswer, s.run.AskYesNo),
              std::tuple(QString("1"), QString("1"), 0, false));
}

const Nested NestedCases[] = {
    {"ReportThenJournalButton", 0, 0, failingReport, preparingReport, clickJournal, journalClosedAndBarsEnabled, "Journal Report.rtf"},
    {"ReportThenDone", 0, 0, failingReport, preparingReport, [](Course& f) { f.click(f.window().doneButton); }, journalClosedAndBarsEnabled,
     "Journal Report.rtf"},
    {"ScrollThenSpeedBar", -1, BeforeCosmicMap, failingScroll, scrolling, [](Course& f) { f.window().speedBar->setValue(2); },
     [](Course& f) { EXPECT_EQ(f.program().state.settings.ScrollDelay, 2); }, "info.ndx"},
    {"ScrollThenPositionBar", -1, -1900, failingScroll, scrolling, [](Course& f) { f.window().positionBar->setValue(2000); },
     [](Course& f) { EXPECT_EQ(f.program().state.settings.ScrollPos, -2000); }, "info.ndx"},
    {"ResetQuestionThenJournalEntry", 0, 0, failingReset, questionWaits, addEntryThenEraseAgain, entryCountedAndQuestionGone,
     "info.ndx.bak"},
};

TEST_P(NestedHandler, FailingOuterOperationKeepsWhatTheNestedHandlerDid) {
    const Nested& c = GetParam();
    sys.script(
        "run a handler inside the yield", [this, &c] { return c.inYield(*this); }, [this, &c] { c.nestedAct(*this); });
    c.outerAct(*this);
    failWritesAfter(-1);
    ASSERT_NO_FATAL_FAILURE(expectOneMessageNaming(c.file));
    c.checkAfterwards(*this);
    expectViewOnTheReadingPosition();
}

INSTANTIATE_TEST_SUITE_P(Yields, NestedHandler, ::testing::ValuesIn(NestedCases), caseName);

// Every surface that writes one of the course's own files, against every hostile thing in the
// file's place: what was there stays byte for byte, and the one message names the file and says
// it failed. `prepare` runs before the file is spoilt, `run` after.
struct Surface {
    const char* name;
    int stage, position;
    QString (CourseFixture::*folder)() const;
    const char* file;
    void (*prepare)(Course&);
    void (*run)(Course&);
};

void chooseStatus(Course& f) {
    f.window().topicList->setCurrentText("Status");
    emit f.window().topicList->activated(f.window().topicList->currentIndex());
}

void prepareReset(Course& f) {
    f.writeFile(f.storePath(), "6.12.2026 09:30:15~Ascendant~Journal Entry~~3333333A day.\r\n");
    f.pressWhenVisible(f.window().yesButton, "answer Yes");
}

void prepareLevelCompletion(Course& f) {
    f.markAllWorkDone();
    reader::RestoreProgress(f.program());
}

constexpr auto App = &CourseFixture::appDir, Lessons = &CourseFixture::courseDir, Windows = &CourseFixture::winDir;
const Surface Surfaces[] = {
    {"JournalEntry", 0, 0, Lessons, "veltrin.sdb", addJournalEntry, [](Course& f) { f.click(f.window().addEntryButton); }},
    {"TopicAppend", -1, BeforeCosmicMap, App, "info.ndx", nothing, clickUp},
    {"TopicAppendFromTheTop", 0, 0, App, "info.ndx", nothing, clickUp},
    {"TopicAppendAtCourseStart", -1, BeforeCourseStart, App, "info.ndx", prepareCourseStart, clickUp},
    // The topic is appended, then the progress fails: the topic is taken back.
    {"ProgressRewrite", -1, BeforeCosmicMap, App, "status.ndx", nothing, clickUp},
    {"SecondPassProgressRewrite", 7, BeforeGalaxy, App, "status.ndx", nothing, clickUp},
    {"StatusReport", 0, 0, App, "status.rtf", nothing, chooseStatus},
    {"JournalReport", 0, 0, Lessons, "Journal Report.rtf", clickJournal, [](Course& f) { f.click(f.window().viewJournalButton); }},
    {"ResetCopy", 0, 0, Lessons, "veltrin.sdb.bak", prepareReset, erase},
    // The journal's copy is made before this one fails: it is taken back, and nothing is erased.
    {"ResetLaterCopy", 0, 0, App, "info.ndx.bak", prepareReset, erase},
    {"LevelAwardTopic", -1, BeforeIntroductionEnd, App, "info.ndx", prepareLevelCompletion, clickUp},
    // The award's topic is appended, then the new stage cannot be saved.
    {"LevelCompletionSettings", -1, BeforeIntroductionEnd, Windows, "veltrin3.ini", prepareLevelCompletion, clickUp},
    {"SettingsAtExit", 0, 0, Windows, "veltrin3.ini", nothing, exitProgram},
};

// Sets or clears the immutable flag (chattr +i): as root, the one way short of a mount to make a
// folder and its files read-only. False where the file system has no such flag.
bool setImmutable(const QString& path, bool immutable) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

struct Hostility {
    const char* name;
    bool everyWrite;   // every write fails, so the first the surface makes is the one named
    // Puts the hostile thing in place of `path`; skips the test where this machine cannot.
    void (*spoil)(Course&, const QString& path);
};

// The folder and every file in it.
QStringList folderAndFiles(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    QStringList paths{folder};
    for (const QString& name : QDir(folder).entryList(QDir::Files)) paths << folder + "/" + name;
    return paths;
}

const Hostility Hostilities[] = {
    {"FullDisk", true, [](Course& f, const QString&) { f.refuseWritesAfter(0); }},
    {"ReadOnlyFolder", true,
     [](Course&, const QString& path) {
         for (const QString& each : folderAndFiles(path))
             if (!setImmutable(each, true)) GTEST_SKIP() << "the file system has no immutable flag";
     }},
    {"DeviceNode", false,
     [](Course&, const QString& path) {
         QFile::remove(path);
         if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)) != 0) GTEST_SKIP() << "a device node needs root";
     }},
    {"FolderInPlace", false,
     [](Course& f, const QString& path) {
         QFile::remove(path);
         QDir().mkpath(path);
         f.writeFile(path + "/kept", "kept\r\n");
     }},
};

// The data folder of the file's kind is pointed at `folder`, where the file cannot be written.
void pointFolderAt(Course& f, const QString& path, const QString& folder) {
    state::ProgramState& s = f.program().state;
    (path.startsWith(f.appDir()) ? s.settings.AppDir : path.startsWith(f.courseDir()) ? s.settings.CourseDir : s.WinDir) = folder;
    f.named = folder + QFileInfo(path).fileName();
}

// A folder that is not there (and is not made), and one under a regular file.
const Hostility Unreachable[] = {
    {"MissingFolder", false, [](Course& f, const QString& path) { pointFolderAt(f, path, f.winDir() + "gone/"); }},
    {"FolderUnderAFile", false, [](Course& f, const QString& path) { pointFolderAt(f, path, f.winDir() + "blocker/folder/"); }},
};

class HostileWrite : public Course, public ::testing::WithParamInterface<std::tuple<Surface, Hostility>> {
protected:
    void SetUp() override { startCourseAt(std::get<0>(GetParam()).stage, std::get<0>(GetParam()).position); }
    void TearDown() override {
        for (const QString& each : folderAndFiles(spoilt)) setImmutable(each, false);
        Course::TearDown();
    }
    QString spoilt;
};

TEST_P(HostileWrite, LeavesWhatWasThereAndSaysWhichFileFailed) {
    const auto& [surface, hostility] = GetParam();
    surface.prepare(*this);
    spoilt = (this->*surface.folder)() + surface.file;
    named = hostility.everyWrite ? winDir().chopped(QString("windows/").size()) : spoilt;
    hostility.spoil(*this, spoilt);
    if (IsSkipped() || HasFatalFailure()) return;
    takeSnapshot();
    const QFileInfo before(spoilt);
    bool ended = false;
    try {
        surface.run(*this);
    } catch (const ProgramEnded&) { ended = true; }
    failWritesAfter(-1);
    for (const QString& each : folderAndFiles(spoilt)) setImmutable(each, false);
    EXPECT_EQ(ended, surface.run == exitProgram);
    expectAsBefore(named, ended);
    const QFileInfo after(spoilt);
    EXPECT_EQ(std::tuple(after.isSymLink(), after.isDir(), after.isFile(), after.exists()),
              std::tuple(before.isSymLink(), before.isDir(), before.isFile(), before.exists()));
}

auto bothNames = [](const auto& info) { return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name; };
INSTANTIATE_TEST_SUITE_P(CourseFiles, HostileWrite, ::testing::Combine(::testing::ValuesIn(Surfaces), ::testing::ValuesIn(Hostilities)),
                         bothNames);
// The journal entry and the exit, each with its own folder out of reach.
INSTANTIATE_TEST_SUITE_P(DataFolders, HostileWrite,
                         ::testing::Combine(::testing::Values(Surfaces[0], Surfaces[12]), ::testing::ValuesIn(Unreachable)), bothNames);

}   // namespace
}   // namespace veltrin::test

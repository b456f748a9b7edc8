// Start-up, the settings file and exit: the screen test, reading and refusing the settings, both
// ways out saving the due level's position, and the first run.
#include "support/CourseFixture.h"
#include "torch/Torch.h"

#include <QDir>

namespace veltrin::test {
namespace {

class Startup : public CourseFixture {
protected:
    void SetUp() override { writeStartingCourse({"scrollintro.rtf"}); }
    void start() { shell::StartProgram(program()); }
};

// Line 7 is read as a number only: "Muted=1" leaves the sounds on (as the rewritten file shows). A
// saved distance beyond the due level opens its text at the top: the position bar is at 0 already, so
// only the loading itself can bring the text back. Both ways out save the due level's position, not
// the position in another level on show, and write the settings plainly.
TEST_F(Startup, KeyValueSettingsBeyondTheDueLevelOpenItsTopAndBothExitsRewriteThemPlainly) {
    writeLines(settingsPath(), {"Torch=" + appDir(), "Lessons=" + courseDir(), "Sounds=" + soundDir(), "Delay=12.5", "Stage=0",
                                "Position=-20000", "Muted=1"});
    start();
    EXPECT_EQ(window().readingPane->Text().trimmed(), "Level text 1");
    EXPECT_EQ(window().readingPane->topEdge(), 0);
    EXPECT_EQ(window().positionBar->value(), 0);
    EXPECT_THROW(shell::onWindowClosed(program()), ProgramEnded);
    EXPECT_EQ(readFile(settingsPath()),
              (appDir() + "\r\n" + courseDir() + "\r\n" + soundDir() + "\r\n").toUtf8() + " 12\r\n 0\r\n 0\r\n 0\r\n");
    state().settings.ScrollPos = -5;
    state().DueLevelPos = -812;
    sys.timeline.clear();
    EXPECT_THROW(shell::onExitClicked(program()), ProgramEnded);
    EXPECT_EQ(sys.timeline, (QStringList{"sound exit", "pause 0.5"}));
    EXPECT_EQ(settingsLine(6), "-812");
}

// A screen narrower than 800 pixels is refused before anything is read; a course folder that is
// gone is refused naming the file and its line, and the file is left as it was (empty, cut-off and
// garbage settings are the damaged-file matrix's).
TEST_F(Startup, ANarrowScreenAndSettingsNamingAMissingFolderAreRefused) {
    writeLines(settingsPath(), {appDir(), courseDir() + "gone/", soundDir(), " 5", " 2", "-40", " 0"});
    const auto before = allFiles();
    sys.screen = QSize(799 * 15, 600 * 15);
    EXPECT_THROW(start(), ProgramEnded);
    EXPECT_EQ(sys.messages, QStringList{"Video Display must be at least 800 x 600 before Veltrin can run."});
    sys.screen = QSize(800 * 15, 600 * 15);
    EXPECT_THROW(start(), ProgramEnded);
    ASSERT_EQ(sys.messages.size(), 2);
    EXPECT_TRUE(sys.messages[1].contains(settingsPath()) && sys.messages[1].contains("line 2")) << sys.messages[1].toStdString();
    EXPECT_TRUE(changedFiles(before).isEmpty());
}

// A new user's start opens the Torch panel on the scroll intro before the window is on screen: the
// torch stands at its last frame at once, with no pause for frames no one sees. On the shown window
// the panel's frames keep their pauses.
TEST_F(Startup, ANewUsersStartOpensTheScrollIntroWithoutWaitingForUnseenFrames) {
    writeSettings(-1);
    start();
    EXPECT_TRUE(window().torchPane->isVisibleTo(&window()));
    EXPECT_EQ(window().torchPicture->picture().cacheKey(), window().torchFrame5->picture().cacheKey());
    EXPECT_FALSE(sys.timeline.join(' ').contains("pause")) << sys.timeline.join(' ').toStdString();
    window().show();
    torch::closeTorchPanel(program(), torch::Silent);
    EXPECT_EQ(sys.timeline.filter("pause").size(), 4) << sys.timeline.join(' ').toStdString();
}

// A reminder that no notification server took is shown by Torch at the next start, and once only
// (remind_test starts the program with --journal from a reminder's "Write now").
TEST_F(Startup, AKeptReminderShowsOnce) {
    writeSettings(2);
    writeLines(appDir() + "info.ndx", {"Greetings", "Status", "Introduction"});   // no scroll intro in the panel
    const QString reminderState = QDir(winDir()).filePath("veltrin-remind.state");
    writeLines(reminderState, {"handled 2026-03-29 20:00", "pending No journal entry yet today"});
    CourseFixture::start();
    EXPECT_TRUE(shows("reminder.rtf"));
    EXPECT_TRUE(window().torchPane->Text().contains("No journal entry yet today")) << window().torchPane->Text().toStdString();
    EXPECT_EQ(readFile(reminderState), "handled 2026-03-29 20:00\r\n");
}

// The first run writes settings for the sample course it installs (the course journey reads what
// it installed), but never overwrites settings or a journal already there.
TEST_F(Startup, FirstRunInstallsTheCourseButOverwritesNothing) {
    const QString sample = sys.dataFolder + "-sample";
    for (const char* folder : {"torch", "lessons", "sounds"}) QDir().mkpath(sample + "/" + folder);
    writeFile(sample + "/lessons/veltrin.sdb", {});
    shell::FindWindowsDir(program());
    writeSettings(5, -10);
    const QByteArray settings = readFile(settingsPath());
    EXPECT_FALSE(shell::InstallSampleCourseIfFirstRun(program(), sample));
    EXPECT_EQ(readFile(settingsPath()), settings);

    QDir(winDir()).removeRecursively();
    QDir().mkpath(sys.dataFolder + "/lessons");
    writeFile(sys.dataFolder + "/lessons/veltrin.sdb", "an entry\r\n");
    ASSERT_TRUE(shell::InstallSampleCourseIfFirstRun(program(), sample));
    EXPECT_EQ(readFile(sys.dataFolder + "/lessons/veltrin.sdb"), "an entry\r\n");
    EXPECT_EQ(readFile(settingsPath()),
              crlfLines({QDir::toNativeSeparators(sys.dataFolder + "/torch/"), QDir::toNativeSeparators(sys.dataFolder + "/lessons/"),
                         QDir::toNativeSeparators(sys.dataFolder + "/sounds/"), " 700", "-1", " 0", " 0"}));
}

}   // namespace
}   // namespace veltrin::test

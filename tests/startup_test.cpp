// Start-up, the settings file and exit: the screen test, reading and refusing the settings, both
// ways out saving the due level's position, the window dressed for the stage, and the first run.
#include "support/CourseFixture.h"

#include "shell/Shell.h"

#include <QDir>

namespace veltrin::test {
namespace {

class Startup : public CourseFixture {
protected:
    void SetUp() override { writeStartingCourse({"scrollintro.rtf"}); }
    void start() { shell::Form_Load(program()); }
};

TEST_F(Startup, ScreenNarrowerThan800PixelsIsRefusedBeforeAnythingIsRead) {
    writeSettings(2, -40);
    const QByteArray before = readFile(settingsPath());
    sys.screen = QSize(799 * 15, 600 * 15);
    EXPECT_THROW(start(), ProgramEnded);
    EXPECT_EQ(sys.messages, QStringList{"Video Display must be at least 800 x 600 before Veltrin can run."});
    EXPECT_TRUE(state().AppDir.isEmpty());
    EXPECT_EQ(readFile(settingsPath()), before);
}

TEST_F(Startup, ScreenOf800By480PixelsIsAccepted) {
    writeSettings(2, -40);
    sys.screen = QSize(800 * 15, 480 * 15);
    start();
    EXPECT_TRUE(sys.messages.isEmpty());
    EXPECT_EQ(sys.playedSounds().last(), "run");
}

// Line 7 is read as a number only: "Muted=1" leaves the sounds on.
TEST_F(Startup, KeyValueSettingsStartWithSoundsOnAndExitRewritesThemPlainly) {
    writeLines(settingsPath(), {"Torch=" + appDir(), "Lessons=" + courseDir(), "Sounds=" + soundDir(), "Delay=12.5",
                                "Stage=2", "Position=-700", "Muted=1"});
    start();
    EXPECT_EQ(state().SoundsMuted, 0);
    EXPECT_EQ(state().ScrollDelay, 12);
    EXPECT_EQ(state().LevelShown, 3);
    EXPECT_EQ(form().RichTextBox1->topEdge(), -700);
    state().ScrollPos = -5;   // a position in another level on show is not what is saved
    state().DueLevelPos = -812;
    sys.timeline.clear();
    EXPECT_THROW(shell::Command9_Click(program()), ProgramEnded);
    EXPECT_EQ(sys.timeline, (QStringList{"sound exit", "pause 0.5"}));
    EXPECT_EQ(readFile(settingsPath()), (appDir() + "\r\n" + courseDir() + "\r\n" + soundDir() + "\r\n").toUtf8() +
                                            " 12\r\n 2\r\n-812\r\n 0\r\n");
}

TEST_F(Startup, ExitWithSoundsMutedStillWaitsHalfASecondAndClosingTheWindowPlaysNothing) {
    writeSettings(4, -90, 10, 1);
    start();
    EXPECT_TRUE(sys.sounds.commands.mid(2).isEmpty());
    sys.timeline.clear();
    EXPECT_THROW(shell::Command9_Click(program()), ProgramEnded);
    EXPECT_EQ(sys.timeline, QStringList{"pause 0.5"});
    EXPECT_EQ(settingsLine(7), " 1");
    state().SoundsMuted = 0;
    state().ScrollPos = -3000;
    sys.timeline.clear();
    EXPECT_THROW(shell::Form_Unload(program()), ProgramEnded);
    EXPECT_TRUE(sys.timeline.isEmpty());
    EXPECT_EQ(fileLines(settingsPath()).mid(4), (QStringList{" 4", "-90", " 0"}));
}

struct DamagedSettings {
    const char* name;
    int lines;            // how many of the seven lines the file keeps
    bool missingFolder;   // line 2 names a folder that does not exist
    int expectedLine;
};

class DamagedSettingsFile : public Startup, public ::testing::WithParamInterface<DamagedSettings> {};

TEST_P(DamagedSettingsFile, IsRefusedNamingTheFileAndTheLineAndLeftAsItWas) {
    const DamagedSettings& damage = GetParam();
    const QStringList lines{appDir(), damage.missingFolder ? courseDir() + "gone/" : courseDir(), soundDir(), " 5", " 2", "-40", " 0"};
    writeLines(settingsPath(), lines.mid(0, damage.lines));
    const QByteArray before = readFile(settingsPath());
    shell::FindWindowsDir(program());
    try {
        shell::ReadSettings(program());
        ADD_FAILURE() << "a damaged settings file was accepted";
    } catch (const shell::SettingsError& error) {
        EXPECT_EQ(error.line(), damage.expectedLine);
        EXPECT_EQ(error.path(), settingsPath());
        EXPECT_TRUE(error.reason().contains(QStringLiteral("line %1").arg(damage.expectedLine)));
    }
    EXPECT_EQ(readFile(settingsPath()), before);
    EXPECT_TRUE(state().AppDir.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Settings, DamagedSettingsFile,
                         ::testing::Values(DamagedSettings{"FiveLines", 5, false, 6}, DamagedSettings{"Empty", 0, false, 1},
                                           DamagedSettings{"MissingCourseFolder", 7, true, 2}),
                         caseName);

struct IntroductionTopic {
    const char* name;
    const char* line;
    bool scrollIntroShown;
};

class ScrollIntroduction : public Startup, public ::testing::WithParamInterface<IntroductionTopic> {};

TEST_P(ScrollIntroduction, IsShownUntilTheTopicIntroductionIsUnlocked) {
    writeLines(appDir() + "info.ndx", {"Greetings", GetParam().line});
    writeSettings(-1);
    start();
    EXPECT_EQ(!form().Picture2->isHidden(), GetParam().scrollIntroShown);
    EXPECT_EQ(form().Command10->isHidden(), GetParam().scrollIntroShown);
    EXPECT_EQ(form().RichTextBox2->Text().trimmed(), GetParam().scrollIntroShown ? "scrollintro.rtf" : "");
}

INSTANTIATE_TEST_SUITE_P(Startup, ScrollIntroduction,
                         ::testing::Values(IntroductionTopic{"NotUnlocked", "Status", true},
                                           IntroductionTopic{"Unlocked", "Introduction", false},
                                           IntroductionTopic{"LowerCaseDoesNotCount", "introduction", true}),
                         caseName);

TEST_F(Startup, DueLevelOpensAtTheSavedPositionWithThePositionBarMatching) {
    writeSettings(9, -2000);
    start();
    EXPECT_EQ(state().LevelShown, 3);
    EXPECT_EQ(form().RichTextBox1->topEdge(), -2000);
    EXPECT_EQ(form().RichTextBox1->height(), 12145);
    EXPECT_EQ(form().VScroll2->maximum(), 12145);
    EXPECT_EQ(form().VScroll2->value(), 2000);
    EXPECT_EQ(form().RichTextBox1->Text().trimmed(), "Level text 3");
}

// The position bar is at 0 already, so only the loading itself can bring the text back to its top.
TEST_F(Startup, SavedDistanceBeyondTheDueLevelOpensItsTextAtTheTopAndExitSavesTheTop) {
    writeSettings(0, -20000);
    CourseFixture::start();
    EXPECT_EQ(form().RichTextBox1->Text().trimmed(), "Level text 1");
    EXPECT_EQ(form().RichTextBox1->topEdge(), 0);
    EXPECT_EQ(state().ScrollPos, 0);
    EXPECT_EQ(form().VScroll2->value(), 0);
    EXPECT_THROW(shell::Form_Unload(program()), ProgramEnded);
    EXPECT_EQ(settingsLine(6), " 0");
}

TEST_F(Startup, FinishedCourseLoadsNoTextAndShowsItsScenery) {
    writeSettings(14);
    start();
    EXPECT_EQ(state().LevelShown, 8);
    EXPECT_TRUE(form().RichTextBox1->Text().isEmpty());
    EXPECT_EQ(form().backgroundPictureName(), "wood3-bkg-l7.jpg");
    EXPECT_EQ(form().Command9->pictureName(), "wood3-btn-xit-l7a.jpg");
    EXPECT_EQ(form().Picture3->pictureName(), "wood3-torch-l7.jpg");
}

// The first run installs a sample course of three folders and writes settings for it, but never
// overwrites settings or a journal already there.
TEST_F(Startup, FirstRunInstallsTheCourseButOverwritesNothing) {
    const QString sample = sys.dataFolder + "-sample";
    for (const char* folder : {"torch", "lessons", "sounds"}) QDir().mkpath(sample + "/" + folder);
    writeLines(sample + "/torch/info.ndx", {"Greetings", "Status"});
    writeFile(sample + "/lessons/veltrin.sdb", {});
    writeFile(sample + "/sounds/run.wav", "RIFF");
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
    EXPECT_EQ(readFile(settingsPath()), crlfLines({QDir::toNativeSeparators(sys.dataFolder + "/torch/"),
                                                   QDir::toNativeSeparators(sys.dataFolder + "/lessons/"),
                                                   QDir::toNativeSeparators(sys.dataFolder + "/sounds/"), " 700", "-1", " 0", " 0"}));
    EXPECT_EQ(readFile(sys.dataFolder + "/torch/info.ndx"), "Greetings\r\nStatus\r\n");
    EXPECT_TRUE(QFile::exists(sys.dataFolder + "/sounds/run.wav"));
}

} // namespace
} // namespace veltrin::test

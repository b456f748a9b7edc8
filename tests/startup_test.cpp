// Start-up, exit and restoring progress: the order of the start-up sequence, the screen test,
// both ways out saving the due level's position, and the window dressed for the stage.
#include "support/CourseFixture.h"

#include "shell/Shell.h"

#include <QDir>

namespace veltrin::test {
namespace {

class Startup : public CourseFixture {
protected:
    void SetUp() override { writeStartingCourse({"scrollintro.rtf"}); }

    void startWithoutWiring() { shell::Form_Load(program()); }

    QList<QByteArray> settingsLines() const { return readFile(settingsPath()).split('\n'); }
};

TEST_F(Startup, ScreenNarrowerThan800PixelsIsRefusedBeforeAnythingIsRead) {
    writeSettings(2, -40);
    const QByteArray before = readFile(settingsPath());
    sys.screen = QSize(799 * 15, 600 * 15);
    EXPECT_THROW(startWithoutWiring(), ProgramEnded);
    EXPECT_EQ(sys.messages, QStringList{"Video Display must be at least 800 x 600 before Veltrin can run."});
    EXPECT_TRUE(program().state.AppDir.isEmpty());
    EXPECT_EQ(readFile(settingsPath()), before);
}

TEST_F(Startup, ScreenOf800By480PixelsIsAccepted) {
    writeSettings(2, -40);
    sys.screen = QSize(800 * 15, 480 * 15);
    startWithoutWiring();
    EXPECT_TRUE(sys.messages.isEmpty());
    EXPECT_EQ(sys.playedSounds().last(), "run");
}

TEST_F(Startup, SoundDeviceIsOpenedForWaveAudioFirst) {
    writeSettings(2);
    startWithoutWiring();
    ASSERT_GE(sys.sounds.commands.size(), 2);
    EXPECT_EQ(sys.sounds.commands[0], "DeviceType WaveAudio");
    EXPECT_EQ(sys.sounds.commands[1], "Open");
}

TEST_F(Startup, KeyValueSettingsStartWithSoundsOnAndExitRewritesThemPlainly) {
    writeLines(settingsPath(), {"Torch=" + appDir(), "Lessons=" + courseDir(), "Sounds=" + soundDir(), "Delay=300",
                                "Stage=2", "Position=-700", "Muted=1"});
    startWithoutWiring();
    EXPECT_EQ(program().state.SoundsMuted, 0);
    EXPECT_EQ(program().state.LevelShown, 3);
    EXPECT_EQ(program().form.RichTextBox1->topEdge(), -700);
    program().state.ScrollPos = -5;   // a position in another level on show is not what is saved
    program().state.DueLevelPos = -812;
    sys.timeline.clear();
    EXPECT_THROW(shell::Command9_Click(program()), ProgramEnded);
    EXPECT_EQ(sys.timeline, (QStringList{"sound exit", "pause 0.5"}));
    const QByteArray expected = (appDir() + "\r\n" + courseDir() + "\r\n" + soundDir() + "\r\n").toUtf8() +
                                " 300\r\n 2\r\n-812\r\n 0\r\n";
    EXPECT_EQ(readFile(settingsPath()), expected);
}

TEST_F(Startup, ExitWithSoundsMutedStillWaitsHalfASecond) {
    writeSettings(0, 0, 10, 1);
    startWithoutWiring();
    EXPECT_TRUE(sys.sounds.commands.mid(2).isEmpty());
    EXPECT_THROW(shell::Command9_Click(program()), ProgramEnded);
    EXPECT_EQ(sys.timeline.last(), "pause 0.5");
    EXPECT_EQ(settingsLines().value(6), " 1\r");
}

TEST_F(Startup, ClosingTheWindowSavesTheDueLevelsPositionWithoutASound) {
    writeSettings(4, -90);
    startWithoutWiring();
    program().state.ScrollPos = -3000;
    sys.timeline.clear();
    EXPECT_THROW(shell::Form_Unload(program()), ProgramEnded);
    EXPECT_TRUE(sys.timeline.isEmpty());
    EXPECT_EQ(settingsLines().value(4), " 4\r");
    EXPECT_EQ(settingsLines().value(5), "-90\r");
}

TEST_F(Startup, LosingTheFocusStopsScrolling) {
    writeSettings(0);
    startWithoutWiring();
    program().state.ScrollActive = true;
    shell::Form_LostFocus(program());
    EXPECT_FALSE(program().state.ScrollActive);
}

struct IntroductionTopic {
    const char* name;
    const char* line;
    bool scrollIntroShown;
};

class ScrollIntroduction : public Startup, public ::testing::WithParamInterface<IntroductionTopic> {};

TEST_P(ScrollIntroduction, IsShownUntilTheTopicIntroductionIsUnlocked) {
    writeLines(appDir() + "info.ndx", {"Greetings", GetParam().line});
    writeSettings(-1);
    startWithoutWiring();
    EXPECT_EQ(!program().form.Picture2->isHidden(), GetParam().scrollIntroShown);
    EXPECT_EQ(program().form.Command10->isHidden(), GetParam().scrollIntroShown);
    if (GetParam().scrollIntroShown) {
        EXPECT_EQ(program().form.RichTextBox2->Text().trimmed(), "scrollintro.rtf");
    }
}

INSTANTIATE_TEST_SUITE_P(Startup, ScrollIntroduction,
                         ::testing::Values(IntroductionTopic{"NotUnlocked", "Status", true},
                                           IntroductionTopic{"Unlocked", "Introduction", false},
                                           IntroductionTopic{"LowerCaseDoesNotCount", "introduction", true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SceneryCase {
    const char* name;
    int stage;
    const char* background;
    const char* exitButton;
    const char* torch;
};

class Scenery : public Startup, public ::testing::WithParamInterface<SceneryCase> {};

TEST_P(Scenery, FollowsTheStage) {
    writeSettings(GetParam().stage);
    startWithoutWiring();
    const ui::Form1& f = program().form;
    EXPECT_EQ(f.backgroundPictureName(), GetParam().background);
    EXPECT_EQ(f.Command9->pictureName(), GetParam().exitButton);
    EXPECT_EQ(f.Picture3->pictureName(), GetParam().torch);
    EXPECT_EQ(f.Picture10->pictureName(), QString(GetParam().torch).replace("torch", "torch-d"));
}

INSTANTIATE_TEST_SUITE_P(Startup, Scenery,
                         ::testing::Values(SceneryCase{"Start", -1, "wood3-bkg.jpg", "wood3-btn-xit.jpg", "wood3-torch.jpg"},
                                           SceneryCase{"FirstPass", 6, "wood3-bkg.jpg", "wood3-btn-xit.jpg", "wood3-torch.jpg"},
                                           SceneryCase{"SecondPass", 7, "wood3-bkg-l7O.jpg", "wood3-btn-xit-l7a.jpg", "wood3-torch.jpg"},
                                           SceneryCase{"Finished", 14, "wood3-bkg-l7.jpg", "wood3-btn-xit-l7a.jpg", "wood3-torch-l7.jpg"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, DueLevelOpensAtTheSavedPositionWithThePositionBarMatching) {
    writeSettings(9, -2000);
    startWithoutWiring();
    const ui::Form1& f = program().form;
    EXPECT_EQ(program().state.LevelShown, 3);
    EXPECT_EQ(f.RichTextBox1->topEdge(), -2000);
    EXPECT_EQ(f.RichTextBox1->height(), 12145);
    EXPECT_EQ(f.VScroll2->maximum(), 12145);
    EXPECT_EQ(f.VScroll2->value(), 2000);
    EXPECT_EQ(f.RichTextBox1->Text().trimmed(), "Level text 3");
}

TEST_F(Startup, FinishedCourseLoadsNoText) {
    writeSettings(14);
    startWithoutWiring();
    EXPECT_EQ(program().state.LevelShown, 8);
    EXPECT_TRUE(program().form.RichTextBox1->Text().isEmpty());
}

class FirstRun : public CourseFixture {
protected:
    // A sample course of three folders with one file each.
    QString writeSampleCourse() {
        const QString sample = sys.dataFolder + "-sample";
        for (const char* folder : {"torch", "lessons", "sounds"}) QDir().mkpath(sample + "/" + folder);
        writeLines(sample + "/torch/info.ndx", {"Greetings", "Status"});
        writeFile(sample + "/lessons/veltrin.sdb", {});
        writeFile(sample + "/sounds/run.wav", "RIFF");
        return sample;
    }
};

TEST_F(FirstRun, InstallsTheCourseAndWritesSettingsForIt) {
    const QString sample = writeSampleCourse();
    shell::FindWindowsDir(program());
    QDir(winDir()).removeRecursively();
    ASSERT_TRUE(shell::InstallSampleCourseIfFirstRun(program(), sample));
    const QStringList lines = QString::fromUtf8(readFile(settingsPath())).split("\r\n");
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], QDir::toNativeSeparators(sys.dataFolder + "/torch/"));
    EXPECT_EQ(lines[4], "-1");
    EXPECT_EQ(lines[5], " 0");
    EXPECT_EQ(lines[6], " 0");
    EXPECT_EQ(readFile(sys.dataFolder + "/torch/info.ndx"), "Greetings\r\nStatus\r\n");
    EXPECT_TRUE(QFile::exists(sys.dataFolder + "/sounds/run.wav"));
}

TEST_F(FirstRun, NeverOverwritesSettingsOrAJournalAlreadyThere) {
    const QString sample = writeSampleCourse();
    shell::FindWindowsDir(program());
    writeSettings(5, -10);
    const QByteArray settings = readFile(settingsPath());
    EXPECT_FALSE(shell::InstallSampleCourseIfFirstRun(program(), sample));
    EXPECT_EQ(readFile(settingsPath()), settings);

    QFile::remove(settingsPath());
    QDir().mkpath(sys.dataFolder + "/lessons");
    writeFile(sys.dataFolder + "/lessons/veltrin.sdb", "an entry\r\n");
    ASSERT_TRUE(shell::InstallSampleCourseIfFirstRun(program(), sample));
    EXPECT_EQ(readFile(sys.dataFolder + "/lessons/veltrin.sdb"), "an entry\r\n");
}

} // namespace
} // namespace veltrin::test

// The settings file: reading the seven lines, writing them back byte for byte, and refusing a
// damaged file without touching it.
#include "support/CourseFixture.h"

#include "shell/Shell.h"

namespace veltrin::test {
namespace {

class SettingsFile : public CourseFixture {
protected:
    void SetUp() override {
        program();
        shell::FindWindowsDir(program());
    }
};

TEST_F(SettingsFile, KeyValueLinesAreReadButLineSevenKeepsItsKey) {
    writeLines(settingsPath(), {"Torch=" + appDir(), "Lessons=" + courseDir(), "Sounds=" + soundDir(), "Delay=12.5",
                                "Stage=9", "Position=-2000", "Muted=1"});
    shell::ReadSettings(program());
    const shell::ProgramState& s = program().state;
    EXPECT_EQ(s.AppDir, appDir());
    EXPECT_EQ(s.CourseDir, courseDir());
    EXPECT_EQ(s.SoundDir, soundDir());
    EXPECT_EQ(s.ScrollDelay, 12);
    EXPECT_EQ(s.CourseStage, 9);
    EXPECT_EQ(s.ScrollPos, -2000);
    EXPECT_EQ(s.DueLevelPos, -2000);
    EXPECT_EQ(s.SoundsMuted, 0);
}

TEST_F(SettingsFile, SavingWritesSevenCrLfLinesInTheLeadingBlankForm) {
    writeSettings(3, -120, 135, 1);
    shell::ReadSettings(program());
    program().state.ScrollDelay = 14;   // 13.5 would have been read as 14 too
    shell::SaveSettings(program(), -1);
    const QByteArray expected = (appDir() + "\r\n" + courseDir() + "\r\n" + soundDir() + "\r\n").toUtf8() +
                                " 14\r\n-1\r\n-120\r\n 1\r\n";
    EXPECT_EQ(readFile(settingsPath()), expected);
}

TEST_F(SettingsFile, WindowsDirectoryEndsInOneSeparator) {
    sys.windowsDirectory = "  " + winDir() + "  ";
    shell::FindWindowsDir(program());
    EXPECT_EQ(program().state.WinDir, winDir());
    sys.windowsDirectory = winDir().chopped(1);
    shell::FindWindowsDir(program());
    EXPECT_EQ(program().state.WinDir, winDir());
}

struct DamagedSettings {
    const char* name;
    int lines;             // how many of the seven lines the file keeps
    bool missingFolder;    // line 2 names a folder that does not exist
    int expectedLine;
};

class DamagedSettingsFile : public SettingsFile, public ::testing::WithParamInterface<DamagedSettings> {};

TEST_P(DamagedSettingsFile, IsRefusedNamingTheLineAndLeftAsItWas) {
    const DamagedSettings& damage = GetParam();
    QStringList lines{appDir(), damage.missingFolder ? courseDir() + "gone/" : courseDir(), soundDir(), " 5", " 2", "-40", " 0"};
    writeLines(settingsPath(), lines.mid(0, damage.lines));
    const QByteArray before = readFile(settingsPath());
    const shell::ProgramState stateBefore = program().state;
    try {
        shell::ReadSettings(program());
        FAIL() << "a damaged settings file was accepted";
    } catch (const shell::SettingsError& error) {
        EXPECT_EQ(error.line(), damage.expectedLine);
        EXPECT_EQ(error.path(), settingsPath());
        EXPECT_TRUE(error.reason().contains(QStringLiteral("line %1").arg(damage.expectedLine)));
    }
    EXPECT_EQ(readFile(settingsPath()), before);
    EXPECT_EQ(program().state.AppDir, stateBefore.AppDir);
    EXPECT_EQ(program().state.CourseStage, stateBefore.CourseStage);
}

INSTANTIATE_TEST_SUITE_P(Settings, DamagedSettingsFile,
                         ::testing::Values(DamagedSettings{"FiveLines", 5, false, 6},
                                           DamagedSettings{"Empty", 0, false, 1},
                                           DamagedSettings{"MissingCourseFolder", 7, true, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, MissingFileIsReportedByName) {
    EXPECT_THROW(shell::ReadSettings(program()), shell::SettingsError);
}

} // namespace
} // namespace veltrin::test

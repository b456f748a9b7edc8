// The progress reset: journeys from a first start, where Yes brings back a fresh course with the
// Introduction on show at its top and No keeps every file, even when the user wanders off to a topic
// while the question waits, or clicks erase again; a failure part way keeping
// the copies (a failed copy is a hostile-write case).
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "torch/Torch.h"

namespace veltrin::test {
namespace {

using Files = std::map<QString, QByteArray>;

class ProgressReset : public CourseFixture {
protected:
    // The progress of stage 9 over the starting course, and the window restored.
    void SetUp() override {
        writeStartingCourse({"resetmsg.rtf", "veltrinreset.rtf", "veltrinnotreset.rtf", "Greetings.rtf"});
        starting = snapshot(erasedFiles());
        writeLines(appDir() + "info.ndx", {"Greetings", "Status", "Introduction", "Level One Goal"});
        writeLines(appDir() + "mission.ndx", {"Journal Entry", "Openness", "Exploration"});
        writeLines(appDir() + "status.ndx", QStringList(45, " 2"));
        writeFile(appDir() + "work.ndx", readFile(appDir() + "work.ndx").replace("OPENNESS\r\n0", "OPENNESS\r\n12"));
        writeFile(storePath(), "6.12.2026\r09:30:15\rLevel One Commander\rOPENNESS\r3\r\n");
        writeSettings(9, -1234, 350, 0);
        shell::FindWindowsDir(program());
        shell::RestoreProgress(program());
        torch::ShowTitle(program());
        shell::WireTorchControls(program());
        erased = snapshot(erasedFiles());
    }

    QStringList erasedFiles() const {
        return {storePath(), appDir() + "info.ndx", appDir() + "mission.ndx", appDir() + "status.ndx", appDir() + "work.ndx"};
    }
    Files snapshot(const QStringList& paths, const char* suffix = "") const {
        Files files;
        for (const QString& path : paths) files[path] = readFile(path + suffix);
        return files;
    }
    void erase() { window().eraseButton->click(); }
    void eraseAnsweringYes() {
        pressUnder("resetmsg.rtf", window().yesButton);
        erase();
    }

    Files starting;
    Files erased;
};

// The disk fills once the journal store is emptied; erasing again keeps the copies of the first
// erase (a file already erased gets no copy over its own), and a later erase sets them aside.
TEST_F(ProgressReset, AnEraseFailingHalfWayKeepsTheCopiesThroughEveryLaterErase) {
    qint64 copies = 0;
    for (const auto& [path, bytes] : erased) copies += bytes.size();
    // The settings at stage -1 and position 0 are three bytes shorter than at 9 and -1234.
    const qint64 settingsAndIndexes =
        readFile(settingsPath()).size() - 3 + starting[appDir() + "mission.ndx"].size() + starting[appDir() + "info.ndx"].size();
    base::failWritesAfter(copies + settingsAndIndexes);   // the progress files are the first write to fail
    eraseAnsweringYes();
    base::failWritesAfter(-1);
    EXPECT_EQ(snapshot(erasedFiles(), ".bak"), erased);
    EXPECT_EQ(readFile(storePath()), "");
    EXPECT_EQ(readFile(appDir() + "status.ndx"), erased[appDir() + "status.ndx"]);
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages.front().contains("status.ndx") && sys.messages.front().contains(storePath() + ".bak"));
    EXPECT_FALSE(state().AskYesNo);
    EXPECT_EQ(state().ResetAnswer, 0);

    eraseAnsweringYes();
    EXPECT_EQ(snapshot(erasedFiles(), ".bak"), erased);
    EXPECT_EQ(snapshot(erasedFiles()), starting);

    writeFile(storePath(), "a new journal\r\n");
    eraseAnsweringYes();
    EXPECT_EQ(readFile(storePath() + ".bak"), "a new journal\r\n");
    EXPECT_EQ(readFile(storePath() + ".1.bak"), erased[storePath()]);
    EXPECT_EQ(sys.messages.size(), 1);
}

class ResetJourney : public CourseFixture {
protected:
    void SetUp() override {
        writeStartingCourse({"scrollintro.rtf", "introduction.rtf", "Cosmic Map.rtf", "Icons.rtf", "award0.rtf", "Greetings.rtf",
                             "resetmsg.rtf", "veltrinreset.rtf", "veltrinnotreset.rtf"});
        writeSettings(-1, 0, 0, 0);
        starting = allFiles();
        start();
        click(window().okButton);   // the scrolling introduction greets a new user
    }

    // The Introduction from its top to its end with the up arrow, each document closed with OK.
    void completeIntroduction() {
        for (const char* document : {"introduction.rtf", "Cosmic Map.rtf"}) {
            pressUnder(document, window().okButton);
            clickUp();
        }
        clickUp();   // the last check-point leaves its document on show and stops the reading
        ASSERT_TRUE(shows("Icons.rtf"));
        click(window().okButton);
        pressUnder("award0.rtf", window().okButton);
        clickUp();
        ASSERT_EQ(state().CourseStage, 0);
        ASSERT_EQ(fileLines(appDir() + "info.ndx"), (QStringList{"Greetings", "Status", "Introduction", "Cosmic Map", "Icons", "award0"}));
        ASSERT_TRUE(window().readingPane->FileName().endsWith("/veltrin1.rtf"));
    }

    std::map<QString, QByteArray> starting;
};

// Yes: the starting files, copies of what was erased beside them, the speed kept in the settings.
// A second erase click while the question waits is refused: it asks again and erases nothing.
TEST_F(ResetJourney, YesAfterACompletedLevelShowsTheIntroductionAtItsTopOverAFreshCourse) {
    completeIntroduction();
    window().speedBar->setValue(350);
    const std::map<QString, QByteArray> completed = allFiles();
    sys.script(
        "erase again", [this] { return shows("resetmsg.rtf"); }, [this] { click(window().eraseButton); });
    sys.script(
        "answer Yes after the refusal", [this] { return shows("resetmsg.rtf") && sys.playedSounds().count("resetyn") == 2; },
        [this] { click(window().yesButton); });
    click(window().eraseButton);
    ASSERT_TRUE(shows("veltrinreset.rtf"));
    click(window().okButton);

    QStringList copies{settingsPath()};
    for (const QString& erased :
         {storePath(), appDir() + "info.ndx", appDir() + "mission.ndx", appDir() + "status.ndx", appDir() + "work.ndx"}) {
        copies << erased + ".bak";
        EXPECT_EQ(readFile(erased + ".bak"), completed.at(erased)) << erased.toStdString();
    }
    QStringList changed = changedFiles(starting);
    changed.sort();
    copies.sort();
    EXPECT_EQ(changed, copies);   // every other file as at the first start
    EXPECT_EQ(readFile(settingsPath()),
              (appDir() + "\r\n" + courseDir() + "\r\n" + soundDir() + "\r\n").toUtf8() + " 350\r\n-1\r\n 0\r\n 0\r\n");
    EXPECT_EQ(sys.playedSounds().mid(sys.playedSounds().indexOf("resetyn")), (QStringList{"resetyn", "resetyn", "resety", "torch-off"}));
    EXPECT_EQ(window().topicList->count(), 2);
    EXPECT_EQ(state().LevelShown, 0);
    EXPECT_EQ(window().readingPane->Text().trimmed(), "Level text 0");
    EXPECT_EQ(window().readingPane->topEdge(), 0);
    EXPECT_EQ(state().ScrollPos, 0);
    EXPECT_EQ(window().positionBar->value(), 0);
    EXPECT_EQ(window().positionBar->maximum(), 3850);

    pressUnder("introduction.rtf", window().okButton);
    clickUp();   // the course starts over: the first check-point unlocks its topic again
    EXPECT_EQ(fileLines(appDir() + "info.ndx"), (QStringList{"Greetings", "Status", "Introduction"}));
}

// Yes and No answer only the question: a topic opened while it waits shows OK, which puts the
// question aside until the erase button asks it again.
TEST_F(ResetJourney, NoKeepsEveryFileAfterATopicWasReadWhileTheQuestionWaited) {
    completeIntroduction();
    const std::map<QString, QByteArray> completed = allFiles();
    QStringList buttonsUnderTopic;
    sys.script(
        "choose a topic", [this] { return shows("resetmsg.rtf"); }, [this] { pickFrom(*window().topicList, "Greetings"); });
    sys.script(
        "read the topic", [this] { return shows("Greetings.rtf"); },
        [this, &buttonsUnderTopic] {
            buttonsUnderTopic = shownButtons();
            click(window().okButton);
        });
    sys.script(
        "erase again", [this] { return window().torchPanel->isHidden(); }, [this] { click(window().eraseButton); });
    pressUnder("resetmsg.rtf", window().noButton);
    click(window().eraseButton);

    EXPECT_EQ(buttonsUnderTopic, QStringList{"OK"});
    EXPECT_EQ(sys.playedSounds().count("resetyn"), 2);   // asked, and asked again
    EXPECT_TRUE(shows("veltrinnotreset.rtf"));
    EXPECT_EQ(changedFiles(completed), QStringList{});
    EXPECT_EQ(state().CourseStage, 0);
    EXPECT_EQ(state().ResetAnswer, 0);
    EXPECT_FALSE(state().AskYesNo);
}

}   // namespace
}   // namespace veltrin::test

// The progress reset: journeys from a first start, where Yes brings back a fresh course with the
// Introduction on show at its top and No keeps every file, even when the user wanders off to a topic
// while the question waits, or clicks erase again; a failure part way keeps the copies (a failed
// copy is a hostile-write case).
#include "support/CourseFixture.h"

#include "base/TextFile.h"

namespace veltrin::test {
namespace {

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
        ASSERT_EQ(state().settings.CourseStage, 0);
        ASSERT_EQ(fileLines(appDir() + "info.ndx"), (QStringList{"Greetings", "Status", "Introduction", "Cosmic Map", "Icons", "award0"}));
        ASSERT_TRUE(window().readingPane->FileName().endsWith("/veltrin1.rtf"));
    }

    // The files an erase empties (or, with ".bak", their copies) as they are now.
    Files erasedFiles(const char* suffix = "") const {
        Files files;
        for (const QString& path :
             {storePath(), appDir() + "info.ndx", appDir() + "mission.ndx", appDir() + "status.ndx", appDir() + "work.ndx"})
            files[path] = readFile(path + suffix);
        return files;
    }
    void eraseAnsweringYes() {
        pressUnder("resetmsg.rtf", window().yesButton);
        click(window().eraseButton);
    }

    Files starting;
};

// No answers only the question: a topic opened while it waits shows OK, which puts the question
// aside until the erase button asks it again, and No then keeps every file. Yes then brings back the
// starting files, copies of what was erased beside them (their bytes are the end-to-end reset's), the
// speed set since the start kept in the settings; a second erase click while the question waits is
// refused: it asks again and erases nothing.
TEST_F(ResetJourney, NoKeepsEveryFileThenYesShowsTheIntroductionAtItsTopOverAFreshCourse) {
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
    EXPECT_EQ(state().settings.CourseStage, 0);
    EXPECT_EQ(state().run.ResetAnswer, 0);
    EXPECT_FALSE(state().run.AskYesNo);
    click(window().okButton);

    sys.sounds.commands.clear();
    window().speedBar->setValue(350);
    sys.script(
        "erase again", [this] { return shows("resetmsg.rtf"); }, [this] { click(window().eraseButton); });
    sys.script(
        "answer Yes after the refusal", [this] { return shows("resetmsg.rtf") && sys.playedSounds().count("resetyn") == 2; },
        [this] { click(window().yesButton); });
    click(window().eraseButton);
    ASSERT_TRUE(shows("veltrinreset.rtf"));
    click(window().okButton);

    QStringList copies;   // and the settings: every other file as at the first start, all by path
    for (const auto& [erased, bytes] : erasedFiles()) copies << erased + ".bak";
    EXPECT_EQ(changedFiles(starting), copies << settingsPath());
    EXPECT_EQ(settingsLine(4), " 350");
    EXPECT_EQ(sys.playedSounds().mid(sys.playedSounds().indexOf("resetyn")), (QStringList{"resetyn", "resetyn", "resety", "torch-off"}));
    EXPECT_EQ(window().topicList->count(), 2);
    EXPECT_EQ(state().LevelShown, 0);
    EXPECT_EQ(window().readingPane->Text().trimmed(), "Level text 0");
    EXPECT_EQ(window().readingPane->topEdge(), 0);
    EXPECT_EQ(state().settings.ScrollPos, 0);
    EXPECT_EQ(window().positionBar->value(), 0);
    EXPECT_EQ(window().positionBar->maximum(), 3850);

    pressUnder("introduction.rtf", window().okButton);
    clickUp();   // the course starts over: the first check-point unlocks its topic again
    EXPECT_EQ(fileLines(appDir() + "info.ndx"), (QStringList{"Greetings", "Status", "Introduction"}));
}

// The disk fills once the journal store is emptied; erasing again keeps the copies of the first
// erase (a file already erased gets no copy over its own), and a later erase sets them aside.
TEST_F(ResetJourney, AnEraseFailingHalfWayKeepsTheCopiesThroughEveryLaterErase) {
    completeIntroduction();
    writeFile(storePath(), "6.12.2026\r09:30:15\rLevel One Operative\rOPENNESS\r3\r\n");
    const Files erased = erasedFiles();
    qint64 copies = 0;   // and the settings and the two lists rewritten as at the first start
    for (const auto& [path, bytes] : erased) copies += bytes.size();
    for (const QString& path : {settingsPath(), appDir() + "mission.ndx", appDir() + "info.ndx"}) copies += starting.at(path).size();
    failWritesAfter(copies);   // the progress files are the first write to fail
    eraseAnsweringYes();
    failWritesAfter(-1);
    EXPECT_EQ(erasedFiles(".bak"), erased);
    EXPECT_EQ(readFile(storePath()), "");
    EXPECT_EQ(readFile(appDir() + "status.ndx"), erased.at(appDir() + "status.ndx"));
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages.front().contains("status.ndx") && sys.messages.front().contains(storePath() + ".bak"));
    EXPECT_FALSE(state().run.AskYesNo);
    EXPECT_EQ(state().run.ResetAnswer, 0);

    eraseAnsweringYes();
    EXPECT_EQ(erasedFiles(".bak"), erased);
    for (const auto& [path, bytes] : erasedFiles()) EXPECT_EQ(bytes, starting.at(path)) << path.toStdString();

    writeFile(storePath(), "a new journal\r\n");
    eraseAnsweringYes();
    EXPECT_EQ(readFile(storePath() + ".bak"), "a new journal\r\n");
    EXPECT_EQ(readFile(storePath() + ".1.bak"), erased.at(storePath()));
    EXPECT_EQ(sys.messages.size(), 1);
}

}   // namespace
}   // namespace veltrin::test

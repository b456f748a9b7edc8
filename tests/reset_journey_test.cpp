// Reset journeys from a first start: the Introduction read to its award with the arrows and OK,
// then the erase button. Yes brings back a fresh course with the Introduction on show at its top;
// No keeps every file, even when the user wanders off to a topic while the question waits.
#include "support/CourseFixture.h"

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

    // The scripted user clicks the button once the document is on show in the Torch panel.
    void pressUnder(const QString& document, QAbstractButton* button) {
        sys.script(
            button->text() + " under " + document, [this, document] { return shows(document); },
            [button] { QTest::mouseClick(button, Qt::LeftButton); });
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
TEST_F(ResetJourney, YesAfterACompletedLevelShowsTheIntroductionAtItsTopOverAFreshCourse) {
    completeIntroduction();
    window().speedBar->setValue(350);
    const std::map<QString, QByteArray> completed = allFiles();
    pressUnder("resetmsg.rtf", window().yesButton);
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
    EXPECT_EQ(sys.playedSounds().mid(sys.playedSounds().lastIndexOf("resetyn")), (QStringList{"resetyn", "resety", "torch-off"}));
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
            for (QPushButton* button : {window().yesButton, window().okButton, window().noButton})
                if (!button->isHidden()) buttonsUnderTopic << button->text();
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

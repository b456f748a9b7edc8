// Reset journeys from a first start: the Introduction read to its award with the arrows and OK,
// then the erase button. Yes brings back a fresh course with the Introduction on show at its top;
// No keeps every file, even when the user wanders off to a topic while the question waits.
#include "support/CourseFixture.h"

#include <QAbstractItemView>
#include <QFileInfo>

namespace veltrin::test {
namespace {

class ResetJourney : public CourseFixture {
protected:
    void SetUp() override {
        writeStartingCourse({"scrollintro.rtf", "introduction.rtf", "Cosmic Map.rtf", "Icons.rtf", "award0.rtf",
                             "Greetings.rtf", "resetmsg.rtf", "veltrinreset.rtf", "veltrinnotreset.rtf"});
        writeSettings(-1, 0, 0, 0);
        starting = allFiles();
        start();
        click(form().Command11);   // the scrolling introduction greets a new user
    }

    bool shows(const QString& document) {
        return !form().Picture2->isHidden() && QFileInfo(form().RichTextBox2->FileName()).fileName() == document;
    }
    // The scripted user clicks the button once the document is on show in the Torch panel.
    void pressUnder(const QString& document, QAbstractButton* button) {
        sys.script(button->text() + " under " + document, [this, document] { return shows(document); },
                   [button] { QTest::mouseClick(button, Qt::LeftButton); });
    }
    // The Introduction from its top to its end with the up arrow, each document closed with OK.
    void completeIntroduction() {
        for (const char* document : {"introduction.rtf", "Cosmic Map.rtf"}) {
            pressUnder(document, form().Command11);
            clickUp();
        }
        clickUp();   // the last check-point leaves its document on show and stops the reading
        ASSERT_TRUE(shows("Icons.rtf"));
        click(form().Command11);
        pressUnder("award0.rtf", form().Command11);
        clickUp();
        ASSERT_EQ(state().CourseStage, 0);
        ASSERT_EQ(fileLines(appDir() + "info.ndx"),
                  (QStringList{"Greetings", "Status", "Introduction", "Cosmic Map", "Icons", "award0"}));
        ASSERT_TRUE(form().RichTextBox1->FileName().endsWith("/veltrin1.rtf"));
    }
    QStringList items(const QComboBox& list) const {
        QStringList texts;
        for (int item = 0; item < list.count(); ++item) texts << list.itemText(item);
        return texts;
    }

    std::map<QString, QByteArray> starting;
};

TEST_F(ResetJourney, YesAfterACompletedLevelShowsTheIntroductionAtItsTopOverAFreshCourse) {
    completeIntroduction();
    pressUnder("resetmsg.rtf", form().Command18);
    click(form().Command19);
    ASSERT_TRUE(shows("veltrinreset.rtf"));
    click(form().Command11);

    QStringList copies{storePath() + ".bak"};   // what the reset erased is kept beside it
    for (const char* name : {"info.ndx", "mission.ndx", "status.ndx", "work.ndx"}) copies << appDir() + name + ".bak";
    QStringList changed = changedFiles(starting);
    changed.sort();
    copies.sort();
    EXPECT_EQ(changed, copies);
    EXPECT_EQ(state().CourseStage, -1);
    EXPECT_EQ(form().Label9->text(), "Ascendant");
    EXPECT_EQ(items(*form().Combo1), (QStringList{"Greetings", "Status"}));
    EXPECT_EQ(items(*form().Combo2), QStringList{"Journal Entry"});
    EXPECT_EQ(state().LevelShown, 0);
    EXPECT_EQ(form().RichTextBox1->Text().trimmed(), "Level text 0");
    EXPECT_EQ(form().RichTextBox1->topEdge(), 0);
    EXPECT_EQ(state().ScrollPos, 0);
    EXPECT_EQ(form().VScroll2->value(), 0);
    EXPECT_EQ(form().VScroll2->maximum(), 3850);

    pressUnder("introduction.rtf", form().Command11);
    clickUp();   // the course starts over: the first check-point unlocks its topic again
    EXPECT_EQ(fileLines(appDir() + "info.ndx"), (QStringList{"Greetings", "Status", "Introduction"}));
}

// Yes and No answer only the question: a topic opened while it waits shows OK, which puts the
// question aside until the erase button asks it again.
TEST_F(ResetJourney, NoKeepsEveryFileAfterATopicWasReadWhileTheQuestionWaited) {
    completeIntroduction();
    const std::map<QString, QByteArray> completed = allFiles();
    QStringList buttonsUnderTopic;
    sys.script("choose a topic", [this] { return shows("resetmsg.rtf"); }, [this] {
        QComboBox& topics = *form().Combo1;
        topics.showPopup();
        QAbstractItemView& drop = *topics.view();
        const QModelIndex greetings = topics.model()->index(topics.findText("Greetings"), 0);
        QTest::mouseClick(drop.viewport(), Qt::LeftButton, {}, drop.visualRect(greetings).center());
    });
    sys.script("read the topic", [this] { return shows("Greetings.rtf"); }, [this, &buttonsUnderTopic] {
        for (QPushButton* button : {form().Command18, form().Command11, form().Command12})
            if (!button->isHidden()) buttonsUnderTopic << button->text();
        click(form().Command11);
    });
    sys.script("erase again", [this] { return form().Picture2->isHidden(); }, [this] { click(form().Command19); });
    pressUnder("resetmsg.rtf", form().Command12);
    click(form().Command19);

    EXPECT_EQ(buttonsUnderTopic, QStringList{"OK"});
    EXPECT_EQ(sys.playedSounds().count("resetyn"), 2);   // asked, and asked again
    EXPECT_TRUE(shows("veltrinnotreset.rtf"));
    EXPECT_EQ(changedFiles(completed), QStringList{});
    EXPECT_EQ(state().CourseStage, 0);
    EXPECT_EQ(state().ResetAnswer, 0);
    EXPECT_FALSE(state().AskYesNo);
}

} // namespace
} // namespace veltrin::test

// Journal journeys through the running program: the user ranks with clicks, types or picks a
// subject, reads on past a check-point, restarts and erases; each entry is stored, and counted,
// under the subject the user chose.
#include "support/CourseFixture.h"

#include "core/JournalStore.h"

namespace veltrin::test {
namespace {

constexpr std::size_t OpennessRow = 1;
constexpr std::size_t FeelRow = 8;
// Level 2's second pass, twenty pixels before the check-point that adds NEEDS (mark 814 of 13014).
constexpr int BeforeNeedsCheckpoint = -10575;

class JournalJourney : public CourseFixture {
protected:
    void rankEveryCategoryThree() {
        for (const auto& options : window().rankOptions) click(options[2]);
    }
    // Whatever the box holds is selected and typed over, and Return ends the typing.
    void typeSubject(const QString& subject) {
        click(window().subjectBox);
        QTest::keyClick(window().subjectBox, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(window().subjectBox, subject);
        QTest::keyClick(window().subjectBox, Qt::Key_Return);
    }
    void add() { click(window().addEntryButton); }
    QStringList storedSubjects() const {
        QStringList subjects;
        for (const QString& record : fileLines(storePath())) subjects << core::readJournalRecord(record).value().subject;
        return subjects;
    }
    QString count(std::size_t row) { return state().SubjectProgress[row].count; }
    QString subjectBoxText() { return window().subjectBox->currentText(); }
};

TEST_F(JournalJourney, StoredSubjectIsTheOneTheUserChose) {
    // FEELING is listed before FEEL, as the course lists them.
    writeStartingCourse({"er-1.rtf", "Openness.rtf", "Feel.rtf", "resetmsg.rtf", "veltrinreset.rtf"});
    writeLines(appDir() + "info.ndx", {"Greetings", "Status", "Introduction"});
    writeLines(appDir() + "mission.ndx", {"Journal Entry", "OPENNESS", "FEELING", "EXPLORATION", "FEEL"});
    writeSettings(8, BeforeNeedsCheckpoint);
    start();
    window().show();
    EXPECT_EQ(subjectBoxText(), "");
    click(window().journalButton);
    rankEveryCategoryThree();
    add();
    EXPECT_EQ(storedSubjects(), QStringList({""}));
    EXPECT_TRUE(window().torchPane->FileName().endsWith("/subjectref.rtf"));

    sys.sounds.commands.clear();
    typeSubject("FEEL");
    add();
    EXPECT_EQ(storedSubjects().last(), "FEEL");
    EXPECT_EQ(count(FeelRow), "1");
    EXPECT_EQ(sys.playedSounds(), QStringList({"addrec"}));   // typing picks nothing

    pickFrom(*window().subjectBox, "OPENNESS");
    EXPECT_EQ(subjectBoxText(), "OPENNESS");
    EXPECT_TRUE(window().torchPane->FileName().endsWith("/Openness.rtf"));
    click(window().okButton);
    click(window().journalButton);   // the journal closes so that the text can scroll
    pressWhenVisible(window().okButton, "press OK in the Torch panel");
    clickUp();
    EXPECT_EQ(fileLines(appDir() + "mission.ndx").value(5), "NEEDS");
    EXPECT_EQ(window().subjectBox->count(), 6);
    EXPECT_EQ(subjectBoxText(), "OPENNESS");
    click(window().journalButton);
    add();
    EXPECT_EQ(storedSubjects().last(), "OPENNESS");
    EXPECT_EQ(count(OpennessRow), "1");

    EXPECT_THROW(click(window().exitButton), ProgramEnded);
    restart();
    window().show();
    EXPECT_EQ(subjectBoxText(), "");
    click(window().journalButton);
    rankEveryCategoryThree();
    add();
    EXPECT_EQ(storedSubjects(), QStringList({"", "FEEL", "OPENNESS", ""}));
    EXPECT_EQ(count(OpennessRow), "1");

    // Erasing the progress replaces the list but, like the rest of the form, not the subject,
    // which is then stored as an optional one.
    typeSubject("OPENNESS");
    pressWhenVisible(window().yesButton, "answer Yes to the erase question");
    click(window().eraseButton);
    EXPECT_EQ(window().subjectBox->count(), 1);
    EXPECT_EQ(subjectBoxText(), "OPENNESS");
    add();
    EXPECT_EQ(storedSubjects(), QStringList({"OPENNESS"}));
    EXPECT_EQ(count(OpennessRow), "0");
    EXPECT_TRUE(window().torchPane->FileName().endsWith("/subjectref.rtf"));
}

}   // namespace
}   // namespace veltrin::test

// Journal journeys through the running program: the user ranks with clicks, types or picks a
// subject and erases the progress; each entry is stored, and counted, under the subject the user
// chose. (A typed subject that begins another listed one, the box keeping what was typed while a
// check-point refills the list and the box empty after a restart are the course journey's.)
#include "support/CourseFixture.h"

#include "core/JournalStore.h"

namespace veltrin::test {
namespace {

constexpr std::size_t OpennessRow = 1;

class JournalJourney : public CourseFixture {
protected:
    void add() { click(window().addEntryButton); }
    QStringList storedSubjects() const {
        QStringList subjects;
        for (const QString& record : fileLines(storePath())) subjects << core::readJournalRecord(record).value().subject;
        return subjects;
    }
    QString count(std::size_t row) { return state().SubjectProgress[row].count; }
    bool torchShows(const QString& document) { return window().torchPane->FileName().endsWith("/" + document); }
};

// Erasing the progress replaces the list but, like the rest of the form, not the subject picked
// from it (or typed), which is then stored as an optional one. (A pick from the list shows its subject's document: the
// journal frame's test; a typed listed subject stored and counted: the end-to-end journal test.)
TEST_F(JournalJourney, StoredSubjectIsTheOneTheUserChose) {
    writeStartingCourse({"er-1.rtf", "resetmsg.rtf", "veltrinreset.rtf"});
    writeLines(appDir() + "mission.ndx", {"Journal Entry", "OPENNESS", "FEELING"});
    writeSettings(8, 0);
    start();
    window().show();
    click(window().journalButton);
    for (const auto& options : window().rankOptions) click(options[2]);
    add();
    EXPECT_EQ(storedSubjects(), QStringList({""}));
    EXPECT_TRUE(torchShows("subjectref.rtf"));

    click(window().subjectBox);
    QTest::keyClick(window().subjectBox, Qt::Key_Down);
    QTest::keyClick(window().subjectBox, Qt::Key_Down);   // past "Journal Entry" to "OPENNESS"
    ASSERT_EQ(window().subjectBox->currentText(), "OPENNESS");
    pressWhenVisible(window().yesButton, "answer Yes to the erase question");
    click(window().eraseButton);
    EXPECT_EQ(window().subjectBox->count(), 1);
    EXPECT_EQ(window().subjectBox->currentText(), "OPENNESS");
    add();
    EXPECT_EQ(storedSubjects(), QStringList({"OPENNESS"}));
    EXPECT_EQ(count(OpennessRow), "0");
    EXPECT_TRUE(torchShows("subjectref.rtf"));
}

}   // namespace
}   // namespace veltrin::test

// Journal journeys through the running program: the user ranks with clicks, types or picks a
// subject and erases the progress; each entry is stored, and counted, under the subject the user
// chose; the frame recalls what was written on this day in earlier years. (A typed subject that begins another listed one, the box keeping what was typed while a
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

// Opening the frame names the entries of this day in earlier years, newest year first (one without
// a subject by its chronology); on a day without any the line is hidden.
TEST_F(JournalJourney, FrameRecallsThisDayInEarlierYears) {
    const auto record = [](const char* iso, const QString& subject) {
        return core::journalRecord(core::chronologyText(QDateTime::fromString(iso, Qt::ISODate)), Title, subject, {3, 5, 2, 4, 1, 1, 4},
                                   "x");
    };
    const QString untitled = core::chronologyText(QDateTime::fromString("2024-12-06T08:00:00", Qt::ISODate));
    openJournal();
    writeLines(storePath(), {record("2024-12-06T08:00:00", ""), record("2025-12-05T20:00:00", "Feeling"),
                             record("2025-12-06T20:00:00", "Openness"), record("2024-12-06T21:00:00", "Thought")});
    window().show();
    click(window().journalButton);
    EXPECT_TRUE(window().onThisDayLabel->isVisible());
    EXPECT_EQ(window().onThisDayLabel->accessibleDescription(),
              "On this day: Openness (1 year ago); " + untitled + ", Thought (2 years ago)");
    click(window().journalButton);
    sys.clock = sys.clock.addDays(2);
    click(window().journalButton);
    EXPECT_FALSE(window().onThisDayLabel->isVisible());
}

}   // namespace
}   // namespace veltrin::test

// The whole course as a new user takes it: a first run on the sample course, every level of both
// passes read from its top to its end with the up arrow, every Torch document read and closed with
// OK, the journal entries written by typing, one restart in each pass. After each level the stored
// files must say what the user was shown and what the user wrote.
#include "support/CourseFixture.h"

#include "shell/Shell.h"

#include <QDir>
#include <QLineEdit>
#include <map>

namespace veltrin::test {
namespace {

// The few facts of the course that no stored file holds: how many check-points each stage has
// (stages -1 .. 13), the title of each stage -1 .. 14, and the scenery of the two passes and of
// the finished course.
constexpr std::array<int, 15> CheckpointsPerStage{3, 6, 8, 6, 6, 7, 4, 3, 7, 5, 5, 4, 4, 3, 6};

// Two passes of seven levels follow the first two titles.
QString titleOf(int stage) {
    static const QStringList levels{"One", "Two", "Three", "Four", "Five", "Six", "Seven"};
    if (stage < 1) return stage < 0 ? "Ascendant" : "Explorer of the Inner Realm";
    return "Level " + levels[(stage - 1) % 7] + (stage <= 7 ? " Operative" : " Commander") + " of the Inner Realm";
}

// Background, exit button and Torch picture from stage -1, from stage 7 and from stage 14 on.
const std::array<QStringList, 3> SceneryFrom{{{"wood3-bkg.jpg", "wood3-btn-xit.jpg", "wood3-torch.jpg"},
                                              {"wood3-bkg-l7O.jpg", "wood3-btn-xit-l7a.jpg", "wood3-torch.jpg"},
                                              {"wood3-bkg-l7.jpg", "wood3-btn-xit-l7a.jpg", "wood3-torch-l7.jpg"}}};

// How many entries each required subject needs before its level is complete.
const std::map<QString, int> MinimumEntries{{"OPENNESS", 10},    {"OBSERVATION", 15},      {"THOUGHT", 5},      {"FEELING", 5},
                                            {"REALIZATION", 7},  {"EXPLORATION", 24},      {"NEEDS", 12},       {"FEEL", 5},
                                            {"PERCEPTION", 5},   {"WATERS-1", 15},         {"WATERS-2", 5},     {"CAUSE-EFFECT", 5},
                                            {"QUESTIONING", 15}, {"AUTOMATIC LIVING", 15}, {"CHUNKS-1", 7},     {"CAUSE-EFFECT-2", 25},
                                            {"VIEWPOINT", 3},    {"MANIFESTATION", 10},    {"MECHANISM", 7},    {"SIMILARITIES", 5},
                                            {"PARAMETERS", 5},   {"SKILLING", 25},         {"INTERACTION", 25}, {"TWEAKING", 25}};

constexpr std::array<int, 7> Ranks{3, 5, 2, 4, 1, 1, 4};   // Power .. Being Awake
const QString RankDigits = QStringLiteral("3524114");
const QString EntryText = QStringLiteral("Noticed it again today.");

// Where a restart interrupts the reading: after this many clicks on the up arrow in the stage.
const std::map<int, int> RestartAfterClick{{3, 2}, {8, 1}};

class CourseJourney : public CourseFixture {
protected:
    // A Torch document the user read: its text, how many lines the two lists then had, and whether
    // the award's cover hid both arrows.
    struct Shown {
        QString text;
        qsizetype topics, subjects;
        bool arrowsCovered;
    };

    // What the stored files say after a level.
    struct Stored {
        QStringList topics, subjects, status, work, journal;
    };

    void TearDown() override {
        m_userLeft = true;
        sys.Yield();
        EXPECT_TRUE(sys.messages.isEmpty()) << sys.messages.join(" | ").toStdString();
        CourseFixture::TearDown();
    }

    QString torchDir() const { return sys.dataFolder + "/torch/"; }
    QString lessonsDir() const { return sys.dataFolder + "/lessons/"; }
    int storedStage() const { return settingsLine(5).trimmed().toInt(); }

    Stored stored() const {
        return {fileLines(torchDir() + "info.ndx"), fileLines(torchDir() + "mission.ndx"), fileLines(torchDir() + "status.ndx"),
                fileLines(torchDir() + "work.ndx"), fileLines(lessonsDir() + "veltrin.sdb")};
    }

    // The plain text of a course document as the Torch panel or the reading pane shows it; names
    // are matched without regard to letter case, as the course's folders are.
    static QString documentText(const QString& folder, const QString& name) {
        const QStringList found = QDir(folder).entryList({name}, QDir::Files);
        ui::RichTextView view;
        if (found.size() == 1) view.LoadFile(folder + found.first());
        return found.size() == 1 ? view.Text() : "(no single document " + name + ")";
    }

    // Shown on screen and active, as the program shows itself, so the user's clicks give the focus.
    // Nothing is drawn: no one looks at the offscreen screen, and drawing the pane at every tenth
    // of a pixel would make the journey several times slower.
    void showWindow() {
        window().setUpdatesEnabled(false);
        window().show();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        m_typedSubject.clear();
        m_formFilled = false;
    }

    // The user reads every Torch document to its end and presses OK, for as long as the test runs.
    void readEveryTorchDocument() {
        sys.script(
            "read the Torch document and press OK", [this] { return m_userLeft || documentWithOkOnShow(); },
            [this] {
                if (m_userLeft) return;
                const ui::MainWindow& f = window();
                m_shown.push_back({f.torchPane->Text(), fileLines(torchDir() + "info.ndx").size(),
                                   fileLines(torchDir() + "mission.ndx").size(),
                                   !f.awardCover->isHidden() && f.upArrow->isHidden() && f.downArrow->isHidden()});
                click(window().okButton);
                readEveryTorchDocument();
            });
    }

    // The opening animation has ended and the document is in.
    bool documentWithOkOnShow() {
        const ui::MainWindow& f = window();
        return !f.torchPanel->isHidden() && !f.okButton->isHidden() && !f.torchPane->isHidden() && !f.torchPane->FileName().isEmpty();
    }

    void firstRun() {
        ASSERT_FALSE(QFile::exists(settingsPath()));
        ASSERT_EQ(QDir(shell::SampleCourseFolder()).canonicalPath(), QDir(VELTRIN_SAMPLE_COURSE).canonicalPath());
        program();
        readEveryTorchDocument();
        start();
        ASSERT_NO_FATAL_FAILURE(showWindow());
        sys.Yield();   // the user reads how to scroll
        ASSERT_EQ(m_shown.size(), 1u);
        EXPECT_EQ(m_shown[0].text, documentText(torchDir(), "scrollintro.rtf"));
        QTest::keyClick(window().speedBar, Qt::Key_Home);   // the fastest scrolling there is
        checkTitleAndScenery(-1);
    }

    // Leaves by the exit button and starts again over the same folders.
    void exitAndRestart() {
        EXPECT_THROW(shell::onExitClicked(program()), ProgramEnded);
        restart();
        ASSERT_NO_FATAL_FAILURE(showWindow());
    }

    // Reads the due level from where it stands to its end and completes it, writing in the journal
    // whatever its check-points ask for. A restart in the middle of a level opens the text where
    // the user stopped reading.
    void readLevel(int stage) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        const Stored before = stored();
        m_shown.clear();
        for (int clicks = 1; storedStage() == stage; ++clicks) {
            ASSERT_LE(clicks, 20) << "stage " << stage << " never ends";
            const std::size_t shownBefore = m_shown.size();
            clickUp();
            ASSERT_GT(m_shown.size(), shownBefore) << "the up arrow stopped at nothing";
            if (storedStage() != stage) break;
            if (isNotDoneMessage(m_shown.back().text)) ASSERT_NO_FATAL_FAILURE(finishLevelWork(stage, before));
            else writeForNewSubjects(before);
            if (RestartAfterClick.contains(stage) && RestartAfterClick.at(stage) == clicks) {
                const int distance = window().positionBar->value();
                ASSERT_NO_FATAL_FAILURE(exitAndRestart());
                EXPECT_EQ(window().positionBar->value(), distance);
                EXPECT_EQ(window().readingPane->topEdge(), -distance);
            }
        }
        checkLevel(stage, before);
    }

    bool isNotDoneMessage(const QString& text) const {
        return text == documentText(torchDir(), "notdoneyet.rtf") || text == documentText(torchDir(), "notdoneyet-o.rtf");
    }

    // Each subject is written about as soon as Torch announces it: one entry short of its minimum
    // for a required subject (the last one is written at the level's end), one for an optional one.
    void writeForNewSubjects(const Stored& before) {
        const QStringList subjects = fileLines(torchDir() + "mission.ndx");
        for (qsizetype line = std::max(m_subjectsWritten, before.subjects.size()); line < subjects.size(); ++line)
            writeEntries(subjects[line], MinimumEntries.contains(subjects[line]) ? MinimumEntries.at(subjects[line]) - 1 : 1);
        m_subjectsWritten = subjects.size();
    }

    // At the end of the level, with every required subject one entry short: the last entry of each
    // but the last subject still leaves the level unfinished; the very last entry finishes it.
    void finishLevelWork(int stage, const Stored& before) {
        QStringList required;
        for (const QString& subject : fileLines(torchDir() + "mission.ndx").mid(before.subjects.size()))
            if (MinimumEntries.contains(subject)) required << subject;
        ASSERT_FALSE(required.isEmpty()) << "the end was refused with no work to do";
        for (const QString& subject : required.mid(0, required.size() - 1)) writeEntries(subject, 1);
        clickUp();
        ASSERT_TRUE(isNotDoneMessage(m_shown.back().text)) << required.last().toStdString() << " needs one entry more";
        writeEntries(required.last(), 1);
        const std::size_t shownBefore = m_shown.size();
        clickUp();
        ASSERT_EQ(storedStage(), stage + 1) << "not complete with every entry written";
        EXPECT_EQ(m_shown.size(), shownBefore + 1) << "the level completes at once, with only its award";
    }

    // Opens the journal, ranks the snapshot and types the entry the first time in a run, types the
    // subject as Torch announced it, adds `entries` entries and leaves with Done. The subject box is
    // empty from a start until the user types, and then keeps what was typed until the program ends.
    void writeEntries(const QString& subject, int entries) {
        ui::MainWindow& f = window();
        click(f.journalButton);
        ASSERT_FALSE(f.journalFrame->isHidden());
        if (f.subjectBox->currentText() != m_typedSubject && !std::exchange(m_boxFaultSeen, true))   // one report: every refill alike
            ADD_FAILURE() << "the subject box shows \"" << f.subjectBox->currentText().toStdString() << "\" where the user left \""
                          << m_typedSubject.toStdString() << "\"";
        if (!m_formFilled) {
            for (std::size_t category = 0; category < Ranks.size(); ++category)
                click(f.rankOptions[category][std::size_t(Ranks[category] - 1)]);
            click(f.entryBox->viewport());
            QTest::keyClicks(f.entryBox, EntryText);
            m_formFilled = true;
        }
        QLineEdit* box = f.subjectBox->lineEdit();
        click(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, subject);
        m_typedSubject = subject;
        for (int entry = 0; entry < entries; ++entry) {
            click(f.addEntryButton);
            m_journal << titleOf(storedStage()) + QStringLiteral("~") + subject + "~~" + RankDigits + EntryText;
        }
        click(f.doneButton);
        ASSERT_TRUE(f.journalFrame->isHidden());
    }

    // Every document the user read in the level brought exactly one new line into the lists, or
    // was the message that the level's work is not done yet; only the last, the award, covered the arrows.
    void checkDocumentsRead(int stage, const Stored& before, const Stored& now) {
        qsizetype topics = before.topics.size(), subjects = before.subjects.size();
        for (const Shown& shown : m_shown) {
            const qsizetype newTopics = shown.topics - topics, newSubjects = shown.subjects - subjects;
            if (newTopics == 1 && newSubjects == 0) {
                EXPECT_EQ(shown.text, documentText(torchDir(), now.topics[topics] + ".rtf")) << now.topics[topics].toStdString();
            } else if (newSubjects == 1 && newTopics == 0) {
                const QString subject = now.subjects[subjects];
                const bool required = subject == subject.toUpper();
                EXPECT_TRUE(shown.text.contains((required ? "The Subject " : "The Optional Subject ") + subject + " has been added"))
                    << shown.text.toStdString();
                EXPECT_TRUE(required || subject == subject.toLower()) << subject.toStdString();
                EXPECT_FALSE(documentText(torchDir(), subject + ".rtf").startsWith("(no single")) << subject.toStdString();
            } else {
                EXPECT_EQ(newTopics + newSubjects, 0) << "one document, several new lines";
                EXPECT_EQ(shown.text, documentText(torchDir(), stage <= 7 ? "notdoneyet-o.rtf" : "notdoneyet.rtf"));
            }
            EXPECT_EQ(shown.arrowsCovered, &shown == &m_shown.back());
            topics = shown.topics;
            subjects = shown.subjects;
        }
        EXPECT_EQ(std::pair(topics, subjects), std::pair(now.topics.size(), now.subjects.size()));
    }

    // The stage's column of the counters holds its check-points, the required subjects and the
    // second-pass topics it added; no other column changed.
    void checkCounters(int stage, const Stored& before, const Stored& now) {
        ASSERT_EQ(now.status.size(), 45);
        const QStringList added = now.subjects.mid(before.subjects.size());
        const auto required = std::count_if(added.begin(), added.end(), [](const QString& s) { return s == s.toUpper(); });
        const qsizetype topics = now.topics.size() - before.topics.size() - 1;   // less the award
        const std::array<qsizetype, 3> expected{CheckpointsPerStage[std::size_t(stage + 1)], required, stage >= 7 ? topics : 0};
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 15; ++column) {
                const qsizetype line = row * 15 + column;
                const QString want = column == stage + 1 ? QString::number(expected[std::size_t(row)]) : before.status[line].trimmed();
                EXPECT_EQ(now.status[line].trimmed(), want) << "row " << row + 1 << " column " << column;
            }
    }

    // The journal holds exactly the entries written, each subject as typed and under the title of
    // its stage; work.ndx keeps its names and counts, for each, the journal's entries in that
    // subject whatever their case.
    void checkJournal(const Stored& now) {
        QStringList records;
        for (const QString& record : now.journal) records << record.section('~', 1);
        EXPECT_EQ(records, m_journal);
        const QStringList startingWork = fileLines(VELTRIN_SAMPLE_COURSE "/torch/work.ndx");
        ASSERT_EQ(now.work.size(), startingWork.size());
        for (qsizetype line = 0; line < now.work.size(); line += 2) {
            EXPECT_EQ(now.work[line], startingWork[line]);
            const auto entries = std::count_if(records.begin(), records.end(), [&now, line](const QString& record) {
                return record.section('~', 1, 1).compare(now.work[line], Qt::CaseInsensitive) == 0;
            });
            EXPECT_EQ(now.work[line + 1], QString::number(entries)) << now.work[line].toStdString();
        }
    }

    void checkTitleAndScenery(int stage) {
        const ui::MainWindow& f = window();
        EXPECT_EQ(f.rankLabel->text(), titleOf(stage)) << "stage " << stage;
        EXPECT_EQ(QStringList({f.backgroundPictureName(), f.exitButton->pictureName(), f.torchPicture->pictureName()}),
                  SceneryFrom[std::size_t(stage >= 7) + std::size_t(stage >= 14)])
            << "stage " << stage;
    }

    void checkLevel(int stage, const Stored& before) {
        const Stored now = stored();
        const int newStage = stage + 1;
        EXPECT_EQ(storedStage(), newStage);
        EXPECT_EQ(now.topics.mid(0, before.topics.size()), before.topics);
        EXPECT_EQ(now.subjects.mid(0, before.subjects.size()), before.subjects);
        EXPECT_EQ(now.topics.last(), "award" + QString::number(newStage));
        checkDocumentsRead(stage, before, now);
        checkCounters(stage, before, now);
        checkJournal(now);
        checkTitleAndScenery(newStage);
        const int nextLevel = newStage <= 6 ? newStage + 1 : newStage - 6;
        const QString levelText = QStringLiteral("veltrin%1.rtf").arg(std::min(nextLevel, 7));   // the last level stays on show
        EXPECT_EQ(window().readingPane->Text(), documentText(lessonsDir(), levelText));
        if (newStage < 14) { EXPECT_EQ(window().readingPane->topEdge(), 0); }
        EXPECT_EQ(settingsLine(6), " 0");
    }

    std::vector<Shown> m_shown;
    QStringList m_journal;
    QString m_typedSubject;
    qsizetype m_subjectsWritten = 0;
    bool m_formFilled = false;
    bool m_boxFaultSeen = false;
    bool m_userLeft = false;
};

TEST_F(CourseJourney, NewUserReadsBothPassesAndFinishesTheCourse) {
    ASSERT_NO_FATAL_FAILURE(firstRun());
    for (int stage = -1; stage <= 13; ++stage) ASSERT_NO_FATAL_FAILURE(readLevel(stage));
    m_shown.clear();
    ASSERT_NO_FATAL_FAILURE(exitAndRestart());
    EXPECT_EQ(storedStage(), 14);
    checkTitleAndScenery(14);
    EXPECT_TRUE(window().readingPane->Text().isEmpty());
    EXPECT_TRUE(m_shown.empty());
    EXPECT_EQ(sys.playedSounds().count("finish"), 1);
}

}   // namespace
}   // namespace veltrin::test

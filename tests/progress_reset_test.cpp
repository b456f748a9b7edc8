// The progress reset: a second erase click is refused while one runs, a failed copy erases nothing,
// and a failure part way keeps the copies.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "torch/Torch.h"

#include <QDir>

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
    // The scripted user answers once the question is on show, with Yes and No in place of OK.
    void answer(QAbstractButton* button) {
        sys.script(
            "answer the question", [this] { return shows("resetmsg.rtf"); },
            [this, button] {
                EXPECT_TRUE(!window().yesButton->isHidden() && !window().noButton->isHidden() && window().okButton->isHidden());
                click(button);
            });
    }
    void erase() { window().eraseButton->click(); }

    Files starting;
    Files erased;
};

TEST_F(ProgressReset, ASecondEraseClickWhileTheQuestionWaitsIsRefused) {
    sys.script(
        "erase again", [this] { return shows("resetmsg.rtf"); }, [this] { click(window().eraseButton); });
    sys.script(
        "answer Yes after the refusal", [this] { return shows("resetmsg.rtf") && sys.playedSounds().size() == 2; },
        [this] { click(window().yesButton); });
    erase();
    EXPECT_EQ(sys.playedSounds(), (QStringList{"resetyn", "resetyn", "resety"}));
    EXPECT_EQ(snapshot(erasedFiles()), starting);
    EXPECT_EQ(snapshot(erasedFiles(), ".bak"), erased);
}

// The copy of veltrin.sdb is made before info.ndx's fails; it is taken back, and nothing is erased.
TEST_F(ProgressReset, AFailedCopyTakesBackTheCopiesItMadeAndErasesNothing) {
    const auto files = allFiles();
    ASSERT_TRUE(QDir().mkpath(appDir() + "info.ndx.bak"));
    answer(window().yesButton);
    erase();
    EXPECT_TRUE(changedFiles(files).isEmpty()) << changedFiles(files).join(" ").toStdString();
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages.front().contains("info.ndx.bak"));
    EXPECT_EQ(state().CourseStage, 9);
}

// The disk fills once the journal store is emptied; erasing again keeps the copies of the first
// erase (a file already erased gets no copy over its own), and a later erase sets them aside.
TEST_F(ProgressReset, AnEraseFailingHalfWayKeepsTheCopiesThroughEveryLaterErase) {
    qint64 copies = 0;
    for (const auto& [path, bytes] : erased) copies += bytes.size();
    // The settings at stage -1 and position 0 are three bytes shorter than at 9 and -1234.
    const qint64 settingsAndIndexes =
        readFile(settingsPath()).size() - 3 + starting[appDir() + "mission.ndx"].size() + starting[appDir() + "info.ndx"].size();
    base::failWritesAfter(copies + settingsAndIndexes);   // the progress files are the first write to fail
    answer(window().yesButton);
    erase();
    base::failWritesAfter(-1);
    EXPECT_EQ(snapshot(erasedFiles(), ".bak"), erased);
    EXPECT_EQ(readFile(storePath()), "");
    EXPECT_EQ(readFile(appDir() + "status.ndx"), erased[appDir() + "status.ndx"]);
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages.front().contains("status.ndx") && sys.messages.front().contains(storePath() + ".bak"));
    EXPECT_FALSE(state().AskYesNo);
    EXPECT_EQ(state().ResetAnswer, 0);

    answer(window().yesButton);
    erase();
    EXPECT_EQ(snapshot(erasedFiles(), ".bak"), erased);
    EXPECT_EQ(snapshot(erasedFiles()), starting);

    writeFile(storePath(), "a new journal\r\n");
    answer(window().yesButton);
    erase();
    EXPECT_EQ(readFile(storePath() + ".bak"), "a new journal\r\n");
    EXPECT_EQ(readFile(storePath() + ".1.bak"), erased[storePath()]);
    EXPECT_EQ(sys.messages.size(), 1);
}

// A journal entry added while the question waits is an action of its own: when the erase then
// fails, its count stays; the question asked again and its Yes go back with the failed reset.
TEST_F(ProgressReset, AFailedEraseKeepsAnEntryAddedWhileTheQuestionWaited) {
    ASSERT_TRUE(QDir().mkpath(appDir() + "info.ndx.bak"));
    shell::WireJournalControls(program());
    sys.script(
        "add an entry", [this] { return shows("resetmsg.rtf"); },
        [this] {
            click(window().journalButton);
            rankSnapshot({3, 3, 3, 3, 3, 3, 3});
            window().subjectBox->setEditText("Openness");
            click(window().addEntryButton);
        });
    sys.script(
        "erase again", [this] { return window().torchPanel->isHidden(); }, [this] { erase(); });
    answer(window().yesButton);
    erase();
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_EQ(state().SubjectProgress[1][2], "13");
    EXPECT_EQ(fileLines(appDir() + "work.ndx")[1], "13");
    EXPECT_EQ(state().ResetAnswer, 0);
    EXPECT_FALSE(state().AskYesNo);
}

}   // namespace
}   // namespace veltrin::test

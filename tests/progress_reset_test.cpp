// The progress reset: No changes nothing, Yes leaves a fresh course with copies of what it erased,
// a second erase click is refused while one runs, and failures never lose the user's files.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "torch/Torch.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <map>

namespace veltrin::test {
namespace {

using Files = std::map<QString, QByteArray>;

class ProgressReset : public CourseFixture {
protected:
    // The progress of stage 9 over the starting course, level icons, and the window restored.
    void SetUp() override {
        writeStartingCourse({"resetmsg.rtf", "veltrinreset.rtf", "veltrinnotreset.rtf", "Greetings.rtf"});
        starting = snapshot(erasedFiles());
        writeLines(appDir() + "info.ndx", {"Greetings", "Status", "Introduction", "Level One Goal"});
        writeLines(appDir() + "mission.ndx", {"Journal Entry", "Openness", "Exploration"});
        writeLines(appDir() + "status.ndx", QStringList(45, " 2"));
        writeFile(appDir() + "work.ndx", readFile(appDir() + "work.ndx").replace("OPENNESS\r\n0", "OPENNESS\r\n12"));
        writeFile(storePath(), "6.12.2026\r09:30:15\rLevel One Commander\rOPENNESS\r3\r\n");
        writeSettings(9, -1234, 350, 0);
        QImage icon(4, 4, QImage::Format_RGB32);
        icon.fill(Qt::darkGreen);
        for (int level = 0; level < 8; ++level)
            for (const char* set : {"cbicon", "gbicon"}) icon.save(courseDir() + QString("%1%2.jpg").arg(set).arg(level), "PNG");
        shell::FindWindowsDir(program());
        shell::RestoreProgress(program());
        torch::ShowTitle(program());
        shell::WireTorchControls(program());
        before = snapshot(erasedFiles() << settingsPath());
    }

    QStringList erasedFiles() const {
        return {storePath(), appDir() + "info.ndx", appDir() + "mission.ndx", appDir() + "status.ndx", appDir() + "work.ndx"};
    }
    Files snapshot(const QStringList& paths, const char* suffix = "") const {
        Files files;
        for (const QString& path : paths) files[path] = readFile(path + suffix);
        return files;
    }
    Files erasedBefore() const {
        Files erased = before;
        erased.erase(settingsPath());
        return erased;
    }
    bool shows(const QString& document) {
        return !form().Picture2->isHidden() && QFileInfo(form().RichTextBox2->FileName()).fileName() == document;
    }
    // The scripted user clicks once the document is on show in the Torch panel.
    void clickWhenShown(const QString& document, QAbstractButton* button) {
        sys.script("click under " + document, [this, document] { return shows(document); },
                   [button] { QTest::mouseClick(button, Qt::LeftButton); });
    }
    void answer(QAbstractButton* button) { clickWhenShown("resetmsg.rtf", button); }
    void erase() { form().Command19->click(); }

    Files starting;
    Files before;
};

// An open panel closes with the torch sound before the question.
TEST_F(ProgressReset, NoLeavesEveryFileUntouched) {
    torch::ShowTorchDocument(program(), QStringLiteral("Greetings.rtf"), 0);
    answer(form().Command12);
    erase();
    EXPECT_EQ(snapshot(erasedFiles() << settingsPath()), before);
    for (const QString& path : erasedFiles()) EXPECT_FALSE(QFileInfo::exists(path + ".bak")) << path.toStdString();
    EXPECT_EQ(sys.playedSounds(), (QStringList{"torch-off", "resetyn", "resetn", "torch-on"}));
    EXPECT_TRUE(shows("veltrinnotreset.rtf"));
    EXPECT_TRUE(form().Command18->isHidden() && form().Command12->isHidden());
    EXPECT_EQ(state().CourseStage, 9);
    EXPECT_EQ(state().ResetAnswer, 0);
    EXPECT_FALSE(state().AskYesNo);
}

// Yes: the starting files, copies beside them, settings lines 4 and 7 kept, the window dressed
// for stage -1.
TEST_F(ProgressReset, YesLeavesAFreshCourseAndCopiesOfWhatItErased) {
    answer(form().Command18);
    erase();
    EXPECT_EQ(snapshot(erasedFiles()), starting);
    EXPECT_EQ(snapshot(erasedFiles(), ".bak"), erasedBefore());
    EXPECT_EQ(readFile(settingsPath()), (appDir() + "\r\n" + courseDir() + "\r\n" + soundDir() + "\r\n").toUtf8() + " 350\r\n-1\r\n 0\r\n 0\r\n");
    EXPECT_EQ(sys.playedSounds(), (QStringList{"resetyn", "resety"}));
    EXPECT_TRUE(shows("veltrinreset.rtf"));
    EXPECT_EQ(state().CourseStage, -1);
    EXPECT_EQ(form().VScroll1->value(), 350);
    EXPECT_EQ(form().Label9->text(), "Ascendant");
    EXPECT_EQ(form().levelButton(0)->text(), "Key");
    EXPECT_EQ(form().Combo1->count(), 2);
    for (int level = 0; level < 8; ++level) EXPECT_TRUE(form().levelButton(level)->picture().isNull()) << level;
    EXPECT_EQ(state().ResetAnswer, 0);
    EXPECT_FALSE(state().AskYesNo);
}

TEST_F(ProgressReset, ASecondEraseClickWhileTheQuestionWaitsIsRefused) {
    clickWhenShown("resetmsg.rtf", form().Command19);
    sys.script("answer Yes after the refusal", [this] { return shows("resetmsg.rtf") && sys.playedSounds().size() == 2; },
               [this] { click(form().Command18); });
    erase();
    EXPECT_EQ(sys.playedSounds(), (QStringList{"resetyn", "resetyn", "resety"}));
    EXPECT_EQ(snapshot(erasedFiles()), starting);
    EXPECT_EQ(snapshot(erasedFiles(), ".bak"), erasedBefore());
    EXPECT_TRUE(shows("veltrinreset.rtf"));
}

TEST_F(ProgressReset, AFailedCopyErasesNothingAndTellsTheUser) {
    ASSERT_TRUE(QDir().mkpath(appDir() + "info.ndx.bak"));
    answer(form().Command18);
    erase();
    EXPECT_EQ(snapshot(erasedFiles() << settingsPath()), before);
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages.front().contains("info.ndx.bak"));
    EXPECT_EQ(state().CourseStage, 9);
    EXPECT_EQ(form().Combo1->count(), 4);
    EXPECT_FALSE(state().AskYesNo);
    EXPECT_EQ(state().ResetAnswer, 0);
}

TEST_F(ProgressReset, AnEraseFailingHalfWayTellsTheUserAndKeepsTheCopies) {
    qint64 copies = 0;
    for (const QString& path : erasedFiles()) copies += before[path].size();
    // The settings at stage -1 and position 0 are three bytes shorter than at 9 and -1234.
    const qint64 settingsAndSubjects = readFile(settingsPath()).size() - 3 + QByteArray("Journal Entry\r\n").size();
    base::failWritesAfter(copies + settingsAndSubjects);   // the topic list is the first write to fail
    answer(form().Command18);
    erase();
    base::failWritesAfter(-1);
    EXPECT_EQ(snapshot(erasedFiles(), ".bak"), erasedBefore());
    EXPECT_EQ(readFile(appDir() + "mission.ndx"), starting[appDir() + "mission.ndx"]);
    EXPECT_EQ(readFile(appDir() + "info.ndx"), before[appDir() + "info.ndx"]);
    EXPECT_EQ(readFile(storePath()), before[storePath()]);
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages.front().contains("info.ndx") && sys.messages.front().contains(".bak"));
    EXPECT_FALSE(state().AskYesNo);
    EXPECT_EQ(state().ResetAnswer, 0);
}

// A journal entry added while the question waits is an action of its own: when the erase then
// fails, its count stays; the question asked again and its Yes go back with the failed reset.
TEST_F(ProgressReset, AFailedEraseKeepsAnEntryAddedWhileTheQuestionWaited) {
    ASSERT_TRUE(QDir().mkpath(appDir() + "info.ndx.bak"));
    shell::WireJournalControls(program());
    sys.script("add an entry", [this] { return shows("resetmsg.rtf"); }, [this] {
        click(form().Command13);
        rankSnapshot({3, 3, 3, 3, 3, 3, 3});
        form().Combo2->setEditText("Openness");
        click(form().Command17);
    });
    sys.script("erase again", [this] { return form().Picture2->isHidden(); }, [this] { erase(); });
    answer(form().Command18);
    erase();
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_EQ(state().SubjectProgress[1][2], "13");
    EXPECT_EQ(fileLines(appDir() + "work.ndx")[1], "13");
    EXPECT_EQ(state().ResetAnswer, 0);
    EXPECT_FALSE(state().AskYesNo);
}

} // namespace
} // namespace veltrin::test

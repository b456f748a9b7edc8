// The progress reset: No changes nothing, Yes leaves a fresh course with copies of what it erased,
// a second erase click is refused while one runs, and failures never lose the user's files.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "torch/Torch.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <map>

namespace veltrin::test {
namespace {

using Files = std::map<QString, QByteArray>;

class ProgressReset : public CourseFixture {
protected:
    void SetUp() override {
        writeStartingCourse({"resetmsg.rtf", "veltrinreset.rtf", "veltrinnotreset.rtf", "Greetings.rtf"});
        starting = snapshot(erasedFiles());
        writeProgressOfStageNine();
        writeLevelIcons();
        Program& p = program();
        shell::FindWindowsDir(p);
        shell::RestoreProgress(p);
        torch::ShowTitle(p);
        shell::WireTorchControls(p);
        before = snapshot(erasedFiles() << settingsPath());
    }

    void writeProgressOfStageNine() {
        writeLines(appDir() + "info.ndx", {"Greetings", "Status", "Introduction", "Level One Goal"});
        writeLines(appDir() + "mission.ndx", {"Journal Entry", "Openness", "Exploration"});
        QStringList status(45, " 2");
        writeLines(appDir() + "status.ndx", status);
        QStringList work = QString::fromUtf8(readFile(appDir() + "work.ndx")).split("\r\n", Qt::SkipEmptyParts);
        work[1] = "12";
        writeLines(appDir() + "work.ndx", work);
        writeFile(courseDir() + "veltrin.sdb", "6.12.2026\r09:30:15\rLevel One Commander\rOPENNESS\r3\r\n");
        writeSettings(9, -1234, 350, 0);
    }

    void writeLevelIcons() {
        QImage icon(4, 4, QImage::Format_RGB32);
        icon.fill(Qt::darkGreen);
        for (int level = 0; level < 8; ++level)
            for (const char* set : {"cbicon", "gbicon"}) icon.save(courseDir() + QString("%1%2.jpg").arg(set).arg(level), "PNG");
    }

    QStringList erasedFiles() const {
        return {courseDir() + "veltrin.sdb", appDir() + "info.ndx", appDir() + "mission.ndx", appDir() + "status.ndx",
                appDir() + "work.ndx"};
    }

    Files snapshot(const QStringList& paths) const {
        Files files;
        for (const QString& path : paths) files[path] = readFile(path);
        return files;
    }

    Files backups() const {
        Files files;
        for (const QString& path : erasedFiles()) files[path] = readFile(path + ".bak");
        return files;
    }

    QByteArray settingsWithStage(const char* stageAndPosition) const {
        return (appDir() + "\r\n" + courseDir() + "\r\n" + soundDir() + "\r\n").toUtf8() + " 350\r\n" + stageAndPosition +
               " 0\r\n";
    }

    bool shows(const QString& document) {
        const ui::Form1& f = program().form;
        return !f.Picture2->isHidden() && !f.RichTextBox2->isHidden() &&
               QFileInfo(f.RichTextBox2->FileName()).fileName() == document;
    }

    // The scripted user clicks once the document is on show in the Torch panel.
    void clickWhenShown(const QString& document, QAbstractButton* button, const QString& what) {
        sys.script(what, [this, document] { return shows(document); },
                   [button] { QTest::mouseClick(button, Qt::LeftButton); });
    }

    void answerQuestion(QAbstractButton* button) { clickWhenShown("resetmsg.rtf", button, "answer the question"); }

    void erase() { program().form.Command19->click(); }

    Files starting;
    Files before;
};

TEST_F(ProgressReset, NoLeavesEveryFileUntouched) {
    answerQuestion(program().form.Command12);
    erase();
    expectScriptPlayed();
    EXPECT_EQ(snapshot(erasedFiles() << settingsPath()), before);
    for (const QString& path : erasedFiles()) EXPECT_FALSE(QFileInfo::exists(path + ".bak")) << path.toStdString();
    EXPECT_EQ(sys.playedSounds(), (QStringList{"resetyn", "resetn", "torch-on"}));
    EXPECT_TRUE(shows("veltrinnotreset.rtf"));
    EXPECT_TRUE(program().form.Command18->isHidden());
    EXPECT_TRUE(program().form.Command12->isHidden());
    EXPECT_EQ(program().state.CourseStage, 9);
    EXPECT_EQ(program().state.ResetAnswer, 0);
    EXPECT_FALSE(program().state.AskYesNo);
}

TEST_F(ProgressReset, YesLeavesAFreshCourseAndCopiesOfWhatItErased) {
    answerQuestion(program().form.Command18);
    erase();
    expectScriptPlayed();
    EXPECT_EQ(snapshot(erasedFiles()), starting);
    Files erased = before;
    erased.erase(settingsPath());
    EXPECT_EQ(backups(), erased);
    EXPECT_EQ(readFile(settingsPath()), settingsWithStage("-1\r\n 0\r\n"));
    EXPECT_EQ(sys.playedSounds(), (QStringList{"resetyn", "resety"}));
    EXPECT_TRUE(shows("veltrinreset.rtf"));
    EXPECT_FALSE(program().form.Command11->isHidden());
    EXPECT_TRUE(program().form.Command18->isHidden());
}

TEST_F(ProgressReset, YesDressesTheWindowForStageMinusOne) {
    answerQuestion(program().form.Command18);
    erase();
    const Program& p = program();
    EXPECT_EQ(p.state.CourseStage, -1);
    EXPECT_EQ(p.state.ScrollPos, 0);
    EXPECT_EQ(p.state.ScrollDelay, 350);
    EXPECT_EQ(p.form.VScroll1->value(), 350);
    EXPECT_EQ(p.form.Label9->text(), "Ascendant");
    EXPECT_EQ(p.form.levelButton(0)->text(), "Key");
    QStringList topics;
    for (int item = 0; item < p.form.Combo1->count(); ++item) topics << p.form.Combo1->itemText(item);
    EXPECT_EQ(topics, (QStringList{"Greetings", "Status"}));
    ASSERT_EQ(p.form.Combo2->count(), 1);
    EXPECT_EQ(p.form.Combo2->itemText(0), "Journal Entry");
    for (int level = 0; level < 8; ++level) {
        EXPECT_TRUE(p.form.levelButton(level)->picture().isNull()) << level;
        EXPECT_TRUE(p.form.levelButton(level)->disabledPicture().isNull()) << level;
    }
    EXPECT_EQ(p.state.SubjectProgress[14][1], "AUTOMATIC LIVING");
    EXPECT_EQ(p.state.SubjectProgress[14][2], "0");
    EXPECT_EQ(p.state.ResetAnswer, 0);
    EXPECT_FALSE(p.state.AskYesNo);
}

TEST_F(ProgressReset, AnOpenPanelClosesWithTorchOffBeforeTheQuestion) {
    torch::ShowTorchDocument(program(), QStringLiteral("Greetings.rtf"), 0);
    answerQuestion(program().form.Command12);
    erase();
    expectScriptPlayed();
    EXPECT_EQ(sys.playedSounds(), (QStringList{"torch-off", "resetyn", "resetn", "torch-on"}));
}

TEST_F(ProgressReset, ASecondEraseClickWhileTheQuestionWaitsIsRefused) {
    clickWhenShown("resetmsg.rtf", program().form.Command19, "erase again");
    sys.script("answer Yes after the refusal", [this] { return shows("resetmsg.rtf") && sys.playedSounds().size() == 2; },
               [this] { QTest::mouseClick(program().form.Command18, Qt::LeftButton); });
    erase();
    expectScriptPlayed();
    EXPECT_EQ(sys.playedSounds(), (QStringList{"resetyn", "resetyn", "resety"}));
    EXPECT_EQ(snapshot(erasedFiles()), starting);
    EXPECT_EQ(readFile(appDir() + "info.ndx.bak"), before[appDir() + "info.ndx"]);
    EXPECT_EQ(program().state.ResetAnswer, 0);
    EXPECT_TRUE(shows("veltrinreset.rtf"));
}

// Another action may close the panel while the question waits; Ask Torch and OK then drop the
// question, and the erase button brings it back for the reset that is still waiting.
TEST_F(ProgressReset, AQuestionDismissedByOkIsAskedAgainByTheEraseButton) {
    Program& p = program();
    sys.script("another action closes the panel", [this] { return shows("resetmsg.rtf"); },
               [&p] { torch::ShowTorchDocument(p, QString(), 0); });
    pressWhenVisible(p.form.Command10, "ask Torch");
    pressOkWhenTorchOpens();
    sys.script("erase again", [&p] { return p.form.Picture2->isHidden(); },
               [&p] { QTest::mouseClick(p.form.Command19, Qt::LeftButton); });
    answerQuestion(p.form.Command12);
    erase();
    expectScriptPlayed();
    EXPECT_TRUE(shows("veltrinnotreset.rtf"));
    EXPECT_EQ(snapshot(erasedFiles() << settingsPath()), before);
    EXPECT_EQ(p.state.ResetAnswer, 0);
    EXPECT_EQ(sys.playedSounds().count("resetyn"), 2);
}

TEST_F(ProgressReset, AFailedCopyErasesNothingAndTellsTheUser) {
    ASSERT_TRUE(QDir().mkpath(appDir() + "info.ndx.bak"));
    answerQuestion(program().form.Command18);
    erase();
    EXPECT_EQ(snapshot(erasedFiles() << settingsPath()), before);
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages.front().contains("info.ndx.bak"));
    EXPECT_EQ(program().state.CourseStage, 9);
    EXPECT_EQ(program().form.Combo1->count(), 4);
    EXPECT_FALSE(program().state.AskYesNo);
    EXPECT_EQ(program().state.ResetAnswer, 0);
}

TEST_F(ProgressReset, AnEraseFailingHalfWayTellsTheUserAndKeepsTheCopies) {
    qint64 copies = 0;
    for (const QString& path : erasedFiles()) copies += before[path].size();
    const qint64 settingsAndSubjects = settingsWithStage("-1\r\n 0\r\n").size() + QByteArray("Journal Entry\r\n").size();
    base::failWritesAfter(copies + settingsAndSubjects);   // the topic list is the first write to fail
    answerQuestion(program().form.Command18);
    erase();
    base::failWritesAfter(-1);
    Files erased = before;
    erased.erase(settingsPath());
    EXPECT_EQ(backups(), erased);
    EXPECT_EQ(readFile(appDir() + "mission.ndx"), starting[appDir() + "mission.ndx"]);
    EXPECT_EQ(readFile(appDir() + "info.ndx"), before[appDir() + "info.ndx"]);
    EXPECT_EQ(readFile(courseDir() + "veltrin.sdb"), before[courseDir() + "veltrin.sdb"]);
    ASSERT_EQ(sys.messages.size(), 1);
    EXPECT_TRUE(sys.messages.front().contains("info.ndx"));
    EXPECT_TRUE(sys.messages.front().contains(".bak"));
    EXPECT_FALSE(program().state.AskYesNo);
    EXPECT_EQ(program().state.ResetAnswer, 0);
}

} // namespace
} // namespace veltrin::test

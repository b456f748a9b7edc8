// The protected journal in the program: turned on from the frame, used through every surface that
// reads or copies the journal, locked when the user is away, and never left in plain text on disk.
#include "journal/Journal.h"
#include "journal/JournalChartWindow.h"
#include "support/CourseFixture.h"
#include "torch/Torch.h"
#include "ui/PresenceWatch.h"

#include "core/JournalSeal.h"
#include "core/JournalStore.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>

namespace veltrin::test {
namespace {

const QByteArray Marker = "quillowmarker";
const QByteArray Passphrase = "correct horse battery";

class JournalLock : public CourseFixture {
protected:
    void SetUp() override {
        writeStartingCourse({"scrollintro.rtf", "introduction.rtf", "er-1.rtf", "resetmsg.rtf", "veltrinreset.rtf", "veltrinnotreset.rtf"});
        writeSettings(-1, 0, 0, 0);
        start();
        click(window().okButton);
        window().show();
    }
    // The user gives `passphrase` whenever asked, and the idle time of five minutes when protecting.
    void answerPassphrase(const QByteArray& passphrase) {
        sys.passphraseAnswer = [this, passphrase](QWidget*, const ui::PassphraseQuestion& question) {
            asked << question.title;
            return ui::PassphraseAnswer{passphrase, question.confirm ? 5 : 0};
        };
    }
    void addEntry(const QString& text) {
        rankSnapshot({3, 5, 2, 4, 1, 1, 4});
        window().entryBox->SetText(text);
        click(window().addEntryButton);
        torch::closeTorchPanel(program(), torch::Silent);
    }
    // Every file under the fixture's folders and the user's runtime folder that holds the marker.
    QStringList filesWithMarker(const QString& root) const {
        QStringList found;
        for (const QString& folder : {root, QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)}) {
            QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
            while (files.hasNext()) {
                const QString path = files.next();
                if (readFile(path).contains(Marker)) found << QDir(root).relativeFilePath(path);
            }
        }
        return found;
    }
    // The real dialog comes up: the user types the passphrase, then a different one (OK stays off),
    // corrects it, sets five minutes and presses OK.
    void protectThroughTheDialog() {
        sys.passphraseAnswer = ui::askWithPassphraseDialog;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [this, &look] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != "passphraseDialog") return;
            look.stop();
            auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QTest::keyClicks(dialog->findChild<QLineEdit*>("passphrase"), Passphrase);
            auto* again = dialog->findChild<QLineEdit*>("passphraseAgain");
            QTest::keyClicks(again, Passphrase + "!");
            okWhileTheyDiffer = ok->isEnabled();
            QTest::keyClick(again, Qt::Key_Backspace);
            auto* minutes = dialog->findChild<QSpinBox*>("lockMinutes");
            minutes->selectAll();
            QTest::keyClicks(minutes, "5");
            click(ok);
        });
        look.start(10);
        click(window().protectJournalButton);
    }
    QStringList asked;
    bool okWhileTheyDiffer = true;
};

QByteArray seededStore(int entries) {
    QByteArray store;
    for (int i = 1; i <= entries; ++i)
        store += (core::journalRecord(QStringLiteral("1/%1/2026 9:00:00 AM").arg(i % 28 + 1), "Rank", "Openness", {1, 2, 3, 4, 5, 1, 2},
                                      QStringLiteral("entry %1 ").arg(i) + Marker) +
                  "\r\n")
                     .toUtf8();
    return store;
}

// A journal of 1,000 entries, an old report and two copies kept by earlier resets: protected from
// the frame, the recovery key is shown once and every plain copy goes, even when the idle time
// cannot be kept (a folder in its file's place, which the user is told). The user then adds an entry,
// reads the report, opens the chart, exports to a file of their choosing and erases the progress
// (keeping a copy): every surface shows the entries, and afterwards no file under the program's
// folders or the runtime folder holds a word of the journal but the export. Left alone for the
// idle time, the journal locks: the frame closes and the key is gone; a wrong passphrase is said
// and opens nothing, the right one opens the frame again, and the recovery key opens the store.
TEST_F(JournalLock, ProtectedJournalLeavesNoPlainWordBehindAndLocksWhenLeftAlone) {
    const QString root = QDir::cleanPath(courseDir() + "..");
    writeFile(storePath(), seededStore(1000));
    writeFile(courseDir() + "Journal Report.rtf", "{\\rtf1 " + Marker + "}");
    writeFile(storePath() + ".bak", seededStore(3));
    writeFile(storePath() + ".2.bak", seededStore(2));
    QDir().mkpath(winDir() + "veltrin-lock.ini");   // the idle time cannot be kept: the rest goes on
    click(window().journalButton);
    protectThroughTheDialog();
    ASSERT_TRUE(core::journalIsSealed(storePath()));
    EXPECT_FALSE(okWhileTheyDiffer);
    const QString keyMessage = sys.messages.value(0);
    const QString recoveryKey = keyMessage.section("Your recovery key:\n\n", 1).section('\n', 0, 0);
    EXPECT_FALSE(recoveryKey.isEmpty()) << keyMessage.toStdString();
    EXPECT_EQ(window().protectJournalButton->text(), "Lock Journal");
    answerPassphrase("never asked");   // the passphrase just chosen opens the journal

    addEntry("the newest " + Marker);
    click(window().viewJournalButton);
    EXPECT_TRUE(window().documentViewer->Text().contains("the newest " + Marker));
    EXPECT_TRUE(window().documentViewer->Text().contains("entry 1000 " + Marker));
    click(window().viewJournalButton);
    click(window().journalChartButton);
    const auto charts = window().findChildren<journal::JournalChartWindow*>();
    ASSERT_EQ(charts.size(), 1);
    EXPECT_EQ(charts[0]->chart().points.size(), 1001u);
    const QString exported = root + "/chosen.csv";
    sys.saveAnswer = [&](QWidget*, const ui::SaveQuestion& question) {
        asked << question.title;
        return ui::SaveAnswer{exported, "CSV (*.csv)"};
    };
    click(window().exportJournalButton);
    EXPECT_EQ(asked, QStringList{"Export Journal (plain text, not protected)"});
    EXPECT_TRUE(readFile(exported).contains("the newest " + Marker));
    pressUnder("resetmsg.rtf", window().yesButton);
    click(window().eraseButton);
    EXPECT_TRUE(QFileInfo::exists(storePath() + ".bak"));
    EXPECT_EQ(filesWithMarker(root), QStringList{"chosen.csv"});
    ASSERT_EQ(sys.messages.size(), 2) << sys.messages.join('\n').toStdString();
    EXPECT_TRUE(sys.messages[1].contains("veltrin-lock.ini")) << sys.messages[1].toStdString();

    ASSERT_TRUE(state().screen.JournalOpen);
    journal::lockJournalWhenIdle(program(), 5 * 60'000 - 1);
    EXPECT_TRUE(state().screen.JournalOpen);
    journal::lockJournalWhenIdle(program(), 5 * 60'000);
    EXPECT_FALSE(state().screen.JournalOpen);
    EXPECT_EQ(program().journalLock.key, std::nullopt);
    answerPassphrase("wrong horse");
    click(window().journalButton);
    EXPECT_FALSE(state().screen.JournalOpen);
    EXPECT_EQ(sys.messages.value(2), "The passphrase is wrong: the journal stays locked.");
    answerPassphrase(Passphrase);
    click(window().journalButton);
    EXPECT_TRUE(state().screen.JournalOpen);
    EXPECT_TRUE(core::unlockJournalWithRecoveryKey(storePath(), recoveryKey).has_value());
}

// The desktop's screensaver, heard on a private session bus, locks the journal: the frame and the
// chart close and the key is wiped.
TEST_F(JournalLock, ScreensaverOnTheSessionBusLocksTheJournal) {
    QProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(bus.waitForReadyRead(5000)) << "dbus-daemon did not start";
    const QString address = QString::fromUtf8(bus.readLine().trimmed());
    writeFile(storePath(), seededStore(2));
    ASSERT_FALSE(core::encryptJournal(storePath(), Passphrase).isEmpty());
    answerPassphrase(Passphrase);
    click(window().journalButton);
    click(window().journalChartButton);
    ASSERT_TRUE(program().journalLock.key.has_value());
    auto* watch = window().findChild<ui::PresenceWatch*>();
    ASSERT_NE(watch, nullptr);
    watch->listen(QDBusConnection::connectToBus(address, "program"), QDBusConnection(QString()));
    QDBusConnection screensaver = QDBusConnection::connectToBus(address, "screensaver");
    screensaver.send(QDBusMessage::createSignal("/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver", "ActiveChanged") << true);
    for (QDeadlineTimer heard(5000); program().journalLock.key && !heard.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(program().journalLock.key.has_value());
    EXPECT_FALSE(state().screen.JournalOpen);
    EXPECT_FALSE(window().findChild<journal::JournalChartWindow*>()->isVisible());
    bus.kill();
    bus.waitForFinished();
}

}   // namespace
}   // namespace veltrin::test

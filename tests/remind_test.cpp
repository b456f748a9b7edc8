// Reminders: a simulated year of clock looks in three zones against an oracle, zone changes, what
// is due from the course's files, the command that sets and clears the timer or autostart entry,
// failed writes, and the built program against a fake notification server on a private bus.
#include "support/Files.h"

#include "base/TextFile.h"
#include "cli/Cli.h"
#include "core/JournalStore.h"
#include "remind/Remind.h"

#include <QBuffer>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <map>

namespace veltrin::test {
namespace {

using namespace Qt::StringLiterals;
using remind::WallClock;

// 02:30 falls in the spring gap and twice in the autumn hour of all three zones.
const QList<QTime> SetTimes{QTime(2, 30), QTime(8, 30), QTime(20, 0)};

// Every minute in [from, to) in `zone`, looking at the clock as the waiting check does; returns the
// instant each set time was reminded of, by occurrence.
std::multimap<std::pair<QDate, QTime>, QDateTime> lookEveryMinute(const QDateTime& from, const QDateTime& to, const QTimeZone& zone,
                                                                  std::optional<WallClock>& handled) {
    std::multimap<std::pair<QDate, QTime>, QDateTime> reminded;
    for (QDateTime at = from.toUTC(); at < to; at = at.addSecs(60)) {
        const std::optional<WallClock> due = remind::dueOccurrence(SetTimes, handled, remind::wallClock(at, zone));
        if (!due) continue;
        reminded.emplace(std::pair(due->date, due->time), at);
        handled = due;
    }
    return reminded;
}

// The oracle: the first minute whose wall clock reaches the set time, walked up to from the noon
// before (a set time in the spring gap has no instant of its own) by hours while two hours on is
// still before it (the clock goes back an hour at most), then by minutes.
QDateTime firstMinuteReaching(const QDate& date, QTime time, const QTimeZone& zone) {
    const auto before = [&](const QDateTime& at) { return remind::wallClock(at, zone) < WallClock{date, time}; };
    QDateTime at = QDateTime(date.addDays(-1), QTime(12, 0), zone).toUTC();
    while (before(at.addSecs(2 * 3600))) at = at.addSecs(3600);
    while (before(at)) at = at.addSecs(60);
    return at;
}

struct ZoneYear {
    const char* name;
    const char* zone;
};

class RemindYear : public ::testing::TestWithParam<ZoneYear> {};

// A year, both summer-time changes: one reminder per set time, in its first minute; three days
// with the machine off give one catch-up at the next look and none of the others.
TEST_P(RemindYear, OncePerSetTimeWithinAMinute) {
    const QTimeZone zone(GetParam().zone);
    ASSERT_TRUE(zone.isValid());
    const QDateTime start(QDate(2026, 1, 1), QTime(0, 0), zone), end(QDate(2027, 1, 1), QTime(0, 0), zone);
    const QDateTime offFrom(QDate(2026, 5, 10), QTime(12, 0), zone), offTo(QDate(2026, 5, 13), QTime(12, 0), zone);
    std::optional<WallClock> handled = WallClock{QDate(2025, 12, 31), QTime(20, 0)};
    auto reminded = lookEveryMinute(start, offFrom, zone, handled);
    const auto afterOutage = lookEveryMinute(offTo, end, zone, handled);
    ASSERT_EQ(afterOutage.begin()->second, offTo);
    EXPECT_EQ(afterOutage.begin()->first, std::pair(QDate(2026, 5, 13), QTime(8, 30)));
    reminded.insert(afterOutage.begin(), afterOutage.end());
    int expected = 0;
    for (QDate day = start.date(); day < end.date(); day = day.addDays(1)) {
        for (const QTime time : SetTimes) {
            const QDateTime due = firstMinuteReaching(day, time, zone);
            const auto [first, last] = reminded.equal_range({day, time});
            if (due >= offFrom && due < offTo) {
                EXPECT_EQ(std::distance(first, last), day == offTo.date() && time == QTime(8, 30) ? 1 : 0) << day.toString().toStdString();
                continue;
            }
            ++expected;
            ASSERT_EQ(std::distance(first, last), 1) << day.toString(Qt::ISODate).toStdString() << " " << time.toString().toStdString();
            EXPECT_EQ(first->second, due) << day.toString(Qt::ISODate).toStdString() << " " << time.toString().toStdString();
        }
    }
    EXPECT_EQ(int(reminded.size()), expected + 1);
}

INSTANTIATE_TEST_SUITE_P(Zones, RemindYear,
                         ::testing::Values(ZoneYear{"Berlin", "Europe/Berlin"}, ZoneYear{"NewYork", "America/New_York"},
                                           ZoneYear{"Sydney", "Australia/Sydney"}),
                         caseName);

// Flying west at 21:00 Berlin finds 20:00 handled (none twice); flying east past 20:00 reminds once, on landing.
TEST(RemindZoneChange, MovesNoneAndDoublesNone) {
    const QTimeZone berlin("Europe/Berlin"), newYork("America/New_York");
    const QDate day(2026, 7, 1);
    for (const auto& [from, to, landing, reminded] : {std::tuple(berlin, newYork, QDateTime(day, QTime(21, 0), berlin), 0),
                                                      std::tuple(newYork, berlin, QDateTime(day, QTime(15, 0), newYork), 1)}) {
        std::optional<WallClock> handled;
        lookEveryMinute(QDateTime(day, QTime(9, 0), from), landing, from, handled);
        const auto after = lookEveryMinute(landing, QDateTime(day.addDays(1), QTime(0, 0), to), to, handled);
        EXPECT_EQ(int(after.size()), reminded);
        for (const auto& [occurrence, at] : after) EXPECT_EQ(at, landing);
    }
}

// A course in a temporary folder, the command line run in-process, and a systemctl of the test's own.
class Reminders : public ::testing::Test {
protected:
    Reminders() {
        for (const char* folder : {"config/veltrin", "torch", "lessons", "sounds", "bin"}) QDir(m_root.path()).mkpath(folder);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
        qputenv("PATH", QFile::encodeName(path("bin")) + ":" + m_path);
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(path("no-bus")));
        writeFile(path("config/veltrin/veltrin3.ini"),
                  (path("torch/") + "\r\n" + path("lessons/") + "\r\n" + path("sounds/") + "\r\n 700\r\n 2\r\n-4345\r\n 0\r\n").toUtf8());
        useSystemctl(0, 0);
    }
    ~Reminders() override {
        qputenv("PATH", m_path);
        failWritesAfter(-1);
    }
    QString path(const QString& name) const { return m_root.filePath(name); }
    QString settingsFile(const QString& name) const { return path("config/veltrin/" + name); }
    // A systemctl that logs its arguments and answers `showEnvironment` (0: a user systemd) and `enable`.
    void useSystemctl(int showEnvironment, int enable) {
        writeFile(path("bin/systemctl"), QStringLiteral("#!/bin/sh\necho \"$*\" >> '%1'\ncase \"$*\" in\n*show-environment*) exit %2;;\n"
                                                        "*enable*) echo 'no bus' >&2; exit %3;;\nesac\n")
                                             .arg(path("systemctl.log"))
                                             .arg(showEnvironment)
                                             .arg(enable)
                                             .toUtf8());
        QFile::setPermissions(path("bin/systemctl"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    int run(const QStringList& arguments) {
        QBuffer out(&(m_out = {})), err(&(m_err = {}));
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        cli::Console console{out, err, path("config/veltrin"), path("documents"), "/opt/My Programs/veltrin"};
        return cli::runCommand(QStringList{"remind"} + arguments, console);
    }
    // status.ndx as a check-point passed yesterday left it.
    void passCheckpointYesterday() {
        QFile status(path("torch/status.ndx"));
        ASSERT_TRUE(status.open(QIODevice::ReadWrite));
        ASSERT_TRUE(status.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    }
    QStringList systemctlCalls() const { return QString::fromUtf8(readFile(path("systemctl.log"))).split('\n', Qt::SkipEmptyParts); }

    QByteArray m_path = qgetenv("PATH");
    QTemporaryDir m_root;
    QByteArray m_out, m_err;
};

// With a user systemd a timer and its service, without one an autostart entry; --off leaves
// nothing of either behind, and no times or state.
TEST_F(Reminders, SetShowAndTurnOff) {
    const Files before = filesUnder(path("config"));
    for (const int systemd : {0, 1}) {
        useSystemctl(systemd, 0);
        ASSERT_EQ(run({"--at", "20:00", "--at=8:30", "--at", "20:00"}), 0) << m_err.toStdString();
        EXPECT_EQ(readFile(settingsFile("veltrin-remind.ini")), "08:30\r\n20:00\r\n");
        EXPECT_TRUE(m_out.startsWith("Reminders at 08:30, 20:00, run by the ")) << m_out.toStdString();
        if (systemd == 0) {
            EXPECT_EQ(readFile(path("config/systemd/user/veltrin-remind.timer")),
                      "[Unit]\nDescription=Veltrin's reminders\n\n[Timer]\nOnCalendar=*-*-* 08:30:00\nOnCalendar=*-*-* 20:00:00\n"
                      "Persistent=true\nAccuracySec=1s\n\n[Install]\nWantedBy=timers.target\n");
            EXPECT_TRUE(readFile(path("config/systemd/user/veltrin-remind.service"))
                            .contains("\nExecStart=\"/opt/My Programs/veltrin\" remind --check\n"));
            EXPECT_TRUE(systemctlCalls().contains("--user enable --now veltrin-remind.timer"));
        } else {
            EXPECT_TRUE(
                readFile(path("config/autostart/veltrin-remind.desktop")).contains("\nExec=\"/opt/My Programs/veltrin\" remind --wait\n"));
            EXPECT_FALSE(base::fileExists(path("config/systemd/user/veltrin-remind.timer")));
        }
        ASSERT_EQ(run({"--off"}), 0) << m_err.toStdString();
        EXPECT_EQ(m_out, "Reminders are off.\n");
        EXPECT_EQ(changedFiles(path("config"), before), QStringList());
    }
    EXPECT_TRUE(systemctlCalls().contains("--user disable --now veltrin-remind.timer"));
    EXPECT_EQ(run({"--at", "24:00"}), 2);
    EXPECT_TRUE(m_err.contains("'24:00'") && m_err.contains("veltrin remind --help")) << m_err.toStdString();
}

// A write that fails, or a timer systemd does not enable, leaves every file as it was, naming the file.
TEST_F(Reminders, FailureLeavesWhatWasThere) {
    useSystemctl(1, 0);
    ASSERT_EQ(run({"--at", "07:00"}), 0);
    const Files before = filesUnder(path("config"));
    failWritesAfter(10);
    EXPECT_EQ(run({"--at", "21:00"}), 1);
    EXPECT_TRUE(m_err.contains(settingsFile("veltrin-remind").toUtf8())) << m_err.toStdString();
    failWritesAfter(-1);
    EXPECT_EQ(changedFiles(path("config"), before), QStringList());
    useSystemctl(0, 1);
    EXPECT_EQ(run({"--at", "21:00"}), 1);
    EXPECT_TRUE(m_err.contains(path("config/systemd/user/veltrin-remind.timer").toUtf8() + ": systemctl --user enable --now"))
        << m_err.toStdString();
    EXPECT_EQ(changedFiles(path("config"), before), QStringList());
}

struct DayCase {
    const char* name;
    bool read;
    bool wrote;
    remind::CheckOutcome outcome;
    QStringList kept;
};

class RemindDay : public Reminders, public ::testing::WithParamInterface<DayCase> {};

// A check-point passed today is status.ndx written today; an entry of today is one dated today.
// Without a notification server the reminder is kept for the program; a done day is passed over.
TEST_P(RemindDay, RemindsOfWhatTheDayHolds) {
    const QDateTime now = QDateTime::currentDateTime();
    writeFile(settingsFile("veltrin-remind.ini"), "00:00\r\n");
    writeFile(settingsFile("veltrin-remind.state"), "handled 2000-01-01 00:00\r\n");
    writeFile(path("torch/status.ndx"), " 1\r\n");
    if (!GetParam().read) passCheckpointYesterday();
    const QString dated = core::chronologyText(now.addDays(GetParam().wrote ? 0 : -1));
    writeFile(path("lessons/veltrin.sdb"), (dated + "~Rank~Openness~~1111111text\r\n").toUtf8());
    remind::Notifier notifier;
    const remind::Places places = remind::userPlaces(path("config/veltrin"), "veltrin");
    EXPECT_EQ(remind::checkNow(places, now, QTimeZone::systemTimeZone(), notifier), GetParam().outcome);
    EXPECT_EQ(remind::readState(path("config/veltrin")), (remind::ReminderState{WallClock{now.date(), QTime(0, 0)}, GetParam().kept}));
    EXPECT_EQ(remind::checkNow(places, now, QTimeZone::systemTimeZone(), notifier), remind::CheckOutcome::NothingDue);
}

INSTANTIATE_TEST_SUITE_P(
    Days, RemindDay,
    ::testing::Values(DayCase{"NothingDone",
                              false,
                              false,
                              remind::CheckOutcome::Kept,
                              {"Level 3 is waiting: you are 40% through", "No journal entry yet today"}},
                      DayCase{"ReadOnly", true, false, remind::CheckOutcome::Kept, {"No journal entry yet today"}},
                      DayCase{"WroteOnly", false, true, remind::CheckOutcome::Kept, {"Level 3 is waiting: you are 40% through"}},
                      DayCase{"Done", true, true, remind::CheckOutcome::DayDone, {}}),
    caseName);

// The desktop's notification server, as the test's own object on a private bus: it records what
// it is sent and picks "Write now" at once.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit FakeNotifications(QDBusConnection bus) : m_bus(bus) {}
    QStringList sent;   // the body's lines, the actions, the desktop entry

public slots:
    uint Notify(const QString&, uint, const QString&, const QString&, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int) {
        sent = body.split('\n') + actions + QStringList{hints.value("desktop-entry").toString()};
        QDBusMessage picked =
            QDBusMessage::createSignal("/org/freedesktop/Notifications", "org.freedesktop.Notifications", "ActionInvoked");
        m_bus.send(picked << uint(7) << QString("write"));
        return 7;
    }

private:
    QDBusConnection m_bus;
};

// The built program's check, on a private session bus: the notification as sent, and "Write now"
// starts the program with the journal frame open (its start-up log says so, with its process id).
TEST_F(Reminders, WriteNowOpensTheJournal) {
    QProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(bus.waitForReadyRead(10000)) << "dbus-daemon did not start";
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    QDBusConnection connection = QDBusConnection::connectToBus(address, "fake-notifications");
    FakeNotifications server(connection);
    ASSERT_TRUE(connection.registerService("org.freedesktop.Notifications"));
    ASSERT_TRUE(connection.registerObject("/org/freedesktop/Notifications", &server, QDBusConnection::ExportAllSlots));
    const QString course = u"" VELTRIN_SAMPLE_COURSE ""_s;
    for (const char* folder : {"torch", "lessons", "sounds"})
        for (const QString& name : QDir(course + "/" + folder).entryList(QDir::Files))
            QFile::copy(course + "/" + folder + "/" + name, path(folder) + "/" + name);
    passCheckpointYesterday();
    writeFile(settingsFile("veltrin-remind.ini"), "00:00\r\n");
    QProcess check;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SESSION_BUS_ADDRESS", address);
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QT_LOGGING_RULES", "veltrin.startup.info=true");
    environment.insert("QT_MESSAGE_PATTERN", "%{pid} %{message}");
    // The window the check starts loads the widgets: it is not among what a library log here checks.
    environment.remove("LD_DEBUG");
    environment.remove("LD_DEBUG_OUTPUT");
    check.setProcessEnvironment(environment);
    // A file, not a pipe: the program started outlives the check and writes on after it has ended.
    check.setStandardErrorFile(path("check.log"));
    check.start(VELTRIN_PROGRAM, {"remind", "--check"});
    QString log;
    const QRegularExpression opened("([0-9]+) journal frame open");
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened.match(log = readFile(path("check.log"))).hasMatch(); }, 60000)) << log.toStdString();
    const qint64 program = opened.match(log).captured(1).toLongLong();
    if (program > 0) ::kill(pid_t(program), SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return check.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(server.sent, QStringList({"Level 3 is waiting: you are 40% through", "No journal entry yet today", "read", "Read now",
                                        "write", "Write now", "veltrin"}));
    bus.kill();
    bus.waitForFinished();
}

}   // namespace
}   // namespace veltrin::test

#include "remind_test.moc"

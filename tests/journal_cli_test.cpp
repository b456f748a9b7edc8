// The journal commands: the store the settings file names or --store, export, search and chart,
// help, wrong command lines and unusable files, the store never written, and the built program
// run without a display.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "cli/Cli.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace veltrin::test {
namespace {

const QByteArray Store = "2026-12-06 09:30:15~Rank~Openness~~3524114The river, calm\\par \nand wide\r\n"
                         "2026-12-08 10:00:00~Rank~Thought~~1111111A thought\r\n"
                         "not an entry\r\n"
                         "undated~Rank~Openness~~5555555Calm again\r\n";

class JournalCommands : public ::testing::Test {
protected:
    JournalCommands() {
        for (const char* folder : {"config", "lessons", "torch", "sounds", "documents"}) QDir(m_root.path()).mkdir(folder);
        writeFile(storePath(), Store);
    }
    QString path(const QString& name) const { return m_root.filePath(name); }
    QString storePath() const { return path("lessons/veltrin.sdb"); }
    static void writeFile(const QString& file, const QByteArray& bytes) { base::rewriteBytes(file, bytes); }
    static QByteArray readFile(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    void writeSettings() {
        writeFile(path("config/veltrin3.ini"),
                  (path("torch/") + "\r\n" + path("lessons/") + "\r\n" + path("sounds/") + "\r\n 700\r\n 3\r\n 0\r\n 0\r\n").toUtf8());
    }
    // Runs `veltrin ARGS`; out and err hold what it wrote.
    int run(const QStringList& arguments) {
        m_out.setData({});
        m_err.setData({});
        m_out.open(QIODevice::WriteOnly);
        m_err.open(QIODevice::WriteOnly);
        cli::Console console{m_out, m_err, path("config"), path("documents")};
        const int status = cli::runCommand(arguments, console);
        m_out.close();
        m_err.close();
        return status;
    }
    QString out() const { return QString::fromUtf8(m_out.data()); }
    QString err() const { return QString::fromUtf8(m_err.data()); }

    QTemporaryDir m_root;
    QBuffer m_out;
    QBuffer m_err;
};

// The settings file names the store; --store overrides it; without either the user is told and
// the status is 1.
TEST_F(JournalCommands, StoreComesFromTheSettingsOrStore) {
    EXPECT_EQ(run({"journal", "export", "--format", "csv"}), 1);
    EXPECT_TRUE(err().contains(path("config/veltrin3.ini")) && err().contains("--store")) << err().toStdString();
    EXPECT_EQ(out(), "");
    writeSettings();
    EXPECT_EQ(run({"journal", "export", "--format", "json"}), 0);
    EXPECT_EQ(QJsonDocument::fromJson(out().toUtf8()).array().size(), 3);
    EXPECT_EQ(err(), QString("veltrin: 1 line(s) of %1 are not journal entries and were passed over\n"
                             "veltrin: 1 entry(ies) of %1 have a chronology that cannot be read as a date\n")
                         .arg(path("lessons/veltrin.sdb")));
    EXPECT_EQ(run({"journal", "export", "--format=csv", "--store", path("missing.sdb")}), 0);
    EXPECT_EQ(out(), "chronology,date,rank,subject,power,health,awareness,holy_connection,inner_feeling,pretending,being_awake,text\r\n");
    EXPECT_EQ(err(), "");
}

// --output writes the file whole (a chart as SVG here, as PNG below); an output that cannot be
// written, or that is the store itself, is one error naming it, status 1; the store is never changed.
TEST_F(JournalCommands, OutputFilesAndTheStoreUntouched) {
    const QByteArray before = QCryptographicHash::hash(readFile(storePath()), QCryptographicHash::Sha256);
    const QStringList store{"--store", storePath()};
    EXPECT_EQ(run(QStringList{"journal", "export", "--format", "md", "--output", path("out.md")} + store), 0);
    EXPECT_TRUE(readFile(path("out.md")).startsWith("## 2026-12-06 09:30:15\n\n- Date: 2026-12-06T09:30:15\n"));
    for (const QString& bad : {path("no/such/folder/out.csv"), path("lessons")}) {
        EXPECT_EQ(run(QStringList{"journal", "export", "--format", "csv", "--output", bad} + store), 1) << bad.toStdString();
        EXPECT_TRUE(err().startsWith("veltrin: " + bad + ": ")) << err().toStdString();
        EXPECT_EQ(err().count('\n'), 1) << err().toStdString();
    }
    for (const QString& itself : {storePath(), path("lessons/../lessons/veltrin.sdb")}) {
        EXPECT_EQ(run(QStringList{"journal", "export", "--format", "csv", "--output", itself} + store), 1);
        EXPECT_TRUE(err().contains("never written")) << err().toStdString();
    }
    EXPECT_EQ(run(QStringList{"journal", "chart", "--output", storePath().chopped(3) + "svg"} + store), 0);
    const QByteArray svg = readFile(storePath().chopped(3) + "svg");
    EXPECT_TRUE(svg.contains("<svg") && svg.contains("Holy Connection") && svg.contains("Being Awake"));
    EXPECT_EQ(QCryptographicHash::hash(readFile(storePath()), QCryptographicHash::Sha256), before);
}

// Help describes every command and option; a wrong command line is named, with status 2.
TEST_F(JournalCommands, HelpAndWrongCommandLines) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_TRUE(out().contains("journal export") && out().contains("journal search") && out().contains("journal chart"));
    EXPECT_EQ(run({"journal", "--help"}), 0);
    EXPECT_TRUE(out().contains("--documents") && out().contains("being_awake"));
    EXPECT_EQ(run({"--store", storePath(), "journal", "export", "--format", "xml"}), 2);
    EXPECT_TRUE(err().contains("--format csv, json or md") && err().contains("veltrin journal --help")) << err().toStdString();
}

// The arguments of each action's Exec line in the desktop file, by the action's name.
QMap<QString, QStringList> desktopActions() {
    QFile file(VELTRIN_TEST_DATA "/../../course/desktop/veltrin.desktop");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QMap<QString, QStringList> actions;
    QString name;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.startsWith("Name=")) name = line.mid(5);
        if (line.startsWith("Exec=veltrin ")) actions[name] = line.mid(13).split(' ');
    }
    return actions;
}

// The desktop actions "Export Journal" and "Journal Chart" write a dated file into the documents
// folder and open it with the desktop's program.
TEST_F(JournalCommands, DesktopActionsWriteIntoDocumentsAndOpen) {
    const QString opened = path("opened.txt");
    writeFile(path("xdg-open"), ("#!/bin/sh\nprintf '%s' \"$1\" > '" + opened + "'\n").toUtf8());
    QFile::setPermissions(path("xdg-open"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", m_root.path().toUtf8() + ":" + oldPath);
    writeSettings();
    const QMap<QString, QStringList> actions = desktopActions();
    ASSERT_EQ(actions.keys(), QStringList({"Export Journal", "Journal Chart"}));
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(run(actions["Export Journal"]), 0) << err().toStdString();
    const QString journal = path("documents/Veltrin Journal " + today + ".md");
    EXPECT_TRUE(readFile(journal).contains("A thought"));
    QTRY_COMPARE_WITH_TIMEOUT(readFile(opened), journal.toUtf8(), 10000);
    EXPECT_EQ(run(actions["Journal Chart"]), 0) << err().toStdString();
    EXPECT_FALSE(QImage(path("documents/Veltrin Journal Chart " + today + ".png")).isNull());
    qputenv("PATH", oldPath);
}

// The built program: the commands without a display, search among them, the settings found in the user's
// settings folder; no command means the program's window (not tried here).
TEST_F(JournalCommands, BuiltProgramRunsWithoutDisplay) {
    writeSettings();
    QDir(path("config")).mkdir("veltrin");
    QFile::copy(path("config/veltrin3.ini"), path("config/veltrin/veltrin3.ini"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    environment.insert("XDG_CONFIG_HOME", path("config"));
    const auto runProgram = [&](const QStringList& arguments) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(VELTRIN_PROGRAM, arguments);
        EXPECT_TRUE(program.waitForFinished(60000));
        return std::pair{program.exitCode(), program.readAllStandardOutput() + program.readAllStandardError()};
    };
    const auto [found, sections] = runProgram({"journal", "search", "CALM"});
    EXPECT_EQ(found, 0);
    EXPECT_TRUE(sections.startsWith("## 2026-12-06 09:30:15\n") && sections.contains("## undated\n") &&
                sections.endsWith("2 entries found\n"))
        << sections.toStdString();
    const auto [status, output] = runProgram({"journal", "export", "--format", "json"});
    EXPECT_EQ(status, 0) << output.toStdString();
    EXPECT_TRUE(output.contains("\"text\": \"The river, calm\\nand wide\""));
    EXPECT_EQ(runProgram({"journal", "chart", "--output", path("process.png")}).first, 0);
    EXPECT_EQ(QImage(path("process.png")).size(), QSize(1200, 600));
}

}   // namespace
}   // namespace veltrin::test

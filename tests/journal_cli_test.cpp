// The journal commands: the store the settings file names or --store, export, search and chart,
// help, wrong command lines and unusable files, the store never written, and the built program
// run without a display.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "cli/Cli.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>

namespace veltrin::test {
namespace {

constexpr char StoreBytes[] = "2026-12-06 09:30:15~Rank~Openness~~3524114The river, calm\\par \nand wide\r\n"
                              "2026-12-08 10:00:00~Rank~Thought~~1111111A thought\r\n"
                              "not an entry\r\n"
                              "undated~Rank~Openness~~5555555Calm\x1b[2J again\0\r\n";
const QByteArray Store(StoreBytes, sizeof(StoreBytes) - 1);

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

// The settings file names the store; --store overrides it; without either, or with a store that
// cannot be read, the user is told which file and the status is 1. An empty store is an empty export.
TEST_F(JournalCommands, StoreComesFromTheSettingsOrStore) {
    EXPECT_EQ(run({"journal", "export", "--format", "csv"}), 1);
    EXPECT_TRUE(err().contains(path("config/veltrin3.ini")) && err().contains("--store")) << err().toStdString();
    EXPECT_EQ(out(), "");
    writeSettings();
    writeFile(path("config/veltrin3.ini").chopped(3) + "txt", "");
    for (const QString& unreadable : {path("missing.sdb"), path("lessons"), path("config/veltrin3.txt/veltrin.sdb"), QString()}) {
        EXPECT_EQ(run({"journal", "search", "calm", "--store", unreadable}), 1) << unreadable.toStdString();
        EXPECT_TRUE(err().startsWith("veltrin: " + (unreadable.isEmpty() ? "--store" : unreadable + ": "))) << err().toStdString();
        EXPECT_EQ(out(), "");
    }
    EXPECT_EQ(run({"journal", "export", "--format=csv", "--output", path("lessons/../lessons/veltrin.sdb")}), 1);
    EXPECT_TRUE(err().contains("never written")) << err().toStdString();
    writeFile(path("empty.sdb"), "");
    EXPECT_EQ(run({"journal", "export", "--format=csv", "--store", path("empty.sdb")}), 0);
    EXPECT_EQ(out(), "chronology,date,rank,subject,power,health,awareness,holy_connection,inner_feeling,pretending,being_awake,text\r\n");
    EXPECT_EQ(err(), "");
}

// Help describes every command and option; a wrong command line is named, with status 2.
TEST_F(JournalCommands, HelpAndWrongCommandLines) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_TRUE(out().contains("journal export") && out().contains("journal search") && out().contains("journal chart"));
    EXPECT_EQ(run({"journal", "--help"}), 0);
    EXPECT_TRUE(out().contains("--documents") && out().contains("being_awake"));
    const std::pair<QString, const char*> wrong[] = {
        {"export --format xml", "--format csv, json or md"},
        {"search calm --from garbage", "--from"},
        {"search calm --from 2026/03/05", "--from"},
        {"chart --output OUT.png --to 2026-03-05junk", "--to"},
        {"search calm --from 2026-03-06 --to 2026-03-05", "--from"},
        {"export --format csv --subject Openness", "--subject"},
        {"search calm --output OUT", "--output"},
        {"search calm --format csv", "--format"},
        {"search calm --open", "--open"},
        {"export --format csv --documents --output OUT", "--documents"},
        {"export --format csv --open", "--open"},
    };
    for (const auto& [arguments, named] : wrong) {
        const QString words = QString(arguments).replace("OUT", path("documents/out.csv"));
        EXPECT_EQ(run(QStringList{"journal", "--store", storePath()} + words.split(' ')), 2) << words.toStdString();
        EXPECT_TRUE(err().contains(named) && err().contains("veltrin journal --help")) << err().toStdString();
        EXPECT_EQ(out(), "");
        EXPECT_EQ(QDir(path("documents")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }
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

// The built program: the commands without a display, search among them, the settings found in the user's
// settings folder; no command means the program's window (not tried here). The command line is the
// program's own (the toolkit's options are words after "--"); nothing is said that was not asked
// for; control characters of the store never reach the terminal; a refused write to standard
// output fails. The desktop actions "Export Journal" and "Journal Chart" write a dated file into the
// documents folder and open it with the desktop's program, which gets the user's environment, not
// the command's.
TEST_F(JournalCommands, BuiltProgramRunsWithoutDisplay) {
    writeSettings();
    QDir(path("config")).mkdir("veltrin");
    QFile::copy(path("config/veltrin3.ini"), path("config/veltrin/veltrin3.ini"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"}) environment.remove(name);
    environment.insert("XDG_CONFIG_HOME", path("config"));
    // xdg-open writes the file it was asked to open, a line, and its environment into opened.txt.
    writeFile(path("xdg-open"), ("#!/bin/sh\n{ printf '%s\\n' \"$1\"; env; } > '" + path("opened.txt") + "'\n").toUtf8());
    QFile::setPermissions(path("xdg-open"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert("PATH", m_root.path() + ":" + environment.value("PATH"));
    const auto opened = [this] { return readFile(path("opened.txt")); };
    environment.insert("HOME", path("home"));   // the documents folder is home/Documents
    const auto runProgram = [&](const QStringList& arguments, const QString& standardOutput = {}) {
        QProcess program;
        program.setProcessEnvironment(environment);
        if (!standardOutput.isEmpty()) program.setStandardOutputFile(standardOutput);
        program.start(VELTRIN_PROGRAM, arguments);
        EXPECT_TRUE(program.waitForFinished(60000));
        return std::pair{program.exitCode(), program.readAllStandardOutput() + program.readAllStandardError()};
    };
    const QByteArray passedOver = "veltrin: 1 line(s) of " + storePath().toUtf8() + " are not journal entries and were passed over\n";
    const auto [found, sections] = runProgram({"journal", "search", "CALM"});
    EXPECT_EQ(found, 0);
    EXPECT_TRUE(sections.startsWith("## 2026-12-06 09:30:15\n") && sections.contains("## undated\n") &&
                sections.contains("Calm\xef\xbf\xbd[2J again\xef\xbf\xbd\n") && !sections.contains('\x1b') && !sections.contains('\0') &&
                sections.endsWith(passedOver + "2 entries found\n"))
        << sections.toStdString();
    for (const QStringList& words : {QStringList{"-reverse"}, QStringList{"-platform", "xcb"}})
        EXPECT_EQ(runProgram(QStringList{"journal", "search", "--"} + words), std::pair(0, passedOver + "0 entries found\n"));
    const auto [status, output] = runProgram({"journal", "export", "--format", "json"});
    EXPECT_EQ(status, 0) << output.toStdString();
    EXPECT_TRUE(output.contains("\"text\": \"The river, calm\\nand wide\"") && output.contains("\"Calm\\u001b[2J again\\u0000\""));
    const QMap<QString, QStringList> actions = desktopActions();
    ASSERT_EQ(actions.keys(), QStringList({"Export Journal", "Journal Chart"}));
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    for (const QString& written : {"Veltrin Journal " + today + ".md", "Veltrin Journal Chart " + today + ".png"}) {
        EXPECT_EQ(runProgram(actions[written.contains("Chart") ? "Journal Chart" : "Export Journal"]), std::pair(0, passedOver));
        QTRY_VERIFY_WITH_TIMEOUT(opened().startsWith(path("home/Documents/" + written).toUtf8() + "\n"), 10000);
        EXPECT_FALSE(opened().contains("QT_QPA_PLATFORM=") || opened().contains("XDG_RUNTIME_DIR=")) << opened().toStdString();
    }
    EXPECT_TRUE(readFile(path("home/Documents/Veltrin Journal " + today + ".md")).contains("A thought"));
    EXPECT_EQ(QImage(path("home/Documents/Veltrin Journal Chart " + today + ".png")).size(), QSize(1200, 600));
    for (const QStringList& arguments :
         {QStringList{"journal", "export", "--format", "csv"}, QStringList{"journal", "search", "calm"}, QStringList{"journal", "--help"}})
        EXPECT_EQ(runProgram(arguments, "/dev/full").first, 1) << arguments.join(' ').toStdString();
    EXPECT_TRUE(runProgram({"--help"}, "/dev/full").second.startsWith("veltrin: standard output: "));
}

}   // namespace
}   // namespace veltrin::test

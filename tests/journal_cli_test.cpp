// The journal commands: the store the settings file names or --store, export, search and chart,
// help, wrong command lines and unusable files, the store never written, and the built program
// run without a display.
#include "support/CourseFixture.h"

#include "base/TextFile.h"
#include "cli/Cli.h"
#include "journal/JournalExport.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace veltrin::test {
namespace {

using namespace Qt::StringLiterals;

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
    EXPECT_EQ(err(), QString("veltrin: 1 line(s) of %1 are not journal entries and were passed over\n").arg(path("lessons/veltrin.sdb")));
    EXPECT_EQ(run({"journal", "export", "--format=csv", "--store", path("missing.sdb")}), 0);
    EXPECT_EQ(out(), "chronology,date,rank,subject,power,health,awareness,holy_connection,inner_feeling,pretending,being_awake,text\r\n");
    EXPECT_EQ(err(), "");
}

// --output writes the file whole (charts in the tables below); an output that cannot be
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
    EXPECT_EQ(QCryptographicHash::hash(readFile(storePath()), QCryptographicHash::Sha256), before);
}

// Help describes every command and option; a wrong command line is named, with status 2.
TEST_F(JournalCommands, HelpAndWrongCommandLines) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_TRUE(out().contains("journal export") && out().contains("journal search") && out().contains("journal chart"));
    EXPECT_EQ(run({"journal", "--help"}), 0);
    EXPECT_TRUE(out().contains("--documents") && out().contains("being_awake"));
    EXPECT_TRUE(out().contains("--raw-csv") && out().contains("apostrophe")) << out().toStdString();
    EXPECT_EQ(run({"--store", storePath(), "journal", "export", "--format", "xml"}), 2);
    EXPECT_TRUE(err().contains("--format csv, json or md") && err().contains("veltrin journal --help")) << err().toStdString();
    for (const QStringList& notCsv : {QStringList{"export", "--format", "json"}, QStringList{"search", "calm"}, QStringList{"chart"}}) {
        EXPECT_EQ(run(QStringList{"journal"} + notCsv + QStringList{"--raw-csv", "--store", storePath(), "--output", path("x.png")}), 2);
        EXPECT_TRUE(err().contains("--raw-csv is only for export --format csv")) << err().toStdString();
    }
}

// A chart of one undated entry numbers that entry alone on its axis.
TEST_F(JournalCommands, OneEntryChartNamesOnlyThatEntry) {
    writeFile(storePath(), "undated~Rank~S~~3524114x\r\n");
    ASSERT_EQ(run({"journal", "chart", "--output", path("one.svg"), "--store", storePath()}), 0) << err().toStdString();
    QStringList labels;
    for (const auto& match : QRegularExpression(">([^<>]*)</text>").globalMatch(QString::fromUtf8(readFile(path("one.svg")))))
        labels << match.captured(1);
    EXPECT_EQ(labels.mid(1, 7), QStringList({"1", "2", "3", "4", "5", "1", "Entry"}));
}

// Runs a program and returns what it prints.
QByteArray printed(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

// A store as outside edits, other programs and the fuzzers leave it (formulas, Markdown of every
// kind, typed "\par", NUL and ESC, Windows-1252, a long line, CR-only ends, quotes and commas), and
// each entry's fields as every export must give them back: the text as typed.
const QString HostileData = u"" VELTRIN_TEST_DATA "/journal/hostile"_s;
std::vector<QStringList> hostileEntries() {
    std::vector<QStringList> entries;
    for (const QJsonValue entry : QJsonDocument::fromJson(base::readBytes(HostileData + ".json")).array())
        entries.push_back(entry.toVariant().toStringList());
    return entries;
}

QString guarded(const QString& cell) { return !cell.isEmpty() && u"=+-@\t\r"_s.contains(cell[0]) ? "'" + cell : cell; }

// Python's own readers make rows of the file's field texts, ratings as text.
const QString PythonCsv = u"import csv, json, sys; csv.field_size_limit(1 << 24); "
                          "json.dump(list(csv.reader(open(sys.argv[1], newline='', encoding='utf-8')))[1:], sys.stdout)"_s;
const QString PythonJson = u"import json, sys; json.dump([['' if v is None else str(v) for v in e.values()] "
                           "for e in json.load(open(sys.argv[1], encoding='utf-8'))], sys.stdout)"_s;

void expectRows(const QString& python, const QString& file, bool guardedCells) {
    std::vector<QStringList> rows;
    for (const QJsonValue row : QJsonDocument::fromJson(printed(u"python3"_s, {u"-c"_s, python, file})).array())
        rows.push_back(row.toVariant().toStringList());
    std::vector<QStringList> expected = hostileEntries();
    for (QStringList& fields : expected)
        if (guardedCells) std::transform(fields.begin(), fields.end(), fields.begin(), guarded);
    EXPECT_EQ(rows, expected);
}

// CommonMark's XML of the export: the top-level blocks in order, each with its text, hard line
// breaks as LF and any other inline markup as "<element>".
std::vector<std::pair<QString, QString>> commonMarkBlocks(const QByteArray& xml) {
    std::vector<std::pair<QString, QString>> blocks;
    QXmlStreamReader reader(xml);
    QStringList open;
    while (!reader.atEnd()) {
        reader.readNext();
        const QString name = reader.name().toString();
        if (reader.isStartElement() && open.size() == 1) blocks.push_back({name, {}});
        else if (reader.isStartElement() && name == "linebreak"_L1) blocks.back().second += '\n';
        else if (reader.isStartElement() && open.size() > 1 && !QStringList{"text", "item", "paragraph"}.contains(name))
            blocks.back().second += "<" + name + ">";
        else if (reader.isCharacters() && !open.isEmpty() && open.last() == "text"_L1) blocks.back().second += reader.text();
        if (reader.isStartElement()) open << name;
        if (reader.isEndElement()) open.removeLast();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return blocks;
}

// A CommonMark parser (and its XML) shows NUL and the other control characters as U+FFFD.
QString asCommonMarkShows(QString text) {
    for (QChar& c : text)
        if (c.unicode() < 0x20 && c != '\n'_L1 && c != '\t'_L1) c = QChar::ReplacementCharacter;
    return text;
}

// Every entry is one section: its heading, its list of fields and its text as typed.
void expectMarkdownSections(const QString& file) {
    const auto blocks = commonMarkBlocks(printed(u"cmark"_s, {u"-t"_s, u"xml"_s, file}));
    std::vector<std::pair<QString, QString>> expected;
    for (const QStringList& e : hostileEntries()) {
        const QString fields = "Date: " + (e[1].isEmpty() ? "unknown" : e[1]) + "Rank: " + e[2] + ("Subject: " + e[3]).trimmed();
        expected.insert(expected.end(), {{"heading", e[0]}, {"list", fields}, {"paragraph", e[11]}});
    }
    ASSERT_EQ(blocks.size(), expected.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const QString shown = asCommonMarkShows(expected[i].second);   // of the list, its first fields
        EXPECT_EQ(blocks[i].first, expected[i].first) << i;
        EXPECT_EQ(expected[i].first == "list" ? blocks[i].second.left(shown.size()) : blocks[i].second, shown) << i;
    }
}

void expectPictureOfChartSize(const QString& png) { EXPECT_EQ(QImage(png).size(), QSize(1200, 600)) << png.toStdString(); }

struct HostileOutput {
    const char* name;
    QStringList arguments;
    std::function<void(const QString& file)> check;
};
void PrintTo(const HostileOutput& output, std::ostream* os) { *os << output.name; }

class HostileStore : public JournalCommands, public ::testing::WithParamInterface<HostileOutput> {};

// The hostile store through every output, each read back by a parser of its kind. The SVG is
// drawn at its size in pixels.
TEST_P(HostileStore, ParsersReadEveryEntryAsTyped) {
    writeFile(storePath(), base::readBytes(HostileData + ".sdb"));
    const QString file = path("out." + GetParam().arguments.constLast());
    ASSERT_EQ(run(QStringList{"journal"} + GetParam().arguments.mid(0, GetParam().arguments.size() - 1) +
                  QStringList{"--output", file, "--store", storePath()}),
              0)
        << err().toStdString();
    GetParam().check(file);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFormat, HostileStore,
    ::testing::Values(
        HostileOutput{"Csv", {"export", "--format", "csv", "csv"}, [](const QString& f) { expectRows(PythonCsv, f, true); }},
        HostileOutput{
            "RawCsv", {"export", "--format", "csv", "--raw-csv", "csv"}, [](const QString& f) { expectRows(PythonCsv, f, false); }},
        HostileOutput{"Json", {"export", "--format", "json", "json"}, [](const QString& f) { expectRows(PythonJson, f, false); }},
        HostileOutput{"Markdown", {"export", "--format", "md", "md"}, expectMarkdownSections},
        HostileOutput{"Png", {"chart", "png"}, expectPictureOfChartSize},
        HostileOutput{"Svg",
                      {"chart", "svg"},
                      [](const QString& f) {
                          printed(u"rsvg-convert"_s, {u"-o"_s, f + ".png", f});
                          expectPictureOfChartSize(f + ".png");
                      }}),
    [](const auto& info) { return std::string(info.param.name); });

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

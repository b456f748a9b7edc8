// The journal commands: the store the settings file names or --store, export, search, chart and
// stats, help, wrong command lines and unusable files, the store never written, and the built
// program run without a display.
#include "support/Files.h"

#include "base/TextFile.h"
#include "cli/Cli.h"
#include "core/JournalExport.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace veltrin::test {
namespace {

using namespace Qt::StringLiterals;

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
    void writeSettings() {
        writeFile(path("config/veltrin3.ini"),
                  (path("torch/") + "\r\n" + path("lessons/") + "\r\n" + path("sounds/") + "\r\n 700\r\n 3\r\n 0\r\n 0\r\n").toUtf8());
    }
    // Runs `veltrin ARGS` with `input` as a script's standard input; out and err hold what it wrote.
    int run(const QStringList& arguments, QByteArray input = {}) {
        QBuffer out(&(m_out = {})), err(&(m_err = {})), in(&input);
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        in.open(QIODevice::ReadOnly);
        cli::Console console{out, err, path("config"), path("documents")};
        console.in = &in;
        return cli::runCommand(arguments, console);
    }
    QString out() const { return QString::fromUtf8(m_out); }
    QString err() const { return QString::fromUtf8(m_err); }

    QTemporaryDir m_root;
    QByteArray m_out;
    QByteArray m_err;
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
    EXPECT_TRUE(out().contains("--raw-csv") && out().contains("apostrophe")) << out().toStdString();
    EXPECT_TRUE(out().contains("encrypt") && out().contains("--recovery-key") && out().contains("no one can read")) << out().toStdString();
    EXPECT_TRUE(out().contains("journal stats") && out().contains("29 February") && out().contains("31 March")) << out().toStdString();
    const std::pair<QString, const char*> wrong[] = {
        {"export --format xml", "--format csv, json, md or pdf"},
        {"stats --format csv", "--format text or json"},
        {"stats --output OUT", "--output"},
        {"search calm --from garbage", "--from"},
        {"search calm --from 2026/03/05", "--from"},
        {"chart --output OUT.png --to 2026-03-05junk", "--to"},
        {"search calm --from 2026-03-06 --to 2026-03-05", "--from"},
        {"export --format csv --subject Openness", "--subject"},
        {"search calm --output OUT", "--output"},
        {"export --format csv --documents --output OUT", "--documents"},
        {"export --format csv --open", "--open"},
        {"export --format json --raw-csv", "--raw-csv"},
    };
    for (const auto& [arguments, named] : wrong) {
        const QString words = QString(arguments).replace("OUT", path("documents/out.csv"));
        EXPECT_EQ(run(QStringList{"journal", "--store", storePath()} + words.split(' ')), 2) << words.toStdString();
        EXPECT_TRUE(err().contains(named) && err().contains("veltrin journal --help")) << err().toStdString();
        EXPECT_EQ(out(), "");
        EXPECT_EQ(QDir(path("documents")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }
}

// The commands on a sealed store read each passphrase as a line of standard input, never from an
// argument: encrypt prints the recovery key and removes the plain copies beside the store (the
// report, the reset's copies, nothing else), a wrong passphrase says so and reads nothing, export,
// search and chart read the entries, passwd takes the old and the new, and decrypt with the
// recovery key gives every byte back.
TEST_F(JournalCommands, SealedStoreReadsPassphrasesFromInput) {
    const QStringList store{"--store", storePath()};
    const QString plainCsv = (run(QStringList{"journal", "export", "--format", "csv"} + store), out());
    EXPECT_EQ(run(QStringList{"journal", "encrypt", "--passphrase", "x"} + store, "x\n"), 2);
    EXPECT_EQ(run(QStringList{"journal", "encrypt"} + store, "\n"), 1);
    EXPECT_TRUE(err().contains("empty")) << err().toStdString();
    const QDir folder = QFileInfo(storePath()).dir();
    for (const char* copy : {"Journal Report.rtf", "veltrin.sdb.bak", "veltrin.sdb.3.bak", "veltrin.sdb.keep"})
        writeFile(folder.filePath(copy), "river");
    ASSERT_EQ(run(QStringList{"journal", "encrypt"} + store, "first pass\r\n"), 0) << err().toStdString();
    EXPECT_EQ(folder.entryList(QDir::Files), QStringList({"veltrin.sdb", "veltrin.sdb.keep", "veltrin.sdb.key"}));
    const QString recoveryKey = out().trimmed();
    EXPECT_TRUE(QRegularExpression("^([A-Z2-7]{4}-){7}[A-Z2-7]{4}$").match(recoveryKey).hasMatch()) << recoveryKey.toStdString();
    EXPECT_FALSE(readFile(storePath()).contains("river"));
    EXPECT_EQ(run(QStringList{"journal", "encrypt"} + store, "first pass\n"), 1);
    EXPECT_TRUE(err().contains("encrypted already")) << err().toStdString();

    EXPECT_EQ(run(QStringList{"journal", "export", "--format", "csv"} + store, "wrong\n"), 1);
    EXPECT_EQ(err(), "veltrin: wrong passphrase for " + storePath() + "\n");
    EXPECT_EQ(out(), "");
    EXPECT_EQ(run(QStringList{"journal", "export", "--format", "csv"} + store), 1);
    EXPECT_TRUE(err().contains("input ended")) << err().toStdString();
    EXPECT_EQ(run(QStringList{"journal", "export", "--format", "csv"} + store, "first pass\n"), 0) << err().toStdString();
    EXPECT_EQ(out(), plainCsv);
    EXPECT_EQ(run(QStringList{"journal", "search", "river"} + store, "first pass\n"), 0);
    EXPECT_TRUE(out().contains("The river") && err().endsWith("1 entry found\n")) << err().toStdString();
    EXPECT_EQ(run(QStringList{"journal", "chart", "--output", path("c.svg")} + store, "first pass\n"), 0) << err().toStdString();

    EXPECT_EQ(run(QStringList{"journal", "passwd"} + store, "first pass\nsecond pass\n"), 0) << err().toStdString();
    EXPECT_EQ(run(QStringList{"journal", "search", "river"} + store, "first pass\n"), 1);
    QByteArray sealed = readFile(storePath());
    sealed[sealed.indexOf("\r\n") + 12] ^= 1;   // damages the second record
    writeFile(storePath(), sealed);
    EXPECT_EQ(run(QStringList{"journal", "export", "--format", "csv"} + store, "second pass\n"), 1);
    EXPECT_TRUE(err().contains("record 2 of " + storePath() + " is damaged")) << err().toStdString();
    EXPECT_TRUE(out().contains("The river") && !out().contains("A thought")) << out().toStdString();
    sealed[sealed.indexOf("\r\n") + 12] ^= 1;
    writeFile(storePath(), sealed);
    EXPECT_EQ(run(QStringList{"journal", "decrypt", "--recovery-key"} + store, "second pass\n"), 1);
    EXPECT_TRUE(err().contains("wrong recovery key")) << err().toStdString();
    EXPECT_EQ(run(QStringList{"journal", "decrypt", "--recovery-key"} + store, recoveryKey.toLower().toUtf8() + "\n"), 0)
        << err().toStdString();
    EXPECT_EQ(readFile(storePath()), Store);
    EXPECT_EQ(run(QStringList{"journal", "passwd"} + store, "a\nb\n"), 1);
    EXPECT_TRUE(err().contains("not encrypted")) << err().toStdString();
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

// Stats as seen today, as text and as JSON: an entry of this day four years ago (a leap day has
// one then too) is recalled, and today with yesterday is a streak of two.
TEST_F(JournalCommands, StatsSeeTheJournalFromToday) {
    const QDate today = QDate::currentDate();
    const auto record = [](const QDate& day, const char* text) {
        return core::journalRecord(core::chronologyText(QDateTime(day, QTime(9, 0))), "R", "Openness", {3, 5, 2, 4, 1, 1, 4}, text);
    };
    writeFile(storePath(), crlfLines({record(today.addYears(-4), "Four years\\par \nago"), record(today.addDays(-1), "yesterday"),
                                      record(today, "and today")}));
    ASSERT_EQ(run({"journal", "stats", "--store", storePath(), "--format", "json"}), 0) << err().toStdString();
    const QJsonObject stats = QJsonDocument::fromJson(m_out).object();
    EXPECT_EQ(std::tuple(stats["entries"].toInt(), stats["words"].toInt(), stats["current_streak"]["days"].toInt()), std::tuple(3, 6, 2));
    EXPECT_EQ(stats["on_this_day"][0]["text"].toString(), "Four years\nago");
    EXPECT_EQ(stats["weekdays"][today.dayOfWeek() - 1]["averages"]["being_awake"].toDouble(), 4.0);
    ASSERT_EQ(run({"journal", "stats", "--store", storePath()}), 0);
    EXPECT_TRUE(out().contains("Current streak:     2 days, " + today.addDays(-1).toString(Qt::ISODate)) &&
                out().contains(", 4 years ago: ") && out().contains("    Four years\n    ago\n"))
        << out().toStdString();
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

// Every entry is one section: its heading, its list of fields (the snapshot by name) and its text
// as typed.
void expectMarkdownSections(const QString& file) {
    const auto blocks = commonMarkBlocks(printed(u"cmark"_s, {u"-t"_s, u"xml"_s, file}));
    const QStringList labels{"Date",          "Rank",       "Subject",    "Power", "Health", "Awareness", "Holy Connection",
                             "Inner Feeling", "Pretending", "Being Awake"};
    std::vector<std::pair<QString, QString>> expected;
    for (const QStringList& e : hostileEntries()) {
        QString fields;
        for (qsizetype field = 0; field < labels.size(); ++field) {
            const QString value = e[field + 1].isEmpty() && field != 2 ? (field == 0 ? "unknown" : "not rated") : e[field + 1];
            fields += (labels[field] + ": " + value).trimmed();
        }
        expected.insert(expected.end(), {{"heading", e[0]}, {"list", fields}, {"paragraph", e[11]}});
    }
    ASSERT_EQ(blocks.size(), expected.size());
    for (std::size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(blocks[i], std::pair(expected[i].first, asCommonMarkShows(expected[i].second))) << i;
}

// Every entry's text is in the PDF's text as typed, blanks and control characters aside; the pages'
// headings are left out.
void expectPdfTexts(const QString& file) {
    const auto bare = [](QString text) {
        text.remove(QRegularExpression(u"Veltrin Journal\\s*Page \\d+"_s));
        text.removeIf([](QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; });
        return text;
    };
    const QString pdfText = bare(QString::fromUtf8(printed(u"pdftotext"_s, {u"-raw"_s, file, u"-"_s})));
    for (const QStringList& entry : hostileEntries()) EXPECT_TRUE(pdfText.contains(bare(entry[11]))) << entry[11].left(80).toStdString();
}

// The hostile store through every output, each read back by a parser of its kind. The SVG is
// drawn at its size in pixels.
TEST_F(JournalCommands, HostileStoreComesBackAsTypedFromEveryOutput) {
    writeFile(storePath(), base::readBytes(HostileData + ".sdb"));
    const std::tuple<const char*, const char*, std::function<void(const QString& file)>> outputs[] = {
        {"export --format csv", "csv", [](const QString& f) { expectRows(PythonCsv, f, true); }},
        {"export --format csv --raw-csv", "csv", [](const QString& f) { expectRows(PythonCsv, f, false); }},
        {"export --format json", "json", [](const QString& f) { expectRows(PythonJson, f, false); }},
        {"export --format md", "md", expectMarkdownSections},
        {"export --format pdf", "pdf", expectPdfTexts},
        {"chart", "svg",
         [](const QString& f) {
             printed(u"rsvg-convert"_s, {u"-o"_s, f + ".png", f});
             EXPECT_EQ(QImage(f + ".png").size(), QSize(1200, 600));
         }},
    };
    for (const auto& [command, extension, check] : outputs) {
        SCOPED_TRACE(command);
        const QString file = path(u"out."_s + extension);
        ASSERT_EQ(run(("journal " + QString(command)).split(' ') + QStringList{"--output", file, "--store", storePath()}), 0)
            << err().toStdString();
        check(file);
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
    const QByteArray store = storePath().toUtf8();
    const QByteArray passedOver = "veltrin: 1 line(s) of " + store + " are not journal entries and were passed over\nveltrin: 1 entry of " +
                                  store + " has a chronology that cannot be read as a date\n";
    const auto [found, sections] = runProgram({"journal", "search", "CALM"});
    EXPECT_EQ(found, 0);
    EXPECT_TRUE(sections.startsWith("## 2026-12-06 09:30:15\n") && sections.contains("## undated\n") &&
                sections.contains("Calm\xef\xbf\xbd\\[2J again\xef\xbf\xbd\n") && !sections.contains('\x1b') && !sections.contains('\0') &&
                sections.endsWith(passedOver + "2 entries found\n"))
        << sections.toStdString();
    for (const QStringList& words : {QStringList{"-reverse"}, QStringList{"-platform", "xcb"}})
        EXPECT_EQ(runProgram(QStringList{"journal", "search", "--"} + words), std::pair(0, passedOver + "0 entries found\n"));
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

// Damaged stored files at start-up: each file missing, empty, cut off, garbage, with a 1 MB line or
// with a line written in Windows-1252. The program starts on what it can read, or refuses with the
// settings file's line; it never rewrites a damaged file by itself. The journal report is then
// written from the records that can still be read.
#include "support/CourseFixture.h"

#include <algorithm>

namespace veltrin::test {
namespace {

enum class Damage { Missing, Empty, Truncated, Garbage, LongLine, Windows1252 };
enum class Folder { Windows, App, Course };

// `firstValueKept`: what the first line holds, read as the program reads it; `list`: the list the file
// fills, if any.
struct StoredFile {
    const char* name;
    Folder folder;
    bool (*firstValueKept)(const Program&);
    QComboBox* ui::MainWindow::*list;
};

QString listItem(const QComboBox& list, int index) { return index < list.count() ? list.itemText(index) : QString(); }

const StoredFile StoredFiles[] = {
    {"veltrin3.ini", Folder::Windows, [](const Program& p) { return p.state.settings.AppDir.endsWith("/torch/"); }, nullptr},
    {"info.ndx", Folder::App, [](const Program& p) { return listItem(*p.window.topicList, 0) == "Greetings"; }, &ui::MainWindow::topicList},
    {"mission.ndx", Folder::App, [](const Program& p) { return listItem(*p.window.subjectBox, 0) == "Journal Entry"; },
     &ui::MainWindow::subjectBox},
    {"status.ndx", Folder::App, [](const Program& p) { return p.state.StageCounters[core::CheckpointsPassed][0] == 7; }, nullptr},
    {"work.ndx", Folder::App, [](const Program& p) { return p.state.SubjectProgress[1].count == "5"; }, nullptr},
    {"veltrin.sdb", Folder::Course, [](const Program&) { return true; }, nullptr},   // read by the report only
};

const QByteArray FirstRecord = "6.12.2026 09:30:15~Level One~OPENNESS~~3524114First entry";

// Bytes no text editor writes: every value, with CR, LF and NUL among them.
QByteArray garbage() {
    QByteArray bytes(4096, 0);
    std::uint32_t seed = 12345;
    for (char& byte : bytes) byte = char((seed = seed * 1103515245u + 12345u) >> 24);
    return bytes;
}

QByteArray withLastLine(QByteArray bytes, const QByteArray& line) {
    bytes.chop(2);
    return bytes.left(bytes.lastIndexOf("\r\n") + 2) + line + "\r\n";
}

class BadInput : public CourseFixture, public ::testing::WithParamInterface<std::tuple<StoredFile, Damage>> {
protected:
    void SetUp() override {
        writeStartingCourse();
        writeSettings(2, -40);
        writeLines(appDir() + "mission.ndx", {"Journal Entry", "Openness", "Thought"});
        writeLines(appDir() + "status.ndx", QStringList{" 7"} + QStringList(44, " 0"));
        writeFile(appDir() + "work.ndx", readFile(appDir() + "work.ndx").replace("OPENNESS\r\n0\r\n", "OPENNESS\r\n5\r\n"));
        writeFile(courseDir() + "veltrin.sdb", FirstRecord + "\r\n7.12.2026 10:00:00~Level One~Journal Entry~~1111111Second\r\n");
    }

    QString pathOf(const StoredFile& file) const {
        const QString folder = file.folder == Folder::Windows ? winDir() : file.folder == Folder::App ? appDir() : courseDir();
        return folder + file.name;
    }

    void damage(const QString& path, Damage kind) {
        const QByteArray bytes = readFile(path);
        switch (kind) {
        case Damage::Missing: QFile::remove(path); return;
        case Damage::Empty: writeFile(path, {}); return;
        case Damage::Truncated: writeFile(path, bytes.left(bytes.size() / 2 + 1)); return;
        case Damage::Garbage: writeFile(path, garbage()); return;
        case Damage::LongLine: writeFile(path, withLastLine(bytes, QByteArray(1 << 20, '7'))); return;
        case Damage::Windows1252: writeFile(path, bytes + "Caf\xe9 cr\xe8me\r\n"); return;
        }
    }

    // The journal report as the user opens it.
    QByteArray openReport() {
        if (!window().torchPanel->isHidden()) click(window().okButton);
        click(window().journalButton);
        click(window().viewJournalButton);
        return readFile(courseDir() + "Journal Report.rtf");
    }
};

TEST_P(BadInput, StartsOnWhatItCanReadOrRefusesAndNeverRewritesTheFile) {
    const auto [file, kind] = GetParam();
    const bool settings = file.folder == Folder::Windows;
    damage(pathOf(file), kind);
    const auto before = allFiles();
    bool ended = false;
    try {
        start();
    } catch (const ProgramEnded&) { ended = true; }

    const bool firstRun = settings && kind == Damage::Missing;
    for (const QString& path : changedFiles(before)) EXPECT_TRUE(firstRun && !before.contains(path)) << path.toStdString();
    const bool refused = settings && (kind == Damage::Empty || kind == Damage::Truncated || kind == Damage::Garbage);
    ASSERT_EQ(ended, refused) << sys.messages.join("\n").toStdString();
    if (refused) {
        ASSERT_EQ(sys.messages.size(), 1);
        EXPECT_TRUE(sys.messages[0].contains(pathOf(file)) && sys.messages[0].contains("line ")) << sys.messages[0].toStdString();
        return;
    }
    const bool firstRecordKept = kind == Damage::Truncated || kind == Damage::LongLine || kind == Damage::Windows1252;
    if (firstRecordKept) { EXPECT_TRUE(file.firstValueKept(program())); }
    if (kind == Damage::Windows1252 && file.list) {
        const QComboBox& list = *(program().window.*file.list);
        EXPECT_EQ(listItem(list, list.count() - 1), QString::fromUtf8("Caf\u00e9 cr\u00e8me"));
    }
    if (QLatin1String(file.name) != QLatin1String("veltrin.sdb")) return;
    const QByteArray report = openReport();
    EXPECT_TRUE(report.endsWith("}\r\n"));
    EXPECT_EQ(report.contains("First entry"), firstRecordKept);
    EXPECT_EQ(report.contains("Second"), kind == Damage::Windows1252);
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<StoredFile, Damage>>& info) {
    static const char* const damages[] = {"Missing", "Empty", "Truncated", "Garbage", "LongLine", "Windows1252"};
    std::string file = std::get<0>(info.param).name;
    std::replace(file.begin(), file.end(), '.', '_');
    return file + "_" + damages[int(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(StoredFiles, BadInput,
                         ::testing::Combine(::testing::ValuesIn(StoredFiles),
                                            ::testing::Values(Damage::Missing, Damage::Empty, Damage::Truncated, Damage::Garbage,
                                                              Damage::LongLine, Damage::Windows1252)),
                         caseName);

}   // namespace
}   // namespace veltrin::test

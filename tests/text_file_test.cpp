// Classic text files byte for byte: line ends, encodings, the atomic rewrite, the all-or-nothing
// append, and the errors that name the file.
#include "base/FileError.h"
#include "base/LineStream.h"
#include "base/TextFile.h"
#include "support/Files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace veltrin::base;
using veltrin::test::failWritesAfter;
using veltrin::test::readFile;
using veltrin::test::writeFile;

namespace {

// The path of the FileError the action throws; empty, and a failure, when it throws none.
template <class Action>
QString failingPath(Action action) {
    try {
        action();
    } catch (const FileError& error) {
        EXPECT_FALSE(error.reason().isEmpty());
        EXPECT_TRUE(QString::fromUtf8(error.what()).startsWith(error.path()));
        return error.path();
    }
    ADD_FAILURE() << "no FileError was thrown";
    return {};
}

class TextFileTest : public testing::Test {
protected:
    void TearDown() override { failWritesAfter(-1); }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    void writeRaw(const QString& name, const QByteArray& bytes) const { writeFile(path(name), bytes); }
    QByteArray raw(const QString& name) const { return QFile::exists(path(name)) ? readFile(path(name)) : QByteArray("<missing>"); }
    QStringList entries() const {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

TEST(SplitLines, EndLinesAtCrOrCrLfAndDecodeEach) {
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {{"", {}},
                 {"a\r\nb\rc\nd\r\nlast", {"a", "b", "c\nd", "last"}},
                 {"a\r\r\n", {"a", ""}},
                 {"a\n\rb", {"a\n", "b"}},
                 {"caf\xc3\xa9\r\ncaf\xe9\r\n", {QStringLiteral(u"caf\u00e9"), QStringLiteral(u"caf\u00e9")}},
                 {"\x80\x93x\x94\x8a\x9f\xff", {QStringLiteral(u"\u20ac\u201cx\u201d\u0160\u0178\u00ff")}}};
    for (const auto& c : cases) EXPECT_EQ(splitLines(c.bytes), c.lines) << c.bytes.toStdString();
}

// The budget counts bytes across writes; a failed rewrite leaves the old file and no temporary (a
// failed append is the table's below).
TEST_F(TextFileTest, FailedWritesLeaveTheOldFileWhole) {
    const QString line(70000, QLatin1Char('y'));
    for (qint64 budget : {qint64(0), qint64(1), qint64(4096), qint64(line.size() + 1)}) {
        SCOPED_TRACE(budget);
        writeRaw("status.ndx", "old line\r\n 2\r\n");
        failWritesAfter(budget);
        EXPECT_EQ(failingPath([&] { rewriteLines(path("status.ndx"), {line}); }), path("status.ndx"));
        EXPECT_EQ(raw("status.ndx"), "old line\r\n 2\r\n");
        EXPECT_EQ(entries(), QStringList{"status.ndx"});
    }
    failWritesAfter(line.size() + 2);
    appendLine(path("status.ndx"), line);
    EXPECT_EQ(fileSize(path("status.ndx")), 14 + line.size() + 2);
}

// A whole-file rewrite writes through a link and leaves the link in place.
TEST_F(TextFileTest, RewritesWriteThroughALink) {
    writeRaw("target.ndx", "old\r\n");
    ASSERT_TRUE(QFile::link(path("target.ndx"), path("link.ndx")));
    rewriteLines(path("link.ndx"), {"new"});
    EXPECT_TRUE(QFileInfo(path("link.ndx")).isSymLink());
    EXPECT_EQ(raw("target.ndx"), "new\r\n");
}

// A pipe or a never-ending device in a file's place is refused by every reader, naming it, instead
// of waiting for a writer or reading without end.
TEST_F(TextFileTest, ReadersRefuseAPipeOrADevice) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("info.ndx")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", path("status.ndx")));
    for (const char* name : {"info.ndx", "status.ndx"}) {
        const QString file = path(name);
        EXPECT_EQ(failingPath([&] { readLines(file); }), file);
        EXPECT_EQ(failingPath([&] { requireReadable(file); }), file);
        EXPECT_EQ(failingPath([&] { LineReader{file}; }), file);
    }
}

// An append and the save that goes with it, both or neither. The budget lets the line through and
// refuses the save, or refuses the line itself part way; only a committed append stays: no half
// line, no new file.
TEST_F(TextFileTest, AppendWithItsSaveIsUndoneWhenEitherFails) {
    const QByteArray missing("<missing>");
    const struct {
        qint64 budget;
        QByteArray before;
        QByteArray after;
    } cases[] = {{6, "old\r\n", "old\r\n"}, {3, "old\r\n", "old\r\n"},          {3, missing, missing},    {6, missing, missing},
                 {0, missing, missing},     {-1, "old\r\n", "old\r\nline\r\n"}, {-1, missing, "line\r\n"}};
    const auto appendThenSave = [&] { appendLineWith(path("index.ndx"), "line", [&] { rewriteLines(path("status.ndx"), {" 1"}); }); };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.budget << " " << c.before.toStdString());
        for (const QString& name : entries()) QFile::remove(path(name));
        if (c.before != missing) writeRaw("index.ndx", c.before);
        failWritesAfter(c.budget);
        if (c.budget < 0) appendThenSave();
        else failingPath(appendThenSave);
        failWritesAfter(-1);
        EXPECT_EQ(raw("index.ndx"), c.after);
        EXPECT_EQ(raw("status.ndx"), c.budget < 0 ? QByteArray(" 1\r\n") : missing);
    }
}

}   // namespace

// Classic text files byte for byte: line ends, encodings, the atomic rewrite, the all-or-nothing
// append, and the errors that name the file.
#include "base/FileError.h"
#include "base/TextFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace veltrin::base;

namespace {

// Runs the action and returns the FileError it throws; a missing throw is a failure.
template <class Action>
FileError fileErrorFrom(Action action) {
    try {
        action();
    } catch (const FileError& error) {
        return error;
    }
    ADD_FAILURE() << "no FileError was thrown";
    return FileError({}, {});
}

} // namespace

class TextFileTest : public testing::Test {
protected:
    void TearDown() override { failWritesAfter(-1); }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }
    void writeRaw(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray raw(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }

    QTemporaryDir m_dir;
};

struct SplitCase {
    const char* name;
    QByteArray bytes;
    QStringList lines;
};

class SplitLines : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLines, EndsLinesAtCrOrCrLfAndDecodesEach) { EXPECT_EQ(splitLines(GetParam().bytes), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(Table, SplitLines, testing::Values(
    SplitCase{"EmptyFile", "", {}},
    SplitCase{"Mixed", "a\r\nb\rc\nd\r\n", {"a", "b", "c\nd"}},
    SplitCase{"NoFinalLineEnd", "a\r\nlast", {"a", "last"}},
    SplitCase{"CrCrLf", "a\r\r\n", {"a", ""}},
    SplitCase{"LfBeforeCr", "a\n\rb", {"a\n", "b"}},
    SplitCase{"EncodingChosenPerLine", "caf\xc3\xa9\r\ncaf\xe9\r\n", {QStringLiteral(u"caf\u00e9"), QStringLiteral(u"caf\u00e9")}},
    SplitCase{"Windows1252Punctuation", "\x80\x93x\x94\x8a\x9f\xff", {QStringLiteral(u"\u20ac\u201cx\u201d\u0160\u0178\u00ff")}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST_F(TextFileTest, RewriteWritesCrLfAfterEveryLineAndBytesRoundTrip) {
    writeRaw("out.txt", "old and longer\r\n");
    const QStringList lines = {"a", QStringLiteral(u"caf\u00e9"), "", "x\ny"};
    rewriteLines(path("out.txt"), lines);
    EXPECT_EQ(raw("out.txt"), QByteArray("a\r\ncaf\xc3\xa9\r\n\r\nx\ny\r\n"));
    EXPECT_EQ(readLines(path("out.txt")), lines);
    rewriteLines(path("out.txt"), {});
    EXPECT_EQ(raw("out.txt"), QByteArray());
    const QByteArray bytes("\0\r\n\xff\x80 end", 9);
    rewriteBytes(path("out.txt"), bytes);
    EXPECT_EQ(readBytes(path("out.txt")), bytes);
    EXPECT_EQ(entries(), QStringList{"out.txt"});
}

TEST_F(TextFileTest, AppendAddsOneLineWithCrLf) {
    appendLine(path("log.ndx"), "first");
    appendLine(path("log.ndx"), QStringLiteral(u"caf\u00e9"));
    EXPECT_EQ(raw("log.ndx"), QByteArray("first\r\ncaf\xc3\xa9\r\n"));
    EXPECT_EQ(fileSize(path("log.ndx")), 14);
}

TEST_F(TextFileTest, FailedRewriteLeavesOldFileAndNoTemporary) {
    const QByteArray old("old line\r\n 2\r\n");
    const QStringList lines = {"a new and longer line", "another"};
    const qint64 newSize = 32;
    for (qint64 budget : {qint64(0), qint64(1), qint64(10), newSize - 1}) {
        SCOPED_TRACE(budget);
        writeRaw("status.ndx", old);
        failWritesAfter(budget);
        const FileError error = fileErrorFrom([&] { rewriteLines(path("status.ndx"), lines); });
        EXPECT_EQ(error.path(), path("status.ndx"));
        EXPECT_FALSE(error.reason().isEmpty());
        EXPECT_EQ(raw("status.ndx"), old);
        EXPECT_EQ(entries(), QStringList{"status.ndx"});
    }
    failWritesAfter(newSize);
    rewriteLines(path("status.ndx"), lines);
    EXPECT_EQ(readLines(path("status.ndx")), lines);
}

// The budget counts bytes across writes; a failed append leaves no half line, and no new file.
TEST_F(TextFileTest, FailedAppendLeavesNoHalfLine) {
    const QByteArray old("kept\r\n");
    const QString line = QString(70000, QLatin1Char('y'));
    const qint64 lineSize = line.size() + 2;
    for (qint64 budget : {qint64(0), qint64(1), qint64(4096), lineSize - 1}) {
        SCOPED_TRACE(budget);
        writeRaw("info.ndx", old);
        failWritesAfter(budget);
        EXPECT_EQ(fileErrorFrom([&] { appendLine(path("info.ndx"), line); }).path(), path("info.ndx"));
        EXPECT_EQ(raw("info.ndx"), old);
    }
    failWritesAfter(lineSize + 4);
    appendLine(path("info.ndx"), line);
    EXPECT_EQ(fileSize(path("info.ndx")), old.size() + lineSize);
    fileErrorFrom([&] { appendLine(path("new.ndx"), "abcdef"); });
    EXPECT_FALSE(fileExists(path("new.ndx")));
}

TEST_F(TextFileTest, ErrorsNameTheFile) {
    const QString missing = path("missing.ndx");
    EXPECT_EQ(fileErrorFrom([&] { readLines(missing); }).path(), missing);
    EXPECT_EQ(fileErrorFrom([&] { cutBack(missing, 0); }).path(), missing);
    EXPECT_EQ(fileErrorFrom([&] { rewriteLines(path("no/such/folder.txt"), {"x"}); }).path(), path("no/such/folder.txt"));
    EXPECT_EQ(fileErrorFrom([&] { appendLine(path("no/such/folder.txt"), "x"); }).path(), path("no/such/folder.txt"));
    EXPECT_EQ(fileErrorFrom([&] { readBytes(m_dir.path()); }).path(), m_dir.path());
    EXPECT_TRUE(QString::fromUtf8(fileErrorFrom([&] { readLines(missing); }).what()).startsWith(missing));
}

TEST_F(TextFileTest, ExistenceAndSizeAreForFilesOnlyAndCutBackTruncates) {
    EXPECT_FALSE(fileExists(path("none")));
    EXPECT_FALSE(fileExists(m_dir.path()));
    EXPECT_EQ(fileSize(m_dir.path()), -1);
    writeRaw("mission.ndx", "abc\r\ndef\r\n");
    cutBack(path("mission.ndx"), 5);
    EXPECT_EQ(raw("mission.ndx"), QByteArray("abc\r\n"));
}

TEST_F(TextFileTest, FindIgnoringCasePrefersTheExactName) {
    writeRaw("Status.NDX", "");
    EXPECT_EQ(findIgnoringCase(folder(), "status.ndx"), folder() + "Status.NDX");
    EXPECT_EQ(findIgnoringCase(folder(), "work.ndx"), folder() + "work.ndx");
    writeRaw("status.ndx", "");
    EXPECT_EQ(findIgnoringCase(folder(), "status.ndx"), folder() + "status.ndx");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Pictures"));
    EXPECT_EQ(findIgnoringCase(folder(), "PICTURES"), folder() + "Pictures");
    EXPECT_EQ(findIgnoringCase(folder() + "gone/", "x.jpg"), folder() + "gone/x.jpg");
}

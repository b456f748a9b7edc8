// The journal read back for export: record by record with the odd lines passed over, dates read
// from chronologies, CSV byte for byte, the search filter, and the chart's places and
// moving averages.
#include "support/Files.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "core/JournalChart.h"
#include "core/JournalExport.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace veltrin::test {
namespace {

using core::ExportedEntry;
using core::ExportFormat;
using namespace Qt::StringLiterals;

class JournalExport : public ::testing::Test {
protected:
    QString storePath() const { return m_folder.filePath(QStringLiteral("veltrin.sdb")); }
    void writeStore(const QByteArray& bytes) { base::rewriteBytes(storePath(), bytes); }
    QByteArray exported(ExportFormat format) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        core::JournalWriter writer(format, out, QStringLiteral("test output"), core::CsvCells::Guarded);
        m_count = core::exportJournal(storePath(), writer);
        return out.data();
    }
    static ExportedEntry entry(const QString& subject, const QString& text, const QDateTime& when = {}) {
        return {QStringLiteral("chronology"), when, QStringLiteral("R"), subject, {3, 5, 2, 4, 1, 1, 4}, text};
    }

    QTemporaryDir m_folder;
    core::ExportCount m_count;
};

// Lines without "~~", without a "~" before it, with an empty rank, and empty lines are passed over
// and counted; a lone LF stays inside its record, as does a later "~~"; a CR LF split across the
// reader's 64 KiB chunks is one line end; a missing store is an empty journal; a folder is not.
TEST_F(JournalExport, StoreIsReadRecordByRecord) {
    const QByteArray longText(64 * 1024 - 8, 'x');   // puts the first CR at the end of a chunk
    writeStore("a~R~S~~" + longText +
               "\r\nb~R~S~~1234512one ~~\r\nno record\r\n\r\nb~~~~1234512\rc~R~S~~9999999x\\par \ny\r\njust text ~ tilde\r\n");
    QStringList seen;
    const auto count = core::readExportedEntries(
        storePath(), {}, [&seen](const ExportedEntry& e) { seen << e.chronology + "|" + e.subject + "|" + e.text; });
    EXPECT_EQ(seen, QStringList({"a|S|" + longText.mid(7), "b|S|one ~~", "c|S|x\ny"}));
    EXPECT_EQ(count.entries, 3);
    EXPECT_EQ(count.passedOver, 4);
    EXPECT_EQ(count.undated, 3);
    EXPECT_EQ(core::readJournalChart(storePath(), {{"ONE"}, {}, {}, {}}).points.size(), 1u);   // the chart reads texts for words

    QFile::remove(storePath());
    EXPECT_EQ(exported(ExportFormat::Markdown), "");
    QDir(m_folder.path()).mkdir("veltrin.sdb");
    EXPECT_THROW(exported(ExportFormat::Csv), base::FileError);
}

struct ChronologyCase {
    std::string name;
    QString locale, chronology, date;   // date: empty when undated
    bool writtenNow;
};

// The cases of tests/data/journal/chronologies.txt.
std::vector<ChronologyCase> chronologyCases() {
    std::vector<ChronologyCase> cases;
    for (const QString& line : QString::fromUtf8(readFile(VELTRIN_TEST_DATA "/journal/chronologies.txt")).split('\n')) {
        QStringList f = line.split('|');
        for (QString& field : f) field = field.trimmed();
        if (!line.startsWith('#') && f.size() >= 4)
            cases.push_back({f[0].toStdString(), f[1], f[2], f[3].remove("undated"), f.value(4) == "now"});
    }
    return cases;
}

class Chronologies : public ::testing::TestWithParam<ChronologyCase> {};

// An entry stores the short date with a four-digit year and the long time without a zone name.
// Records of now and of before (a two-digit year, a zone name), of the user's locale and of others,
// date to the second.
TEST_P(Chronologies, ReadAsTheirDate) {
    const ChronologyCase c = GetParam();
    const QLocale locale(c.locale);
    EXPECT_EQ(core::isoDateText(core::ChronologyReader(locale, 2026).read(c.chronology)), c.date);
    const QString written = core::chronologyText(QDateTime::fromString(c.date, Qt::ISODate), locale);
    EXPECT_TRUE(!c.writtenNow || written == c.chronology) << written.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Stored, Chronologies, ::testing::ValuesIn(chronologyCases()), caseName);

TEST(ChronologyCases, ArePresent) { EXPECT_GE(chronologyCases().size(), 17u); }

// RFC 4180: a header, CR LF rows, quotes doubled, fields with commas, quotes or line breaks quoted;
// a digit outside 1 .. 5 is an empty field; the stored paragraph marks are line breaks. A cell a
// spreadsheet would run as a formula starts with an apostrophe.
TEST_F(JournalExport, CsvRowsByteForByte) {
    writeStore(
        "2026-12-06 09:30:15~R~Openness, \"quoted\"~~35241x4a\\par \nb, c\r\nbad~R~~~1234512plain\r\n@f~-R~=S~~1111111+1\\par \n\r\n");
    EXPECT_EQ(exported(ExportFormat::Csv),
              "chronology,date,rank,subject,power,health,awareness,holy_connection,inner_feeling,pretending,being_awake,text\r\n"
              "2026-12-06 09:30:15,2026-12-06T09:30:15,R,\"Openness, \"\"quoted\"\"\",3,5,2,4,1,,4,\"a\nb, c\"\r\n"
              "bad,,R,,1,2,3,4,5,1,2,plain\r\n'@f,,'-R,'=S,1,1,1,1,1,1,1,\"'+1\n\"\r\n");
    EXPECT_EQ(m_count.entries, 3);
}

// Every word in the text or the subject, case folded in full and accents composed alike; the
// subject whole; the days inclusive, and an undated entry left out once a day is asked for.
TEST_F(JournalExport, FilterKeepsEntriesWithEveryWord) {
    const QDateTime sixth(QDate(2026, 12, 6), QTime(23, 59, 59));
    const QString decomposedSummer = u"e\u0301te\u0301"_s;
    const struct {
        core::JournalFilter filter;
        bool kept;
        QString text = "The river was Calm";
    } cases[] = {
        {{{"calm", "RIVER"}, {}, {}, {}}, true},
        {{{"open", "calm"}, {}, {}, {}}, true},
        {{{}, "openness", {}, {}}, true},
        {{{}, "Open", {}, {}}, false},
        {{{}, {}, QDate(2026, 12, 6), QDate(2026, 12, 6)}, true},
        {{{}, {}, QDate(2026, 12, 7), {}}, false},
        {{{u"GRÜSSE"_s}, {}, {}, {}}, true, u"Liebe Grüße"_s},
        {{{u"grüße"_s}, {}, {}, {}}, true, u"LIEBE GRÜSSE"_s},
        {{{u"STRAẞE"_s, u"ﬁne"_s}, {}, {}, {}}, true, u"strasse, FINE"_s},
        {{{u"été"_s}, {}, {}, {}}, true, decomposedSummer},
        {{{decomposedSummer.toUpper()}, {}, {}, {}}, true, u"un été"_s},
        {{{u"ete"_s}, {}, {}, {}}, false, u"un été"_s},
        {{{"X@Y[Z`"}, {}, {}, {}}, true, "at x@y[z` home"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.filter.keeps(JournalExport::entry("Openness", c.text, sixth)), c.kept) << c.filter.words.join(' ').toStdString();
    EXPECT_FALSE((core::JournalFilter{{}, {}, {}, QDate(2030, 1, 1)}.keeps(JournalExport::entry("S", "t"))));
}

// Undated entries stand evenly between their dated neighbours, and at the usual spacing before the
// first or after the last; without any date the entries are numbered. Each line averages the
// category's last seven ratings; an entry rated outside 1 .. 5 in a category adds no point to that
// category's line.
TEST_F(JournalExport, ChartPlacesEntriesAndAveragesTheirLastSeven) {
    const QDateTime day(QDate(2026, 1, 1), QTime(0, 0));
    const double d = 24.0 * 60 * 60 * 1000;
    const double t0 = double(day.toMSecsSinceEpoch());
    const std::vector<double> x = core::chartPositions({{}, day, {}, {}, day.addDays(3), {}});
    EXPECT_EQ(x, (std::vector<double>{t0 - 3 * d, t0, t0 + d, t0 + 2 * d, t0 + 3 * d, t0 + 6 * d}));
    EXPECT_EQ(core::chartPositions({{}, {}, {}}), (std::vector<double>{1, 2, 3}));
    core::JournalChart chart;
    for (int i = 1; i <= 9; ++i) {
        core::Ratings ratings{i <= 7 ? 1 : 5, 2, 3, 4, 5, 1, 2};
        if (i == 4) ratings[6].reset();
        chart.points.push_back({double(i), ratings});
    }
    const auto lines = chart.lines();
    ASSERT_EQ(lines[0].size(), 9u);
    EXPECT_DOUBLE_EQ(lines[0][6].average, 1.0);
    EXPECT_DOUBLE_EQ(lines[0][7].average, 11.0 / 7);
    EXPECT_DOUBLE_EQ(lines[0][8].average, 15.0 / 7);
    EXPECT_EQ(lines[6].size(), 8u);
    EXPECT_DOUBLE_EQ(lines[6][3].x, 5.0);
}

}   // namespace
}   // namespace veltrin::test

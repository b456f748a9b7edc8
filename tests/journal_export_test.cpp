// The journal read back for export: record by record with the odd lines passed over, dates read
// from chronologies, CSV byte for byte, the search filter, and the chart's places and
// moving averages; the sealed journal: its conversions, keys, damage and the plaintext it leaves.
#include "support/Files.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "core/JournalChart.h"
#include "core/JournalExport.h"
#include "core/JournalSeal.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

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

// A journal whose entries hold marker words that no file of a sealed journal may show.
class SealedJournal : public JournalExport {
protected:
    static QByteArray record(int n) {
        return "6.12.2026 09:30:00~Ascendant~Openness~~3524114marker" + QByteArray::number(n) + " calm\\par \nriver";
    }
    QByteArray plainStore(int entries) const {
        QByteArray bytes;
        for (int n = 1; n <= entries; ++n) bytes += record(n) + "\r\n";
        return bytes;
    }
    QString key() const { return core::journalKeyPath(storePath()); }
    QStringList texts(const core::JournalKey* key) const {
        QStringList read;
        m_damaged = core::readExportedEntries(
                        storePath(), {}, [&read](const ExportedEntry& e) { read << e.text; }, core::EntryText::Read, key)
                        .damaged;
        return read;
    }
    static QStringList textsOf(int from, int to) {
        QStringList texts;
        for (int n = from; n <= to; ++n) texts << "marker" + QString::number(n) + " calm\nriver";
        return texts;
    }
    // Changes one base64 letter in the store's line (1 first), as bit rot would.
    void damageLine(int line) {
        QByteArrayList lines = readFile(storePath()).split('\n');
        QByteArray& damaged = lines[line - 1];
        damaged[10] = damaged[10] == 'A' ? 'B' : 'A';
        writeFile(storePath(), lines.join('\n'));
    }
    std::optional<core::JournalKey> unlock(const char* passphrase) { return core::unlockJournal(storePath(), passphrase); }

    mutable core::DamagedRecords m_damaged;
};

// Sealed, the store and its key file hold no word of an entry; the entries read back with the key,
// an entry added then is sealed too, and decrypting gives every byte back plus the new record. A
// wrong passphrase opens nothing; without a key the store is refused, not read as empty.
TEST_F(SealedJournal, RoundTripLeavesNoPlaintext) {
    writeStore(plainStore(20) + "not an entry\r\n");
    EXPECT_FALSE(core::journalIsSealed(storePath()));
    const QString recoveryKey = core::encryptJournal(storePath(), "right horse");
    EXPECT_TRUE(core::journalIsSealed(storePath()));
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), QStringList({"veltrin.sdb", "veltrin.sdb.key"}));
    for (const QString& file : {storePath(), key()})
        for (const char* word : {"marker", "calm", "river", "Openness", "Ascendant", "2026"})
            EXPECT_FALSE(readFile(file).contains(word)) << file.toStdString() << " shows " << word;
    EXPECT_FALSE(unlock("wrong horse"));
    EXPECT_THROW(texts(nullptr), base::FileError);
    auto opened = unlock("right horse");
    ASSERT_TRUE(opened);
    EXPECT_EQ(texts(&*opened), textsOf(1, 20));
    core::appendJournalRecord(storePath(), QString::fromUtf8(record(21)), &*opened);
    EXPECT_FALSE(readFile(storePath()).contains("marker"));
    EXPECT_EQ(texts(&*opened), textsOf(1, 21));
    EXPECT_TRUE(m_damaged.isEmpty());

    auto recovered = core::unlockJournalWithRecoveryKey(storePath(), "  " + recoveryKey.toLower().replace('-', ' '));
    ASSERT_TRUE(recovered);
    EXPECT_FALSE(core::unlockJournalWithRecoveryKey(storePath(), QString(recoveryKey).replace(0, 1, recoveryKey[0] == 'A' ? "B" : "A")));
    core::decryptJournal(storePath(), *recovered);
    EXPECT_FALSE(core::journalIsSealed(storePath()));
    EXPECT_EQ(readFile(storePath()), plainStore(20) + "not an entry\r\n" + record(21) + "\r\n");
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files), QStringList({"veltrin.sdb"}));
}

// A damaged or moved record is named and every other record still reads; the passphrase still
// unlocks; decrypting refuses and changes nothing. A damaged key file is never a wrong passphrase.
TEST_F(SealedJournal, DamageIsNamedNeverAWrongPassphrase) {
    writeStore(plainStore(5));
    const QString recoveryKey = core::encryptJournal(storePath(), "pass");
    damageLine(2);
    QByteArrayList lines = readFile(storePath()).split('\n');
    std::swap(lines[3], lines[4]);   // records 4 and 5 change places
    writeFile(storePath(), lines.join('\n'));
    auto opened = unlock("pass");
    ASSERT_TRUE(opened);
    EXPECT_EQ(texts(&*opened), textsOf(1, 1) + textsOf(3, 3));
    EXPECT_EQ(m_damaged, core::DamagedRecords({2, 4, 5}));
    const QByteArray sealedBytes = readFile(storePath());
    try {
        core::decryptJournal(storePath(), *opened);
        ADD_FAILURE() << "decrypted a damaged store";
    } catch (const base::FileError& error) {
        EXPECT_EQ(error.path(), storePath());
        EXPECT_TRUE(error.reason().contains("records 2, 4 and 5")) << error.reason().toStdString();
    }
    EXPECT_EQ(readFile(storePath()), sealedBytes);

    const QByteArray keyBytes = readFile(key());
    const std::pair<const char*, std::function<QByteArray(QByteArray)>> damages[] = {
        {"cut short", [](QByteArray b) { return b.left(b.size() / 2); }},
        {"a letter changed in the passphrase line",
         [](QByteArray b) {
             b[b.indexOf("argon2id") + 30] ^= 1;
             return b;
         }},
        {"limits changed", [](QByteArray b) { return b.replace("argon2id 2 ", "argon2id 3 "); }},
        {"empty", [](QByteArray) { return QByteArray(); }},
    };
    for (const auto& [name, damage] : damages) {
        writeFile(key(), damage(keyBytes));
        try {
            EXPECT_FALSE(unlock("pass").has_value()) << name;
            ADD_FAILURE() << name << ": read as a wrong passphrase";
        } catch (const base::FileError& error) {
            EXPECT_EQ(error.path(), key()) << name;
            EXPECT_TRUE(error.reason().contains("damaged")) << name << ": " << error.reason().toStdString();
        }
    }
    QFile::remove(key());
    EXPECT_FALSE(core::journalIsSealed(storePath()));
    // One wrap still opens when the other's line is damaged.
    QByteArray recoveryDamaged = keyBytes;
    recoveryDamaged[recoveryDamaged.indexOf("blake2b") + 20] ^= 1;
    writeFile(key(), recoveryDamaged);
    EXPECT_TRUE(unlock("pass"));
    EXPECT_THROW(core::unlockJournalWithRecoveryKey(storePath(), recoveryKey), base::FileError);
}

// A new passphrase rewrites the key file alone; the old one then opens nothing, the recovery key
// still does, and a key held from before a new sealing appends nothing.
TEST_F(SealedJournal, NewPassphraseRewritesOnlyTheKeyFile) {
    writeStore(plainStore(3));
    const QString recoveryKey = core::encryptJournal(storePath(), "old");
    const QByteArray storeBytes = readFile(storePath());
    auto opened = unlock("old");
    ASSERT_TRUE(opened);
    QElapsedTimer timer;
    timer.start();
    core::changeJournalPassphrase(storePath(), *opened, "new");
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(readFile(storePath()), storeBytes);
    EXPECT_FALSE(unlock("old"));
    auto renewed = unlock("new");
    ASSERT_TRUE(renewed);
    EXPECT_EQ(texts(&*renewed), textsOf(1, 3));
    EXPECT_TRUE(core::unlockJournalWithRecoveryKey(storePath(), recoveryKey));

    core::decryptJournal(storePath(), *renewed);
    core::encryptJournal(storePath(), "again");
    const QByteArray resealed = readFile(storePath());
    EXPECT_THROW(core::appendJournalRecord(storePath(), "x~R~S~~1111111", &*renewed), base::FileError);
    EXPECT_THROW(core::appendJournalRecord(storePath(), "x~R~S~~1111111", nullptr), base::FileError);
    renewed = unlock("again");
    renewed->wipe();
    EXPECT_THROW(core::appendJournalRecord(storePath(), "x~R~S~~1111111", &*renewed), base::FileError);
    EXPECT_EQ(readFile(storePath()), resealed);
}

// A conversion that fails at any write leaves the store and its key as they were, and no copy.
TEST_F(SealedJournal, FailedConversionChangesNothing) {
    writeStore(plainStore(3));
    const Files before = filesUnder(m_folder.path());
    bool finished = false;
    for (qint64 budget = 0; !finished; budget += 97) {
        failWritesAfter(budget);
        try {
            core::encryptJournal(storePath(), "pass");
            finished = true;
        } catch (const base::FileError&) {
            failWritesAfter(-1);
            EXPECT_EQ(filesUnder(m_folder.path()), before) << "budget " << budget;
        }
    }
    failWritesAfter(-1);
    const Files sealed = filesUnder(m_folder.path());
    auto opened = unlock("pass");
    ASSERT_TRUE(opened);
    finished = false;
    for (qint64 budget = 0; !finished; budget += 97) {
        failWritesAfter(budget);
        try {
            core::decryptJournal(storePath(), *opened);
            finished = true;
        } catch (const base::FileError&) {
            failWritesAfter(-1);
            EXPECT_EQ(filesUnder(m_folder.path()), sealed) << "budget " << budget;
        }
    }
    failWritesAfter(-1);
    EXPECT_EQ(filesUnder(m_folder.path()), before);
}

}   // namespace
}   // namespace veltrin::test

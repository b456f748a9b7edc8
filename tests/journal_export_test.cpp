// The journal read back for export: record by record with the odd lines passed over, dates read
// from chronologies, CSV byte for byte, the search filter, the chart's places and moving averages,
// the statistics against a calendar of their own; the sealed journal: its conversions, keys, damage
// and the plaintext it leaves.
#include "support/Files.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "core/JournalChart.h"
#include "core/JournalExport.h"
#include "core/JournalSeal.h"
#include "core/JournalStats.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <sstream>

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

// The statistics worked out again with the standard library's calendar, from what the test wrote.
namespace cal = std::chrono;
using Day = cal::sys_days;

struct Written {
    std::optional<Day> day;
    std::array<int, 7> ratings;   // 0: not rated
    std::string text;
    QString chronology;
};

Day dayOf(const QDate& date) { return Day(cal::days(date.toJulianDay() - 2440588)); }
QDate dateOf(Day day) { return QDate::fromJulianDay(day.time_since_epoch().count() + 2440588); }

// March 2023 to March 2026, a leap day among them: a day in four without an entry, one in five with
// three, at 00:30, 02:30 (an hour that a daylight-saving day lacks or has twice) and 23:59:59, in
// the program's form and in ISO 8601; one entry in 37 undated, one rating in 9 missing.
std::vector<Written> threeYears() {
    std::vector<Written> written;
    unsigned seed = 7;
    const auto next = [&seed](unsigned range) { return ((seed = seed * 1103515245u + 12345u) >> 16) % range; };
    const char* words[] = {"calm", "river", "x", "first", "ßtraße", "ok."};
    for (Day day = cal::year(2023) / 3 / 1; day <= Day(cal::year(2026) / 3 / 31); day += cal::days(1)) {
        const QDate date = dateOf(day);
        int count = next(4) == 0 ? 0 : next(5) == 0 ? 3 : 1;
        if (date == QDate(2024, 2, 29) || date == QDate(2026, 2, 28)) count = 3;
        if (date == QDate(2026, 3, 29) || date == QDate(2026, 3, 31)) count = 1;
        if (date == QDate(2026, 3, 28) || date == QDate(2026, 3, 30)) count = 0;
        for (int i = 0; i < count; ++i) {
            Written entry{day, {}, {}, {}};
            for (int& rating : entry.ratings) rating = next(9) == 0 ? 0 : int(next(5)) + 1;
            for (unsigned w = next(6); w-- > 0;) entry.text += std::string(words[next(6)]) + (next(3) ? " " : next(2) ? "\n" : "\t ");
            const QDateTime when(date, QTime::fromString(QStringList{"00:30:00", "02:30:00", "23:59:59"}[i], Qt::ISODate), Qt::UTC);
            entry.chronology = i == 1 ? when.toString("yyyy-MM-dd HH:mm:ss") : core::chronologyText(when);
            if (next(37) == 0) entry = {std::nullopt, entry.ratings, entry.text, "someday"};
            written.push_back(entry);
        }
    }
    return written;
}

QByteArray storeOf(const std::vector<Written>& written) {
    QByteArray store;
    for (const Written& entry : written) {
        QString digits;
        for (int rating : entry.ratings) digits += rating ? QString::number(rating) : "x";
        store += (entry.chronology + "~Rank~S~~" + digits + QString::fromStdString(entry.text).replace("\n", "\\par \n") + "\r\n").toUtf8();
    }
    return store;
}

void expectRecalled(const std::vector<core::RecalledEntry>& recalled, const std::vector<const Written*>& expected) {
    ASSERT_EQ(recalled.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(std::pair(recalled[i].date, recalled[i].chronology), std::pair(dateOf(*expected[i]->day), expected[i]->chronology));
}

// Each statistic on several days (a 28 February after a leap year, 31 and 30 March, the leap day,
// a day without an entry either side of it) and in one year alone, in a zone with daylight saving.
TEST_F(JournalExport, StatisticsAgreeWithTheCalendar) {
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    const std::vector<Written> written = threeYears();
    writeStore(storeOf(written));
    const std::pair<QDate, core::JournalFilter> cases[] = {
        {{2026, 2, 28}, {}}, {{2026, 3, 31}, {}}, {{2026, 3, 30}, {}},
        {{2024, 2, 29}, {}}, {{2027, 1, 1}, {}},  {{2024, 12, 31}, {{}, {}, QDate(2024, 1, 1), QDate(2024, 12, 31)}},
    };
    for (const auto& [today, filter] : cases) {
        SCOPED_TRACE(today.toString(Qt::ISODate).toStdString());
        const core::JournalStats stats = core::readJournalStats(storePath(), today, filter);
        const Day now = dayOf(today);
        const cal::year_month_day ymd(now);
        cal::year_month_day monthAgo = ymd - cal::months(1);
        if (!monthAgo.ok()) monthAgo = monthAgo.year() / monthAgo.month() / cal::last;
        int entries = 0, undated = 0;
        qint64 words = 0;
        std::set<Day> days;
        std::map<QDate, core::RatingSums> weeks;
        std::array<core::RatingSums, 7> weekdays;
        std::vector<const Written*> onThisDay, aMonthAgo;
        for (const Written& entry : written) {
            if (filter.from.isValid() && (!entry.day || *entry.day < dayOf(filter.from) || *entry.day > dayOf(filter.to))) continue;
            ++entries;
            std::istringstream text(entry.text);
            for (std::string word; text >> word;) ++words;
            if (!entry.day) {
                ++undated;
                continue;
            }
            days.insert(*entry.day);
            const cal::weekday weekday(*entry.day);
            for (core::RatingSums* sums : {&weeks[dateOf(*entry.day - (weekday - cal::Monday))], &weekdays[weekday.iso_encoding() - 1]}) {
                ++sums->entries;
                for (std::size_t c = 0; c < 7; ++c) sums->sum[c] += entry.ratings[c], sums->rated[c] += entry.ratings[c] > 0;
            }
            const cal::year_month_day then(*entry.day);
            const bool leapDayOnItsEve =
                ymd.month() / ymd.day() == cal::February / 28 && !ymd.year().is_leap() && then.month() / then.day() == cal::February / 29;
            if (then.year() < ymd.year() && (then.month() / then.day() == ymd.month() / ymd.day() || leapDayOnItsEve))
                onThisDay.push_back(&entry);
            if (*entry.day == Day(monthAgo)) aMonthAgo.push_back(&entry);
        }
        std::stable_sort(onThisDay.begin(), onThisDay.end(), [](const Written* a, const Written* b) { return *a->day > *b->day; });
        int longest = 0, run = 0, current = 0;
        Day longestEnd{}, previous{};
        for (const Day day : days) {
            run = day == previous + cal::days(1) ? run + 1 : 1;
            if (run > longest) longest = run, longestEnd = day;
            previous = day;
        }
        const Day currentEnd = days.count(now) ? now : now - cal::days(1);
        while (days.count(currentEnd - cal::days(current))) ++current;
        EXPECT_EQ(std::tuple(stats.entries, stats.undated, stats.words, stats.days), std::tuple(entries, undated, words, int(days.size())));
        EXPECT_EQ(std::pair(stats.longestStreak, stats.longestStreakEnd), std::pair(longest, dateOf(longestEnd)));
        EXPECT_EQ(std::pair(stats.currentStreak, stats.currentStreakEnd), std::pair(current, current ? dateOf(currentEnd) : QDate()));
        EXPECT_TRUE(stats.weeks == weeks);
        EXPECT_TRUE(stats.weekdays == weekdays);
        EXPECT_DOUBLE_EQ(stats.entriesPerWeek(),
                         double(entries - undated) /
                             double((weeks.rbegin()->first.toJulianDay() - weeks.begin()->first.toJulianDay()) / 7 + 1));
        expectRecalled(stats.onThisDay, onThisDay);
        expectRecalled(stats.monthAgo, aMonthAgo);
    }
    const auto recalled = [this](QDate today, bool monthAgo) {
        const core::JournalStats stats = core::readJournalStats(storePath(), today);
        std::set<QDate> dates;
        for (const auto& entry : monthAgo ? stats.monthAgo : stats.onThisDay) dates.insert(entry.date);
        return dates;
    };
    EXPECT_TRUE(recalled({2026, 2, 28}, false).count({2024, 2, 29}));
    EXPECT_FALSE(recalled({2028, 2, 28}, false).count({2024, 2, 29}));
    EXPECT_EQ(recalled({2026, 3, 31}, true), std::set<QDate>({{2026, 2, 28}}));
    const core::JournalStats fromYesterday = core::readJournalStats(storePath(), {2026, 3, 30});
    EXPECT_EQ(std::pair(fromYesterday.currentStreak, fromYesterday.currentStreakEnd), std::pair(1, QDate(2026, 3, 29)));
    qputenv("TZ", zone);
}

}   // namespace
}   // namespace veltrin::test

#pragma once
// What the command line's files share among themselves.
#include "cli/Cli.h"

#include "core/JournalChart.h"
#include "core/JournalSeal.h"
#include "core/JournalStats.h"

#include <QMap>
#include <QSet>
#include <stdexcept>

namespace veltrin::cli {

inline const QString StandardOutput = QStringLiteral("standard output");

// The command line is wrong: the message says how, and the status is 2.
struct UsageError : std::runtime_error {
    explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// A command that cannot go on for a reason of its own (not a file's): status 1.
struct CommandError : std::runtime_error {
    explicit CommandError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

struct Arguments {
    QStringList words;                      // the command's words and the search words, in order
    QMap<QString, QString> values;          // --store, --format, --output, --subject, --from, --to, --at (the last given)
    QMap<QString, QStringList> allValues;   // every value of each option, in order (--at may repeat)
    QSet<QString> flags;                    // --help, --open, --documents, --raw-csv, --recovery-key, --off, --status, --check, --wait
    bool has(const QString& flag) const { return flags.contains(flag); }
    QString value(const QString& option) const { return values.value(option); }
};

// Throws UsageError for an option it does not know or one missing its value.
Arguments parseArguments(const QStringList& arguments);

QString mainHelp();
QString journalHelp();
QString remindHelp();

// The store the command reads: --store, else the one the settings file names. Throws
// CommandError without a settings file, FileError when the settings file is wrong.
QString storePath(const Arguments& arguments, const Console& console);
// Writes a line to the console's error stream.
void tell(Console& console, const QString& line);

int exportCommand(const Arguments& arguments, Console& console);
int searchCommand(const Arguments& arguments, Console& console);
int chartCommand(const Arguments& arguments, Console& console);
int encryptCommand(const Arguments& arguments, Console& console);
int decryptCommand(const Arguments& arguments, Console& console);
int passwdCommand(const Arguments& arguments, Console& console);

// The key of a sealed store, unlocked with the passphrase read from the console; none for a plain
// store. Throws CommandError for a wrong passphrase, FileError for a key file that cannot be used.
std::optional<core::JournalKey> unlockIfSealed(Console& console, const QString& store);
int statsCommand(const Arguments& arguments, Console& console);

// The statistics as text to read, or as one JSON object.
QByteArray statsText(const core::JournalStats& stats);
QByteArray statsJson(const core::JournalStats& stats);
// veltrin remind: sets, shows or clears the reminder times; --check and --wait remind.
int remindCommand(const Arguments& arguments, Console& console);

// The chart drawn as a PNG or an SVG picture, by the suffix of the file it is for.
QByteArray chartPicture(const core::JournalChart& chart, const QString& path);
// Whether the name ends in a picture suffix the chart can be saved as.
bool isChartPictureName(const QString& path);

}   // namespace veltrin::cli

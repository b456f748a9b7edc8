#include "cli/CliParts.h"

namespace veltrin::cli {

namespace {

const QSet<QString> ValueOptions{QStringLiteral("--store"),   QStringLiteral("--format"), QStringLiteral("--output"),
                                 QStringLiteral("--subject"), QStringLiteral("--from"),   QStringLiteral("--to"),
                                 QStringLiteral("--at")};
const QSet<QString> FlagOptions{QStringLiteral("--help"),    QStringLiteral("--open"), QStringLiteral("--documents"),
                                QStringLiteral("--raw-csv"), QStringLiteral("--off"),  QStringLiteral("--status"),
                                QStringLiteral("--check"),   QStringLiteral("--wait"), QStringLiteral("--recovery-key")};

}   // namespace

// "--name value" and "--name=value" alike; after "--" every argument is a word.
Arguments parseArguments(const QStringList& arguments) {
    Arguments parsed;
    bool wordsOnly = false;
    for (qsizetype at = 0; at < arguments.size(); ++at) {
        const QString& argument = arguments[at];
        if (wordsOnly || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            parsed.words << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            wordsOnly = true;
            continue;
        }
        if (argument == QLatin1String("-h")) {
            parsed.flags << QStringLiteral("--help");
            continue;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? argument : argument.left(equals);
        if (FlagOptions.contains(name) && equals < 0) {
            parsed.flags << name;
        } else if (ValueOptions.contains(name)) {
            if (equals < 0 && at + 1 >= arguments.size()) throw UsageError(QStringLiteral("%1 needs a value").arg(name));
            parsed.values[name] = equals < 0 ? arguments[++at] : argument.mid(equals + 1);
            parsed.allValues[name] << parsed.values[name];
        } else {
            throw UsageError(QStringLiteral("unknown option %1").arg(argument));
        }
    }
    return parsed;
}

QString mainHelp() {
    return QStringLiteral("Usage: veltrin [COMMAND]\n"
                          "\n"
                          "Without a command, Veltrin starts: the course and the journal in their window.\n"
                          "\n"
                          "Commands:\n"
                          "  journal export   the journal as CSV, JSON, Markdown or a printable PDF\n"
                          "  journal search   the entries that hold some words\n"
                          "  journal chart    the Inner Snapshot over time as a PNG or SVG picture\n"
                          "  journal encrypt  protect the journal with a passphrase (decrypt, passwd: undo, change it)\n"
                          "  journal stats    entries, words, streaks, averages by week and weekday, on this day\n"
                          "  remind           a daily reminder to read and write: 'veltrin remind --help'\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help       this help; 'veltrin journal --help' describes the journal commands\n");
}

QString journalHelp() {
    return QStringLiteral("Usage:\n"
                          "  veltrin journal export --format csv|json|md|pdf [--raw-csv] [--output FILE] [--store FILE]\n"
                          "  veltrin journal search WORDS... [--subject NAME] [--from DATE] [--to DATE] [--store FILE]\n"
                          "  veltrin journal chart --output FILE.png|FILE.svg [--from DATE] [--to DATE] [--store FILE]\n"
                          "  veltrin journal encrypt|passwd [--store FILE]\n"
                          "  veltrin journal decrypt [--recovery-key] [--store FILE]\n"
                          "  veltrin journal stats [--format text|json] [--from DATE] [--to DATE] [--store FILE]\n"
                          "\n"
                          "export, search and chart read the journal the settings file names (or the one given\n"
                          "with --store) and never write to it.\n"
                          "\n"
                          "export   Writes every entry, oldest first, to standard output or FILE. The fields are\n"
                          "         chronology, date (YYYY-MM-DDTHH:MM:SS, empty when the chronology cannot be read),\n"
                          "         rank, subject, power, health, awareness, holy_connection, inner_feeling,\n"
                          "         pretending, being_awake (1 to 5) and text. CSV has a header row; JSON is one\n"
                          "         array of objects; Markdown has one section per entry, its text escaped so\n"
                          "         that it reads as typed. A CSV cell that starts with =, +, -, @, a tab or a\n"
                          "         carriage return gets a leading apostrophe (') so that a spreadsheet does not\n"
                          "         run it as a formula; --raw-csv writes such cells as they are. The PDF is\n"
                          "         A4 pages to print: each entry with its chronology, rank, subject, the Inner\n"
                          "         Snapshot as the journal report's rank bars, and its text.\n"
                          "search   Prints, as Markdown sections, the entries whose text or subject holds every\n"
                          "         word (case ignored, so GRÜSSE finds Grüße; an accented letter matches however it\n"
                          "         is composed); the number found goes to standard error.\n"
                          "chart    Draws the seven ratings over time, each as a moving average of 7 entries.\n"
                          "encrypt  Protects the journal with a passphrase and prints its recovery key, which opens\n"
                          "         it when the passphrase is lost. Keep the key apart from this computer: without\n"
                          "         the passphrase and the recovery key no one can read the journal again.\n"
                          "decrypt  Turns an encrypted journal back into a plain one.\n"
                          "passwd   Changes the passphrase of an encrypted journal; its recovery key stays.\n"
                          "\n"
                          "An encrypted journal asks for its passphrase on the terminal, without echo. When standard\n"
                          "input is not a terminal, each passphrase is one line of it: encrypt reads the new one once,\n"
                          "passwd the old one and then the new one, decrypt --recovery-key the recovery key.\n"
                          "A passphrase is never taken from the command line.\n"
                          "stats    The number of entries and of words (runs of characters between blanks),\n"
                          "         the days with an entry, the current and the longest streak of such days,\n"
                          "         entries per week, each category's average by weekday and by week (weeks\n"
                          "         begin on Monday), and the entries of this day in earlier years and of a\n"
                          "         month ago. A day is the date the chronology names, as written: a change of\n"
                          "         time zone or daylight-saving time moves no entry. Several entries on one day\n"
                          "         are one day of a streak. The current streak counts back from today, or from\n"
                          "         yesterday while today has no entry yet. On 28 February of a year without\n"
                          "         29 February, the entries of 29 February of earlier years come back too. A\n"
                          "         month ago is the same day of the month before, or its last day when it is\n"
                          "         shorter: 31 March looks back at 28 (or 29) February. An entry whose chronology\n"
                          "         cannot be read as a date is counted (entries, words) but on no day, in no week,\n"
                          "         streak or average; with --from or --to it is left out.\n"
                          "\n"
                          "Options:\n"
                          "  --store FILE     the journal store to read instead of the user's\n"
                          "  --format FORMAT  export: csv, json, md or pdf; stats: text (the default) or json\n"
                          "  --raw-csv        CSV cells as stored, without the apostrophe before formulas\n"
                          "  --output FILE    the file to write (export: standard output without it)\n"
                          "  --subject NAME   only the entries of this subject (case ignored)\n"
                          "  --from DATE      only the entries of this day (YYYY-MM-DD) or later\n"
                          "  --to DATE        only the entries of this day (YYYY-MM-DD) or earlier\n"
                          "  --documents      write into the documents folder (export, chart) instead of --output\n"
                          "  --open           open the written file with the desktop's program for it\n"
                          "  --recovery-key   decrypt with the recovery key instead of the passphrase\n"
                          "  -h, --help       this help\n"
                          "\n"
                          "Lines of the store that are not entries are passed over and counted on standard error;\n"
                          "damaged entries of an encrypted journal are named there, every other entry is read, and\n"
                          "the status is 1.\n"
                          "Exit status: 0 done, 1 a file or the settings could not be used, 2 a wrong command line.\n");
}

QString remindHelp() {
    return QStringLiteral("Usage:\n"
                          "  veltrin remind --at HH:MM [--at HH:MM]...   remind every day at these times\n"
                          "  veltrin remind --off                        no more reminders\n"
                          "  veltrin remind [--status]                   the times set and what runs them\n"
                          "\n"
                          "A reminder is a desktop notification that names what the day still holds: the level\n"
                          "waiting and how far you are through it, and whether today has a journal entry. None\n"
                          "comes on a day when you have passed a check-point and written an entry. \"Read now\"\n"
                          "starts Veltrin at the reading pane, \"Write now\" with the journal open. The times\n"
                          "are kept in veltrin-remind.ini beside the settings file and are those of the clock\n"
                          "where you are: a change of zone or of summer time moves none. A systemd user timer\n"
                          "reminds with Veltrin closed and once after a time missed while the machine was off;\n"
                          "without a user systemd, an entry in the desktop's autostart folder does. When no\n"
                          "notification can be shown, Veltrin shows the reminder at its next start.\n"
                          "\n"
                          "  --check   what the timer runs: remind now if a time is due\n"
                          "  --wait    what the autostart entry runs: remind at every time until --off\n"
                          "\n"
                          "Exit status: 0 done, 1 a file or the timer could not be set, 2 a wrong command line.\n");
}

}   // namespace veltrin::cli

#include "cli/CliParts.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "journal/JournalStore.h"
#include "state/State.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>

#include <cstdio>

namespace veltrin::cli {

namespace {

const QString TryHelp = QStringLiteral("Try 'veltrin journal --help'.");

int printHelp(Console& console, const QString& help) {
    console.out.write(help.toUtf8());
    return 0;
}

int journalCommand(const Arguments& arguments, Console& console) {
    const QString command = arguments.words.value(1);
    if (command == QLatin1String("export")) return exportCommand(arguments, console);
    if (command == QLatin1String("search")) return searchCommand(arguments, console);
    if (command == QLatin1String("chart")) return chartCommand(arguments, console);
    if (command.isEmpty()) throw UsageError(QStringLiteral("journal needs a command: export, search or chart"));
    throw UsageError(QStringLiteral("unknown journal command '%1'").arg(command));
}

int dispatch(const Arguments& arguments, Console& console) {
    const QString first = arguments.words.value(0);
    if (first == QLatin1String("journal")) {
        if (arguments.has(QStringLiteral("--help"))) return printHelp(console, journalHelp());
        return journalCommand(arguments, console);
    }
    if (first.isEmpty() || first == QLatin1String("help")) return printHelp(console, mainHelp());
    throw UsageError(QStringLiteral("unknown command '%1'").arg(first));
}

}   // namespace

void tell(Console& console, const QString& line) { console.err.write((line + QLatin1Char('\n')).toUtf8()); }

QString storePath(const Arguments& arguments, const Console& console) {
    if (arguments.values.contains(QStringLiteral("--store"))) return arguments.value(QStringLiteral("--store"));
    const QString settings = QDir(console.settingsFolder).filePath(state::SettingsFileName);
    if (!base::fileExists(settings))
        throw CommandError(QStringLiteral("there is no settings file %1 to name the journal; start Veltrin once, "
                                          "or name the journal store with --store FILE")
                               .arg(settings));
    return state::parseSettings(base::readLines(settings), settings).CourseDir + journal::JournalStoreName;
}

bool isCommand(int argc, char** argv) {
    if (argc < 2) return false;
    const QString first = QString::fromLocal8Bit(argv[1]);
    return !first.startsWith(QLatin1Char('-')) || first == QLatin1String("--help") || first == QLatin1String("-h");
}

int runCommand(const QStringList& arguments, Console& console) {
    try {
        return dispatch(parseArguments(arguments), console);
    } catch (const UsageError& error) {
        tell(console, QStringLiteral("veltrin: %1\n%2").arg(QString::fromStdString(error.what()), TryHelp));
        return 2;
    } catch (const CommandError& error) {
        tell(console, QStringLiteral("veltrin: %1").arg(QString::fromStdString(error.what())));
    } catch (const base::FileError& error) { tell(console, QStringLiteral("veltrin: %1: %2").arg(error.path(), error.reason())); }
    return 1;
}

// The chart draws text, which needs a graphical application; the offscreen platform needs no display.
int runFromMain(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("veltrin"));
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly)) return 1;
    Console console{out, err, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                    QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
    return runCommand(QCoreApplication::arguments().mid(1), console);
}

}   // namespace veltrin::cli

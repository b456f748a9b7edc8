#include "cli/CliParts.h"

#include "base/FileError.h"
#include "base/TextFile.h"
#include "core/JournalStore.h"
#include "core/Settings.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <array>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

#include <unistd.h>

namespace veltrin::cli {

namespace {

QString namedStorePath(const Arguments& arguments, const Console& console) {
    if (arguments.values.contains(QStringLiteral("--store"))) return arguments.value(QStringLiteral("--store"));
    const QString settings = QDir(console.settingsFolder).filePath(core::SettingsFileName);
    if (!base::fileExists(settings))
        throw CommandError(QStringLiteral("there is no settings file %1 to name the journal; start Veltrin once, "
                                          "or name the journal store with --store FILE")
                               .arg(settings));
    return core::parseSettings(base::readLines(settings), settings).CourseDir + core::JournalStoreName;
}

const QString TryHelp = QStringLiteral("Try 'veltrin journal --help'.");

struct JournalCommand {
    const char* name;
    const char* options;   // the options it takes besides --help, between blanks
    int (*run)(const Arguments&, Console&);
};

constexpr std::array<JournalCommand, 7> JournalCommands{{
    {"export", "--store --format --output --documents --open --raw-csv", exportCommand},
    {"search", "--store --subject --from --to", searchCommand},
    {"chart", "--store --output --documents --from --to --open", chartCommand},
    {"encrypt", "--store", encryptCommand},
    {"decrypt", "--store --recovery-key", decryptCommand},
    {"passwd", "--store", passwdCommand},
    {"stats", "--store --from --to --format", statsCommand},
}};

int printHelp(Console& console, const QString& help) {
    base::writeAll(console.out, help.toUtf8(), StandardOutput);
    return 0;
}

// Every option must be one the command takes, and the options must agree, before anything is written.
void checkOptions(const JournalCommand& command, const Arguments& arguments) {
    const QStringList taken = QString::fromLatin1(command.options).split(QLatin1Char(' '));
    for (const QString& option : arguments.values.keys() + arguments.flags.values())
        if (!taken.contains(option))
            throw UsageError(QStringLiteral("journal %1 does not take %2").arg(QLatin1String(command.name), option));
    const bool output = arguments.values.contains(QStringLiteral("--output"));
    const bool documents = arguments.has(QStringLiteral("--documents"));
    if (output && documents) throw UsageError(QStringLiteral("--output and --documents both name the file to write; give one"));
    if (arguments.has(QStringLiteral("--open")) && !output && !documents)
        throw UsageError(QStringLiteral("--open needs --output or --documents"));
}

int journalCommand(const Arguments& arguments, Console& console) {
    const QString name = arguments.words.value(1);
    for (const JournalCommand& command : JournalCommands) {
        if (name != QLatin1String(command.name)) continue;
        checkOptions(command, arguments);
        return command.run(arguments, console);
    }
    if (name.isEmpty())
        throw UsageError(QStringLiteral("journal needs a command: export, search, chart, stats, encrypt, decrypt or passwd"));
    throw UsageError(QStringLiteral("unknown journal command '%1'").arg(name));
}

int dispatch(const Arguments& arguments, Console& console) {
    const QString first = arguments.words.value(0);
    if (first == QLatin1String("journal")) {
        if (arguments.has(QStringLiteral("--help"))) return printHelp(console, journalHelp());
        return journalCommand(arguments, console);
    }
    if (first == QLatin1String("remind")) {
        if (arguments.has(QStringLiteral("--help"))) return printHelp(console, remindHelp());
        return remindCommand(arguments, console);
    }
    if (first.isEmpty() || first == QLatin1String("help")) return printHelp(console, mainHelp());
    throw UsageError(QStringLiteral("unknown command '%1'").arg(first));
}

}   // namespace

void tell(Console& console, const QString& line) { console.err.write((line + QLatin1Char('\n')).toUtf8()); }

// A command reads a journal that is there: a missing store is a mistyped name, not an empty journal.
QString storePath(const Arguments& arguments, const Console& console) {
    const QString store = namedStorePath(arguments, console);
    if (store.isEmpty()) throw CommandError(QStringLiteral("--store names no file"));
    base::requireReadable(store);
    return store;
}

int runCommand(const QStringList& arguments, Console& console) {
    try {
        return dispatch(parseArguments(arguments), console);
    } catch (const UsageError& error) {
        const QString help = arguments.value(0) == QLatin1String("remind") ? QStringLiteral("Try 'veltrin remind --help'.") : TryHelp;
        tell(console, QStringLiteral("veltrin: %1\n%2").arg(QString::fromStdString(error.what()), help));
        return 2;
    } catch (const CommandError& error) {
        tell(console, QStringLiteral("veltrin: %1").arg(QString::fromStdString(error.what())));
    } catch (const base::FileError& error) { tell(console, QStringLiteral("veltrin: %1: %2").arg(error.path(), error.reason())); }
    return 1;
}

namespace {

// The words after the program's name, as the toolkit would decode them.
QStringList commandArguments(int argc, char** argv) {
    QStringList arguments;
    for (int at = 1; at < argc; ++at) arguments << QString::fromLocal8Bit(argv[at]);
    return arguments;
}

// Without XDG_RUNTIME_DIR the toolkit warns as it starts; a private folder stands in while the command runs.
void standInForRuntimeFolder(std::optional<QTemporaryDir>& folder) {
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) return;
    folder.emplace();
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder->path()));
}

// Only the chart and the PDF draw text, which needs a graphical application (on the offscreen
// platform, which needs no display); the other commands start faster without one. A command line
// that cannot be read gets no graphical application either: it ends with its usage message.
bool drawsText(const QStringList& arguments) {
    try {
        const Arguments parsed = parseArguments(arguments);
        const QString command = parsed.words.value(1);
        return command == QLatin1String("chart") ||
               (command == QLatin1String("export") && parsed.value(QStringLiteral("--format")) == QLatin1String("pdf"));
    } catch (const UsageError&) { return false; }
}

}   // namespace

// The application gets a command line of its own, so that the user's words ("-reverse",
// "-platform xcb") are never read as the toolkit's options.
int runFromMain(int argc, char** argv) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::optional<QTemporaryDir> runtimeFolder;
    standInForRuntimeFolder(runtimeFolder);
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);   // a reader that went away is a failed write to report
#endif
    std::array<char*, 3> ownArguments{argv[0], const_cast<char*>("-platform"), const_cast<char*>("offscreen")};
    int ownCount = int(ownArguments.size());
    const QStringList arguments = commandArguments(argc, argv);
    const std::unique_ptr<QCoreApplication> application = drawsText(arguments)
                                                              ? std::make_unique<QGuiApplication>(ownCount, ownArguments.data())
                                                              : std::make_unique<QCoreApplication>(ownCount, ownArguments.data());
    QCoreApplication::setApplicationName(QStringLiteral("veltrin"));
    // Unbuffered: each write reaches the system at once, so that a refused one is seen and reported.
    QFile out;
    QFile err;
    if (!out.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        !err.open(fileno(stderr), QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    QFile in;
    Console console{out,
                    err,
                    QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                    QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                    QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/" VELTRIN_PROGRAM_FROM_COMMANDS)),
                    std::move(environment)};
    if (in.open(fileno(stdin), QIODevice::ReadOnly)) console.in = &in;
    console.inIsTerminal = ::isatty(fileno(stdin)) != 0;
    return runCommand(arguments, console);
}

}   // namespace veltrin::cli

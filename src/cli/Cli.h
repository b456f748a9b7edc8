#pragma once
// The command line: `veltrin journal export|search|chart ...` read the user's journal without a
// window and never write to it; `veltrin journal encrypt|decrypt|passwd` seal it, open it back and
// change its passphrase; `veltrin` alone starts the program.
#include <QIODevice>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace veltrin::cli {

// Where a command reads and writes: the console's two streams and the user's folders.
struct Console {
    QIODevice& out;
    QIODevice& err;
    QString settingsFolder;    // where the settings file lives
    QString documentsFolder;   // where --documents puts its file
    // The program (`veltrin`) that reminders start and that the reminder timer runs.
    QString program{};
    // The user's environment, for the program --open starts: none of what a command sets for itself.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Where passphrases come from, a line each: the terminal, asked without echo, or a script's input.
    QIODevice* in = nullptr;
    bool inIsTerminal = false;
};

// Runs the command `arguments` (without the program's name); returns the exit status: 0 done,
// 1 a file or the settings could not be used, 2 the command line is wrong.
int runCommand(const QStringList& arguments, Console& console);
// The same from main(): the application object without a display (it never reads the command line,
// which is the program's own), the real console and folders.
int runFromMain(int argc, char** argv);

}   // namespace veltrin::cli

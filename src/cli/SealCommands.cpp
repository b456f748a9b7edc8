// encrypt, decrypt and passwd, and the passphrase the journal commands read: from the terminal
// without echo, or a line at a time from standard input when it is not a terminal; never from an
// argument, where other users of the machine could read it.
#include "cli/CliParts.h"

#include "base/TextFile.h"
#include "core/JournalSeal.h"

#include <cstdio>

#ifndef Q_OS_WIN
#include <termios.h>
#include <unistd.h>
#endif

namespace veltrin::cli {

namespace {

// Turns the terminal's echo off while it lives.
class EchoOff {
public:
    EchoOff() {
#ifndef Q_OS_WIN
        m_on = ::tcgetattr(STDIN_FILENO, &m_before) == 0;
        if (!m_on) return;
        termios silent = m_before;
        silent.c_lflag &= tcflag_t(~ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
#endif
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;
    ~EchoOff() {
#ifndef Q_OS_WIN
        if (m_on) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_before);
#endif
    }

private:
#ifndef Q_OS_WIN
    termios m_before{};
    bool m_on = false;
#endif
};

// One line of the input without its line end; a terminal is asked with `prompt` and does not echo.
QByteArray secretLine(Console& console, const QString& prompt) {
    if (console.in == nullptr) throw CommandError(QStringLiteral("there is no input to read the %1 from").arg(prompt));
    QByteArray line;
    if (console.inIsTerminal) {
        console.err.write((prompt.front().toUpper() + prompt.mid(1) + QStringLiteral(": ")).toUtf8());
        const EchoOff echoOff;
        line = console.in->readLine();
        console.err.write("\n");
    } else {
        line = console.in->readLine();
    }
    if (line.isEmpty()) throw CommandError(QStringLiteral("the input ended before the %1").arg(prompt));
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    return line;
}

// A new passphrase: asked twice on a terminal, read once from a script's input; never empty.
QByteArray newPassphrase(Console& console, const QString& prompt) {
    QByteArray passphrase = secretLine(console, prompt);
    if (passphrase.isEmpty()) throw CommandError(QStringLiteral("the %1 is empty; nothing was changed").arg(prompt));
    if (console.inIsTerminal && secretLine(console, prompt + QStringLiteral(" again")) != passphrase)
        throw CommandError(QStringLiteral("the two passphrases differ; nothing was changed"));
    return passphrase;
}

core::JournalKey unlockedKey(std::optional<core::JournalKey> key, const QString& what, const QString& store) {
    if (!key) throw CommandError(QStringLiteral("wrong %1 for %2").arg(what, store));
    return std::move(*key);
}

core::JournalKey unlockWithPassphrase(Console& console, const QString& store, const QString& prompt) {
    return unlockedKey(core::unlockJournal(store, secretLine(console, prompt)), QStringLiteral("passphrase"), store);
}

void requireSealed(const QString& store) {
    if (!core::journalIsSealed(store)) throw CommandError(QStringLiteral("%1 is not encrypted").arg(store));
}

}   // namespace

std::optional<core::JournalKey> unlockIfSealed(Console& console, const QString& store) {
    if (!core::journalIsSealed(store)) return std::nullopt;
    return unlockWithPassphrase(console, store, QStringLiteral("passphrase"));
}

int encryptCommand(const Arguments& arguments, Console& console) {
    if (arguments.words.size() > 2) throw UsageError(QStringLiteral("encrypt takes no words: '%1'").arg(arguments.words[2]));
    const QString store = storePath(arguments, console);
    if (core::journalIsSealed(store)) throw CommandError(QStringLiteral("%1 is encrypted already").arg(store));
    const QString recoveryKey = core::encryptJournal(store, newPassphrase(console, QStringLiteral("new passphrase")));
    if (console.inIsTerminal)
        tell(console, QStringLiteral("The journal is encrypted. Its recovery key follows, shown this once: write it down and keep it\n"
                                     "apart from this computer. It opens the journal when the passphrase is lost."));
    base::writeAll(console.out, (recoveryKey + QLatin1Char('\n')).toUtf8(), StandardOutput);
    core::removePlainCopies(core::plainJournalCopies(store));
    return 0;
}

int decryptCommand(const Arguments& arguments, Console& console) {
    if (arguments.words.size() > 2) throw UsageError(QStringLiteral("decrypt takes no words: '%1'").arg(arguments.words[2]));
    const QString store = storePath(arguments, console);
    requireSealed(store);
    const core::JournalKey key =
        arguments.has(QStringLiteral("--recovery-key"))
            ? unlockedKey(core::unlockJournalWithRecoveryKey(store, QString::fromUtf8(secretLine(console, QStringLiteral("recovery key")))),
                          QStringLiteral("recovery key"), store)
            : unlockWithPassphrase(console, store, QStringLiteral("passphrase"));
    core::decryptJournal(store, key);
    return 0;
}

int passwdCommand(const Arguments& arguments, Console& console) {
    if (arguments.words.size() > 2) throw UsageError(QStringLiteral("passwd takes no words: '%1'").arg(arguments.words[2]));
    const QString store = storePath(arguments, console);
    requireSealed(store);
    const core::JournalKey key = unlockWithPassphrase(console, store, QStringLiteral("old passphrase"));
    core::changeJournalPassphrase(store, key, newPassphrase(console, QStringLiteral("new passphrase")));
    return 0;
}

}   // namespace veltrin::cli

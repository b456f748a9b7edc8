#pragma once
// The journal's passphrase asked of the user: once to open the journal, twice (with the idle time
// after which it locks again) to protect it.
#include <QByteArray>
#include <QString>

#include <optional>

class QWidget;

namespace veltrin::ui {

struct PassphraseQuestion {
    QString title;
    QString prompt;
    bool confirm = false;   // asks twice, and for the lock time, which starts at `lockMinutes`
    int lockMinutes = 10;
};

struct PassphraseAnswer {
    QByteArray passphrase;   // UTF-8; the caller wipes it when done
    int lockMinutes = 0;     // asked when confirming, else 0
};

// The longest idle time the dialog offers, in minutes: a working day.
inline constexpr int LongestLockMinutes = 480;

// Asks with the program's own dialog; empty when the user cancels. The typed text is wiped from
// the dialog's fields before it closes.
std::optional<PassphraseAnswer> askWithPassphraseDialog(QWidget* parent, const PassphraseQuestion& question);

}   // namespace veltrin::ui

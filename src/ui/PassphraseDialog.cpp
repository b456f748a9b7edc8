#include "ui/PassphraseDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace veltrin::ui {

namespace {

QLineEdit* passphraseField(QDialog& dialog, const QString& name) {
    auto* field = new QLineEdit(&dialog);
    field->setObjectName(name);
    field->setEchoMode(QLineEdit::Password);
    field->setAccessibleName(name == QLatin1String("passphraseAgain") ? QStringLiteral("Passphrase again") : QStringLiteral("Passphrase"));
    return field;
}

// The fields keep no copy of what was typed once the answer has been taken.
void wipe(QLineEdit* field) {
    if (field) field->clear();
}

}   // namespace

std::optional<PassphraseAnswer> askWithPassphraseDialog(QWidget* parent, const PassphraseQuestion& question) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("passphraseDialog"));
    dialog.setWindowTitle(question.title);
    dialog.setMinimumWidth(460);
    auto* column = new QVBoxLayout(&dialog);
    auto* prompt = new QLabel(question.prompt, &dialog);
    prompt->setWordWrap(true);
    column->addWidget(prompt);
    auto* form = new QFormLayout;
    column->addLayout(form);
    QLineEdit* passphrase = passphraseField(dialog, QStringLiteral("passphrase"));
    form->addRow(QStringLiteral("Passphrase:"), passphrase);
    QLineEdit* again = nullptr;
    QSpinBox* minutes = nullptr;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    if (question.confirm) {
        again = passphraseField(dialog, QStringLiteral("passphraseAgain"));
        form->addRow(QStringLiteral("Again:"), again);
        minutes = new QSpinBox(&dialog);
        minutes->setObjectName(QStringLiteral("lockMinutes"));
        minutes->setRange(1, LongestLockMinutes);
        minutes->setValue(question.lockMinutes);
        minutes->setSuffix(QStringLiteral(" minutes"));
        form->addRow(QStringLiteral("Lock when unused for:"), minutes);
        auto* differ = new QLabel(QStringLiteral("The two passphrases differ."), &dialog);
        differ->setObjectName(QStringLiteral("passphrasesDiffer"));
        column->addWidget(differ);
        const auto check = [=] {
            const bool same = passphrase->text() == again->text();
            differ->setVisible(!same);
            buttons->button(QDialogButtonBox::Ok)->setEnabled(same && !passphrase->text().isEmpty());
        };
        QObject::connect(passphrase, &QLineEdit::textChanged, &dialog, check);
        QObject::connect(again, &QLineEdit::textChanged, &dialog, check);
        check();
    }
    column->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    std::optional<PassphraseAnswer> answer;
    if (dialog.exec() == QDialog::Accepted) answer = PassphraseAnswer{passphrase->text().toUtf8(), minutes ? minutes->value() : 0};
    wipe(passphrase);
    wipe(again);
    return answer;
}

}   // namespace veltrin::ui

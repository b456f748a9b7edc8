#include "shell/Wire.h"

#include <QApplication>
#include <QShortcut>

#include <vector>

namespace veltrin::shell {

namespace {

QShortcut* newKey(Program& p, const QKeySequence& key) { return new QShortcut(key, &p.window); }

QString keyName(const QKeySequence& key) { return key.toString(QKeySequence::NativeText); }

// A key does what a click on its button does, while the button is on show and enabled: the click
// goes through the button's own wiring, so its handler runs inside the same handler boundary.
void pressOnKey(Program& p, const QKeySequence& key, QAbstractButton* button) {
    QObject::connect(newKey(p, key), &QShortcut::activated, button, [button] {
        if (button->isVisible()) button->click();
    });
}

void pressOnKey(Program& p, const QKeySequence& key, QPushButton* button, const QString& toolTip) {
    pressOnKey(p, key, button);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(toolTip, keyName(key)));
}

void pressOnKey(Program& p, const QKeySequence& key, ui::PictureButton* button) {
    pressOnKey(p, key, static_cast<QAbstractButton*>(button));
    button->setShortcutHint(keyName(key));
}

// The same for an arrow, whose click is a press, a release and the click itself.
QShortcut* clickOnKey(Program& p, const QKeySequence& key, ui::PictureBox* arrow, const QString& toolTip) {
    QShortcut* shortcut = newKey(p, key);
    QObject::connect(shortcut, &QShortcut::activated, arrow, [arrow] {
        if (arrow->isVisible()) arrow->click();
    });
    arrow->setToolTip(QStringLiteral("%1 (%2)").arg(toolTip, keyName(key)));
    return shortcut;
}

bool readsOnFrom(const ui::MainWindow& f, const QWidget* focus) {
    return !focus || focus == &f || focus == f.upArrow || focus == f.downArrow || focus == f.readingPane ||
           f.readingPane->isAncestorOf(focus);
}

// The reading keys are Space and Shift+Space, which every desktop gives to the focused button or
// option button: they read on and back only while the focus is on the window, the reading pane or
// an arrow, and elsewhere press or choose the focused control.
void readOnlyFromReadingControls(Program& p, std::vector<QShortcut*> keys) {
    const auto follow = [&f = p.window, keys](QWidget*, QWidget* focus) {
        for (QShortcut* key : keys) key->setEnabled(readsOnFrom(f, focus));
    };
    QObject::connect(qApp, &QApplication::focusChanged, &p.window, follow);
    follow(nullptr, QApplication::focusWidget());
}

}   // namespace

// Keys typed into a text box (the entry box, the subject box, the topic list) stay text: the box
// claims every key that types something before a shortcut sees it.
void WireKeys(Program& p) {
    ui::MainWindow& f = p.window;
    readOnlyFromReadingControls(
        p, {clickOnKey(p, QKeySequence(Qt::Key_Space), f.upArrow, QStringLiteral("Read on, or stop reading")),
            clickOnKey(p, QKeySequence(Qt::SHIFT | Qt::Key_Space), f.downArrow, QStringLiteral("Read back, or stop"))});
    pressOnKey(p, QKeySequence(Qt::Key_Escape), f.okButton, QStringLiteral("Close the Torch panel"));
    pressOnKey(p, QKeySequence(Qt::Key_Y), f.yesButton, QStringLiteral("Yes"));
    pressOnKey(p, QKeySequence(Qt::Key_N), f.noButton, QStringLiteral("No"));
    pressOnKey(p, QKeySequence(Qt::CTRL | Qt::Key_Return), f.addEntryButton, QStringLiteral("Add Journal Entry"));
    pressOnKey(p, QKeySequence(Qt::CTRL | Qt::Key_Enter), f.addEntryButton);
    pressOnKey(p, QKeySequence(Qt::CTRL | Qt::Key_J), f.journalButton);
    pressOnKey(p, QKeySequence(Qt::Key_F1), f.manualButton);
    pressOnKey(p, QKeySequence(Qt::CTRL | Qt::Key_Q), f.exitButton);
}

}   // namespace veltrin::shell

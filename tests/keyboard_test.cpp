// The keyboard on the real window: each shortcut does what a click on its control does, keys typed
// into the text boxes stay text, Tab walks the controls in order and marks the focused one.
#include "journal/Journal.h"
#include "support/CourseFixture.h"

#include "core/JournalExport.h"

#include <QApplication>
#include <QLineEdit>

#include <map>

namespace veltrin::test {
namespace {

class Keyboard : public CourseFixture {
protected:
    // Started as the program starts, on the scrolling introduction, 100 pixels into the text.
    void SetUp() override {
        writeStartingCourse({"scrollintro.rtf", "er-1.rtf", "resetmsg.rtf", "veltrinnotreset.rtf", "Greetings.rtf"});
        writeSettings(-1, -100);
        start();
        window().show();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        sys.sounds.commands.clear();
    }
    // A key pressed where the focus is, as the person at the keyboard does.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &window(), key, modifiers);
    }
    void pressAfterPasses(long passes, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        afterPasses(passes, [this, key, modifiers] { press(key, modifiers); });
    }
};

// Space presses the focused button (OK, Export..., Done) and chooses the focused option button, as on
// every desktop, and is a blank in the entry box; a panel or frame that closes with the focus gives it
// back to the up arrow. Tab goes on from there to the down arrow, the speed and position bars and
// the right-hand column, passing over the closed panel and frame; the focused arrow, bar and option
// button each wear a frame. On it Space and Return start and stop reading as the up arrow does, Shift+Space as the down
// arrow does. Tab leaves the entry box, which keeps what was typed. Escape with OK not on show does nothing.
TEST_F(Keyboard, EachKeyDoesWhatItsControlDoes) {
    ui::MainWindow& f = window();
    int asked = 0;
    sys.saveAnswer = [&asked](QWidget*, const ui::SaveQuestion&) {
        ++asked;
        return std::optional<ui::SaveAnswer>();
    };
    f.okButton->setFocus();
    press(Qt::Key_Space);   // the panel closes (torch-off)
    EXPECT_EQ(QApplication::focusWidget(), f.upArrow);
    std::map<QWidget*, QImage> focused;
    for (QWidget* next : std::initializer_list<QWidget*>{f.downArrow, f.speedBar, f.positionBar, f.journalButton, f.manualButton,
                                                         f.contactButton, f.askTorchButton}) {
        focused[QApplication::focusWidget()] = QApplication::focusWidget()->grab().toImage();
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
    for (QWidget* control : {static_cast<QWidget*>(f.upArrow), static_cast<QWidget*>(f.speedBar)})
        EXPECT_NE(control->grab().toImage(), focused[control]);
    // The tooltip shows the key; the one the program reads back keeps its words.
    EXPECT_EQ(f.exitButton->toolTip(), "Exit Veltrin");
    EXPECT_EQ(f.exitButton->toolTipShown(), "Exit Veltrin (Ctrl+Q)");
    press(Qt::Key_Escape);
    press(Qt::Key_J, Qt::ControlModifier);
    f.exportJournalButton->setFocus();
    press(Qt::Key_Space);
    f.rankOptions[1][2]->setFocus();
    press(Qt::Key_Space);
    const QImage rankFocused = f.rankOptions[1][2]->grab().toImage();
    f.entryBox->setFocus();
    EXPECT_NE(f.rankOptions[1][2]->grab().toImage(), rankFocused);
    QTest::keyClicks(f.entryBox, "a b");   // a blank: reading does not start
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.journalChartButton);
    f.doneButton->setFocus();
    press(Qt::Key_Space);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(f.rankOptions[1][2]->isChecked());
    EXPECT_EQ(f.entryBox->toPlainText(), "a b");
    EXPECT_TRUE(f.journalFrame->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), f.upArrow);
    pressAfterPasses(100, Qt::Key_Space);
    press(Qt::Key_Space);
    EXPECT_EQ(sys.scrollPasses, 100);
    EXPECT_LT(state().settings.ScrollPos, -100);
    const int stoppedAt = state().settings.ScrollPos;
    pressAfterPasses(sys.scrollPasses + 100, Qt::Key_Space, Qt::ShiftModifier);
    press(Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_GT(state().settings.ScrollPos, stoppedAt);
    pressAfterPasses(sys.scrollPasses + 5, Qt::Key_Space);
    press(Qt::Key_Return);

    // Ctrl+Return adds an entry only while the journal frame is open (here refused: not every
    // category is ranked), and works from the entry box as Escape does; Ctrl+J and F1 are the journal
    // and manual buttons. With the reset question on show, Y in the subject box is a letter, and N
    // elsewhere answers No (Torch then says nothing was erased).
    press(Qt::Key_Return, Qt::ControlModifier);
    press(Qt::Key_J, Qt::ControlModifier);
    f.entryBox->setFocus();
    QTest::keyClicks(f.entryBox, "Calm");
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(f.entryBox->toPlainText(), "a bCalm");
    EXPECT_TRUE(f.torchPane->FileName().endsWith("/er-1.rtf"));
    press(Qt::Key_Escape);
    sys.script(
        "type Y into the subject box, then press N", [&f] { return f.noButton->isVisible(); },
        [this, &f] {
            f.subjectBox->setFocus();
            QTest::keyClicks(f.subjectBox->lineEdit(), "Y y");
            EXPECT_EQ(f.subjectBox->currentText(), "Y y");
            EXPECT_TRUE(f.yesButton->isVisible());
            f.upArrow->setFocus();
            press(Qt::Key_N);
        });
    click(f.eraseButton);
    press(Qt::Key_Escape);
    press(Qt::Key_F1);
    EXPECT_TRUE(f.journalFrame->isHidden());   // and the manual opens (scopn)
    EXPECT_EQ(sys.playedSounds(),
              QStringList({"torch-off", "opnjnl", "closjnl", "scroll-on", "Scroll-off", "scroll-on", "scroll-off", "scroll-on",
                           "Scroll-off", "opnjnl", "resetyn", "torch-off", "resetyn", "resetn", "torch-on", "torch-off", "scopn"}));
}

}   // namespace
}   // namespace veltrin::test

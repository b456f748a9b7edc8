// The Torch panel: the opening and closing animations with their sounds, yields and pauses, the
// caller's name and flag, the Yes/No row, the sounds, the wait for OK, and the pane in the panel.
#include "support/CourseFixture.h"

#include "torch/Torch.h"

#include <QRegularExpression>
#include <QScrollBar>

namespace veltrin::test {
namespace {

using torch::ShowTorchDocument;

QColor frameColour(int frame) { return QColor(40 * frame, 255 - 40 * frame, 90); }

class TorchPanel : public CourseFixture {
protected:
    // Torch frames 1 .. 5 (Picture10 .. Picture6) get pictures of distinct colours, so the timeline
    // can note the frame on show at each yield and pause.
    void SetUp() override {
        writeStartingCourse({"greetings.rtf", "NewSubject.rtf", "resetmsg.rtf"});
        setFolders();
        const std::array<ui::PictureBox*, 5> holders{form().Picture10, form().Picture9, form().Picture8, form().Picture7, form().Picture6};
        for (int frame = 1; frame <= 5; ++frame) {
            QPixmap picture(8, 8);
            picture.fill(frameColour(frame));
            holders[std::size_t(frame - 1)]->setPicture(picture);
        }
        sys.look = [this] { return frameOnShow(); };
    }

    QString frameOnShow() {
        const QPixmap& shown = form().Picture3->picture();
        for (int frame = 1; frame <= 5; ++frame)
            if (!shown.isNull() && shown.toImage().pixelColor(0, 0) == frameColour(frame)) return QStringLiteral("frame %1").arg(frame);
        return QStringLiteral("no frame");
    }

    // The panel as the user sees it: which of its parts are visible, and whether the pane holds text.
    QString panelState() {
        QStringList seen;
        if (!form().Picture2->isHidden()) seen << "panel";
        if (!form().RichTextBox2->isHidden()) seen << "pane";
        if (!form().RichTextBox2->toPlainText().isEmpty()) seen << "text";
        if (!form().Command10->isHidden()) seen << "Ask Torch";
        if (form().VScroll1->isEnabled() && form().VScroll2->isEnabled()) seen << "bars";
        return seen.join(' ');
    }

    void openPanelQuietly() {
        ShowTorchDocument(program(), QStringLiteral("greetings.rtf"), 0);
        sys.timeline.clear();
        sys.sounds.commands.clear();
    }
    // Ask Torch is visible exactly when the panel is hidden.
    void expectAskTorchInvariant() { EXPECT_EQ(form().Command10->isHidden(), !form().Picture2->isHidden()); }
};

struct Animation {
    const char* name;
    bool panelOpen;   // before the action
    void (*act)(Program&);
    QStringList timeline;
    const char* lastFrame;
};

void showGreetings(Program& p, int flag) {
    QString name = QStringLiteral("greetings.rtf");
    ShowTorchDocument(p, name, flag);
}

const QStringList openingFrames{"yield at frame 1", "yield at frame 2", "pause 0.15 at frame 2", "yield at frame 3",
                                "pause 0.15 at frame 3", "yield at frame 4", "pause 0.15 at frame 4"};
const QStringList closingFrames{"yield at frame 5", "pause 0.1 at frame 5", "yield at frame 4", "pause 0.1 at frame 4",
                                "yield at frame 3", "pause 0.1 at frame 3", "yield at frame 2", "pause 0.1 at frame 2"};

const Animation animations[] = {
    {"OpeningWithFlag1", false, [](Program& p) { showGreetings(p, 1); }, QStringList{"sound torch-on"} + openingFrames, "frame 5"},
    {"OpeningWithFlag0", false, [](Program& p) { showGreetings(p, 0); }, openingFrames, "frame 5"},
    {"ClosingWithFlag1", true, [](Program& p) { showGreetings(p, 1); }, QStringList{"sound torch-off"} + closingFrames, "frame 1"},
    {"OkButton", true, torch::Command11_Click, QStringList{"sound torch-off"} + closingFrames, "frame 1"},
    {"AskTorch", false, torch::Command10_Click,
     QStringList{"yield at no frame", "yield at frame 1", "sound torch-on"} + openingFrames.mid(1) + QStringList{"pause 0.15 at frame 5"},
     "frame 5"},
};

class TorchAnimation : public TorchPanel, public ::testing::WithParamInterface<Animation> {};

TEST_P(TorchAnimation, PlaysItsSoundsYieldsAndPausesInOrder) {
    const Animation& animation = GetParam();
    if (animation.panelOpen) openPanelQuietly();
    animation.act(program());
    EXPECT_EQ(sys.timeline, animation.timeline);
    EXPECT_EQ(frameOnShow(), animation.lastFrame);
    expectAskTorchInvariant();
}

INSTANTIATE_TEST_SUITE_P(TorchPanel, TorchAnimation, ::testing::ValuesIn(animations), caseName);

// The pane and its document appear only after the opening's last frame, its old text gone first;
// closing gives back Ask Torch and the bars before its animation.
TEST_F(TorchPanel, PaneAfterOpeningAndAskTorchBeforeClosing) {
    openPanelQuietly();
    ShowTorchDocument(program(), QString(), 0);
    sys.look = [this] { return panelState(); };
    sys.timeline.clear();
    ShowTorchDocument(program(), QStringLiteral("newsubject.rtf"), 0);   // the name matched without regard to case
    EXPECT_EQ(sys.timeline, QStringList(openingFrames).replaceInStrings(QRegularExpression("frame \\d"), "panel"));
    EXPECT_EQ(panelState(), "panel pane text");
    EXPECT_EQ(form().RichTextBox2->toPlainText().trimmed(), "NewSubject.rtf");
    sys.timeline.clear();
    ShowTorchDocument(program(), QString(), 1);
    EXPECT_EQ(sys.timeline, QStringList{"sound torch-off"} + QStringList(closingFrames).replaceInStrings(
                                QRegularExpression("frame \\d"), "panel text Ask Torch bars"));
    EXPECT_EQ(panelState(), "text Ask Torch bars");
}

TEST_F(TorchPanel, AMissingDocumentLeavesThePaneEmptyAndThePanelWorking) {
    showGreetings(program(), 0);
    ShowTorchDocument(program(), QString(), 0);
    ShowTorchDocument(program(), QStringLiteral("no such document.rtf"), 1);
    EXPECT_EQ(panelState(), "panel pane");
    torch::Command11_Click(program());
    EXPECT_EQ(panelState(), "Ask Torch bars");
    EXPECT_EQ(sys.playedSounds(), QStringList({"torch-on", "torch-off"}));
}

// What a call does to the caller's name and flag, and which torch sound it plays.
struct CallerVariables {
    const char* name;
    bool panelOpen;
    const char* nameIn;
    int flagIn;
    const char* nameOut;
    int flagOut;
    QStringList sounds;
};

const CallerVariables callerVariables[] = {
    {"OpeningWithFlag1", false, "greetings.rtf", 1, "greetings.rtf", 0, {"torch-on"}},
    {"OpeningWithFlag2", false, "greetings.rtf", 2, "greetings.rtf", 2, {}},
    {"ClosingWithFlag1", true, "greetings.rtf", 1, "greetings.rtf", 0, {"torch-off"}},
    {"EmptyTopicNameMixedCase", false, ".rTf", 2, "", 2, {}},
    {"EmptyTopicNameWhileClosing", true, ".RTF", 1, ".RTF", 0, {"torch-off"}},
};

class TorchCaller : public TorchPanel, public ::testing::WithParamInterface<CallerVariables> {};

TEST_P(TorchCaller, GetsItsNameAndFlagBackAsTheCallLeavesThem) {
    const CallerVariables& call = GetParam();
    if (call.panelOpen) openPanelQuietly();
    QString name = QString::fromLatin1(call.nameIn);
    int flag = call.flagIn;
    ShowTorchDocument(program(), name, flag);
    EXPECT_EQ(name, call.nameOut);
    EXPECT_EQ(flag, call.flagOut);
    EXPECT_EQ(sys.playedSounds(), call.sounds);
    expectAskTorchInvariant();
}

INSTANTIATE_TEST_SUITE_P(TorchPanel, TorchCaller, ::testing::ValuesIn(callerVariables), caseName);

// Yes and No share a row inside the panel, under the reset question alone (its name in any case):
// any other document opening while the question waits shows OK. Only OK clears AskYesNo.
TEST_F(TorchPanel, OnlyTheQuestionShowsYesAndNoAndOnlyOkEndsIt) {
    const auto buttons = [this] {
        QStringList shown;
        for (QPushButton* button : {form().Command18, form().Command11, form().Command12})
            if (!button->isHidden()) shown << button->text();
        return shown;
    };
    state().AskYesNo = true;
    ShowTorchDocument(program(), QStringLiteral("resetmsg.rtf"), 0);
    ShowTorchDocument(program(), QString(), 0);
    EXPECT_TRUE(state().AskYesNo);
    ShowTorchDocument(program(), QStringLiteral("ResetMsg.RTF"), 0);
    EXPECT_EQ(buttons(), QStringList({"Yes", "No"}));
    EXPECT_EQ(form().Command18->geometry().top(), form().Command12->geometry().top());
    EXPECT_LT(form().Command18->geometry().right(), form().Command12->geometry().left());
    EXPECT_LE(form().Command12->geometry().right(), form().Picture2->width());
    ShowTorchDocument(program(), QString(), 0);
    showGreetings(program(), 0);
    EXPECT_EQ(buttons(), QStringList({"OK"}));
    EXPECT_TRUE(state().AskYesNo);
    torch::Command11_Click(program());
    EXPECT_FALSE(state().AskYesNo);
}

TEST_F(TorchPanel, ASoundIsFiveCommandsAndMutedSoundsSendNothing) {
    torch::PlaySound(program(), QStringLiteral("speak"));
    EXPECT_EQ(sys.sounds.commands, QStringList({"Close", "FileName " + soundDir() + "speak.wav", "Open", "Play", "Prev"}));
    sys.sounds.commands.clear();
    for (std::int16_t muted : {1, -1}) {
        state().SoundsMuted = muted;
        torch::PlaySound(program(), QStringLiteral("speak"));
        showGreetings(program(), 1);
        torch::Command11_Click(program());
        torch::Command10_Click(program());
        torch::Command11_Click(program());
    }
    EXPECT_TRUE(sys.sounds.commands.isEmpty()) << sys.sounds.commands.join(", ").toStdString();
}

TEST_F(TorchPanel, AskTorchClosesTheContactWindowAndOpensOnTheTopicListWithoutADocument) {
    program().about.show();
    program().about.Check1->setChecked(false);
    form().RichTextBox2->SetText(QStringLiteral("an earlier answer"));
    form().Combo1->setEditText(QStringLiteral("Greetings"));
    state().ScrollActive = true;
    torch::Command10_Click(program());
    EXPECT_TRUE(program().about.isHidden());
    EXPECT_EQ(sys.timeline.first(), "sound stuffout");
    EXPECT_EQ(panelState(), "panel text bars");
    EXPECT_EQ(form().Combo1->currentText(), "");
    EXPECT_FALSE(state().ScrollActive);
}

TEST_F(TorchPanel, AWaitForTheUserEndsWhenOkIsPressed) {
    QObject::connect(form().Command11, &QPushButton::clicked, &form(), [this] { torch::Command11_Click(program()); });
    showGreetings(program(), 1);
    pressOkWhenTorchOpens();
    shell::WaitForTorchClosed(program());
    EXPECT_EQ(sys.playedSounds(), QStringList({"torch-on", "torch-off"}));
    expectAskTorchInvariant();
}

TEST_F(TorchPanel, ALongDocumentScrollsInsideThePanel) {
    writeFile(appDir() + "long.rtf", rtfDocument(QStringLiteral("Torch has a great deal to say today. ").repeated(40)));
    form().show();
    ShowTorchDocument(program(), QStringLiteral("long.rtf"), 0);
    const QScrollBar* bar = form().RichTextBox2->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_LE(bar->mapTo(form().Picture2, QPoint(bar->width(), 0)).x(), form().Picture2->width());
    EXPECT_EQ(form().RichTextBox2->horizontalScrollBar()->maximum(), 0);
}

} // namespace
} // namespace veltrin::test

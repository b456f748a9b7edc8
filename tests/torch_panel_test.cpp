// The Torch panel: the opening and closing animations with their sounds, yields and pauses, the
// caller's name and flag, the buttons of the panel, the Ask Torch and OK buttons and the sounds.
#include "support/TorchFixture.h"

#include "torch/Torch.h"

#include <QTest>

namespace veltrin::test {
namespace {

using torch::ShowTorchDocument;

class TorchPanel : public TorchFixture {
protected:
    void SetUp() override { writeStartingCourse({"greetings.rtf", "closejnl.rtf", "NewSubject.rtf"}); }

    // The panel as the user sees it: which of its parts are visible, and whether the pane holds text.
    QString panelState() const {
        QStringList seen;
        if (!form.Picture2->isHidden()) seen << "panel";
        if (!form.Combo1->isHidden()) seen << "list";
        if (!form.RichTextBox2->isHidden()) seen << "pane";
        if (!form.RichTextBox2->toPlainText().isEmpty()) seen << "text";
        if (!form.Picture11->isHidden()) seen << "marker";
        if (!form.Command10->isHidden()) seen << "Ask Torch";
        if (form.VScroll1->isEnabled() && form.VScroll2->isEnabled()) seen << "bars";
        return seen.join(' ');
    }

    QStringList panelButtons() const {
        QStringList shown;
        for (QPushButton* button : {form.Command18, form.Command11, form.Command12})
            if (!button->isHidden()) shown << button->text();
        return shown;
    }
};

// The recorded sounds, yields and pauses of each way of opening and closing the panel.
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

const QStringList openingFrames{"yield at frame 1",          "yield at frame 2", "pause 0.15 at frame 2",
                                "yield at frame 3",          "pause 0.15 at frame 3", "yield at frame 4",
                                "pause 0.15 at frame 4"};
const QStringList closingFrames{"yield at frame 5", "pause 0.1 at frame 5", "yield at frame 4", "pause 0.1 at frame 4",
                                "yield at frame 3", "pause 0.1 at frame 3", "yield at frame 2", "pause 0.1 at frame 2"};

const Animation animations[] = {
    {"OpeningWithFlag1", false, [](Program& p) { showGreetings(p, 1); }, QStringList{"sound torch-on"} + openingFrames, "frame 5"},
    {"OpeningWithFlag0", false, [](Program& p) { showGreetings(p, 0); }, openingFrames, "frame 5"},
    {"ClosingWithFlag1", true, [](Program& p) { showGreetings(p, 1); }, QStringList{"sound torch-off"} + closingFrames, "frame 1"},
    {"OkButton", true, torch::Command11_Click, QStringList{"sound torch-off"} + closingFrames, "frame 1"},
    {"AskTorch", false, torch::Command10_Click,
     {"yield at no frame", "yield at frame 1", "sound torch-on", "yield at frame 2", "pause 0.15 at frame 2",
      "yield at frame 3", "pause 0.15 at frame 3", "yield at frame 4", "pause 0.15 at frame 4", "pause 0.15 at frame 5"},
     "frame 5"},
};

class TorchAnimation : public TorchPanel, public ::testing::WithParamInterface<Animation> {};

TEST_P(TorchAnimation, PlaysItsSoundsYieldsAndPausesInOrder) {
    const Animation& animation = GetParam();
    if (animation.panelOpen) openPanelQuietly();
    animation.act(p);
    EXPECT_EQ(watch.timeline, animation.timeline);
    EXPECT_EQ(frameOnShow(form), animation.lastFrame);
    expectAskTorchInvariant();
}

INSTANTIATE_TEST_SUITE_P(TorchPanel, TorchAnimation, ::testing::ValuesIn(animations),
                         caseName);

TEST_F(TorchPanel, OpeningShowsThePaneAndItsDocumentOnlyAfterTheLastFrame) {
    openPanelQuietly(QStringLiteral("greetings.rtf"));
    ShowTorchDocument(p, QString(), 0);
    form.Picture11->show();   // a check-point added a topic while the panel was open
    watch.look = [this] { return panelState(); };
    watch.timeline.clear();
    ShowTorchDocument(p, QStringLiteral("closejnl.rtf"), 0);
    EXPECT_EQ(watch.timeline, QStringList({"yield at panel list marker", "yield at panel list marker",
                                           "pause 0.15 at panel list marker", "yield at panel list marker",
                                           "pause 0.15 at panel list marker", "yield at panel list marker",
                                           "pause 0.15 at panel list marker"}));
    EXPECT_EQ(panelState(), "panel list pane text marker");
    EXPECT_TRUE(form.RichTextBox2->toPlainText().contains("closejnl.rtf"));
}

TEST_F(TorchPanel, ClosingGivesBackAskTorchAndTheBarsBeforeTheAnimation) {
    openPanelQuietly(QStringLiteral("greetings.rtf"));
    form.Picture11->show();
    watch.look = [this] { return panelState(); };
    ShowTorchDocument(p, QString(), 1);
    EXPECT_EQ(watch.timeline, QStringList({"sound torch-off", "yield at panel list text marker Ask Torch bars",
                                           "pause 0.1 at panel list text marker Ask Torch bars",
                                           "yield at panel list text marker Ask Torch bars",
                                           "pause 0.1 at panel list text marker Ask Torch bars",
                                           "yield at panel list text marker Ask Torch bars",
                                           "pause 0.1 at panel list text marker Ask Torch bars",
                                           "yield at panel list text marker Ask Torch bars",
                                           "pause 0.1 at panel list text marker Ask Torch bars"}));
    EXPECT_EQ(panelState(), "text Ask Torch bars");
}

TEST_F(TorchPanel, DocumentNamesAreMatchedWithoutRegardToCase) {
    ShowTorchDocument(p, QStringLiteral("newsubject.rtf"), 0);
    EXPECT_EQ(form.RichTextBox2->toPlainText().trimmed(), "NewSubject.rtf");
}

TEST_F(TorchPanel, AMissingDocumentLeavesThePaneEmptyAndThePanelWorking) {
    ShowTorchDocument(p, QStringLiteral("greetings.rtf"), 0);
    ShowTorchDocument(p, QString(), 0);
    ShowTorchDocument(p, QStringLiteral("no such document.rtf"), 1);
    EXPECT_EQ(panelState(), "panel list pane");
    expectAskTorchInvariant();
    torch::Command11_Click(p);
    EXPECT_EQ(panelState(), "Ask Torch bars");
    EXPECT_EQ(watch.playedSounds(), QStringList({"torch-on", "torch-off"}));
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
    {"ClosingWithFlag2", true, "greetings.rtf", 2, "greetings.rtf", 2, {}},
    {"EmptyTopicName", false, ".rtf", 1, "", 0, {"torch-on"}},
    {"EmptyTopicNameMixedCase", false, ".rTf", 2, "", 2, {}},
    {"EmptyTopicNameWhileClosing", true, ".RTF", 1, ".RTF", 0, {"torch-off"}},
};

class TorchCaller : public TorchPanel, public ::testing::WithParamInterface<CallerVariables> {};

TEST_P(TorchCaller, GetsItsNameAndFlagBackAsTheCallLeavesThem) {
    const CallerVariables& call = GetParam();
    if (call.panelOpen) openPanelQuietly(QStringLiteral("greetings.rtf"));
    QString name = QString::fromLatin1(call.nameIn);
    int flag = call.flagIn;
    ShowTorchDocument(p, name, flag);
    EXPECT_EQ(name, call.nameOut);
    EXPECT_EQ(flag, call.flagOut);
    EXPECT_EQ(watch.playedSounds(), call.sounds);
    expectAskTorchInvariant();
}

INSTANTIATE_TEST_SUITE_P(TorchPanel, TorchCaller, ::testing::ValuesIn(callerVariables),
                         caseName);

TEST_F(TorchPanel, AQuestionShowsYesAndNoOnEveryCallWhileAskYesNoIsSet) {
    p.state.AskYesNo = true;
    ShowTorchDocument(p, QStringLiteral("greetings.rtf"), 0);
    EXPECT_EQ(panelButtons(), QStringList({"Yes", "No"}));
    ShowTorchDocument(p, QString(), 0);
    EXPECT_TRUE(p.state.AskYesNo) << "only OK and the callers clear the question";
    EXPECT_EQ(panelButtons(), QStringList({"Yes", "No"}));
    p.state.AskYesNo = false;
    ShowTorchDocument(p, QStringLiteral("greetings.rtf"), 0);
    EXPECT_EQ(panelButtons(), QStringList({"OK"}));
}

TEST_F(TorchPanel, ASoundIsSentAsFiveCommandsWithItsFile) {
    torch::PlaySound(p, QStringLiteral("speak"));
    EXPECT_EQ(watch.sounds.commands, QStringList({"Close", "FileName " + soundDir() + "speak.wav", "Open", "Play", "Prev"}));
}

TEST_F(TorchPanel, MutedSoundsSendNothingAtAll) {
    for (std::int16_t muted : {1, -1}) {
        p.state.SoundsMuted = muted;
        torch::PlaySound(p, QStringLiteral("speak"));
        showGreetings(p, 1);
        torch::Command11_Click(p);
        torch::Command10_Click(p);
        torch::Command11_Click(p);
    }
    EXPECT_TRUE(watch.sounds.commands.isEmpty()) << watch.sounds.commands.join(", ").toStdString();
}

TEST_F(TorchPanel, AskTorchOpensOnTheTopicListWithoutADocument) {
    form.RichTextBox2->SetText(QStringLiteral("an earlier answer"));
    form.Combo1->setEditText(QStringLiteral("Greetings"));
    p.state.AskYesNo = true;
    p.state.ScrollActive = true;
    torch::Command10_Click(p);
    EXPECT_EQ(panelState(), "panel list text bars");
    EXPECT_EQ(panelButtons(), QStringList({"OK"}));
    EXPECT_EQ(form.Combo1->currentText(), "");
    EXPECT_FALSE(p.state.ScrollActive);
    EXPECT_TRUE(p.state.AskYesNo);
    expectAskTorchInvariant();
}

TEST_F(TorchPanel, AskTorchAndOkCloseTheContactWindowFirst) {
    for (void (*press)(Program&) : {torch::Command10_Click, torch::Command11_Click}) {
        about.show();
        about.Check1->setChecked(false);
        watch.timeline.clear();
        press(p);
        EXPECT_TRUE(about.isHidden());
        ASSERT_FALSE(watch.timeline.isEmpty());
        EXPECT_EQ(watch.timeline.first(), "sound stuffout");
    }
}

TEST_F(TorchPanel, OkEndsTheQuestionAndClosesWithTheTorchSound) {
    p.state.AskYesNo = true;
    ShowTorchDocument(p, QStringLiteral("greetings.rtf"), 0);
    torch::Command11_Click(p);
    EXPECT_FALSE(p.state.AskYesNo);
    EXPECT_EQ(panelState(), "text Ask Torch bars");
    EXPECT_EQ(watch.playedSounds(), QStringList({"torch-off"}));
}

TEST_F(TorchPanel, AWaitForTheUserEndsWhenOkIsPressed) {
    QObject::connect(form.Command11, &QPushButton::clicked, &form, [this] { torch::Command11_Click(p); });
    showGreetings(p, 1);
    watch.script("press OK", [this] { return !form.Command11->isHidden(); },
                 [this] { QTest::mouseClick(form.Command11, Qt::LeftButton); });
    shell::WaitForTorchClosed(p);
    EXPECT_TRUE(watch.unplayedSteps().isEmpty());
    EXPECT_EQ(watch.playedSounds(), QStringList({"torch-on", "torch-off"}));
    expectAskTorchInvariant();
}

} // namespace
} // namespace veltrin::test

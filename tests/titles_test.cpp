// The title and the eight level buttons for every regime of the course, from a fresh window.
#include "support/TorchFixture.h"

#include "torch/Torch.h"

#include <QFile>

namespace veltrin::test {
namespace {

struct ButtonLook {
    QString caption;
    bool enabled;
    QString picture;           // the normal picture's file, "" for none
    QString disabledPicture;   // the disabled-state picture's file, "" for none
};

// A level not reached yet, the level due, a level of the first pass done, a level open in the
// second pass, a level closed in the second pass.
ButtonLook waiting(const char* words) { return {words, false, "", ""}; }
ButtonLook due(const char* words) { return {words, true, "", ""}; }
ButtonLook passed(int level) { return {"", false, "", QStringLiteral("gbicon%1.jpg").arg(level)}; }
ButtonLook reopened(int level) { return {"", true, QStringLiteral("cbicon%1.jpg").arg(level), ""}; }
ButtonLook aheadInSecondPass(int level) { return {"", false, "", QStringLiteral("gbicon%1.jpg").arg(level)}; }

struct StageLook {
    const char* name;
    int stage;
    const char* title;
    std::array<ButtonLook, 8> buttons;
};

const std::array<ButtonLook, 8> startButtons{due("Key"),           waiting("Level One"),  waiting("Level Two"),
                                             waiting("Level Three"), waiting("Level Four"), waiting("Level Five"),
                                             waiting("Level Six"),   waiting("Level Seven")};
const std::array<ButtonLook, 8> allReopened{reopened(0), reopened(1), reopened(2), reopened(3),
                                            reopened(4), reopened(5), reopened(6), reopened(7)};

const StageLook stageLooks[] = {
    {"StageMinus1", -1, "Ascendant", startButtons},
    {"Stage0", 0, "Explorer of the Inner Realm",
     {passed(0), due("Level One"), waiting("Level Two"), waiting("Level Three"), waiting("Level Four"),
      waiting("Level Five"), waiting("Level Six"), waiting("Level Seven")}},
    {"Stage2", 2, "Level Two Operative of the Inner Realm",
     {passed(0), passed(1), passed(2), due("Level Three"), waiting("Level Four"), waiting("Level Five"),
      waiting("Level Six"), waiting("Level Seven")}},
    {"Stage6", 6, "Level Six Operative of the Inner Realm",
     {passed(0), passed(1), passed(2), passed(3), passed(4), passed(5), passed(6), due("Level Seven")}},
    {"Stage7", 7, "Level Seven Operative of the Inner Realm",
     {reopened(0), reopened(1), aheadInSecondPass(2), aheadInSecondPass(3), aheadInSecondPass(4),
      aheadInSecondPass(5), aheadInSecondPass(6), aheadInSecondPass(7)}},
    {"Stage9", 9, "Level Two Commander of the Inner Realm",
     {reopened(0), reopened(1), reopened(2), reopened(3), aheadInSecondPass(4), aheadInSecondPass(5),
      aheadInSecondPass(6), aheadInSecondPass(7)}},
    {"Stage13", 13, "Level Six Commander of the Inner Realm", allReopened},
    {"Stage14", 14, "Level Seven Commander of the Inner Realm", allReopened},
    {"Stage15CountsAsMinus1", 15, "Ascendant", startButtons},
    {"StageMinus2CountsAsMinus1", -2, "Ascendant", startButtons},
};

class Titles : public TorchFixture {};

class TitleOfStage : public Titles, public ::testing::WithParamInterface<StageLook> {};

TEST_P(TitleOfStage, SetsTheTitleAndTheLevelButtons) {
    const StageLook& look = GetParam();
    p.state.CourseStage = static_cast<std::int16_t>(look.stage);
    torch::ShowTitle(p);
    EXPECT_EQ(p.state.TitleText, look.title);
    for (int level = 0; level < 8; ++level) {
        SCOPED_TRACE(QStringLiteral("level button %1").arg(level).toStdString());
        const ui::PictureButton& button = *form.levelButton(level);
        const ButtonLook& expected = look.buttons[std::size_t(level)];
        EXPECT_EQ(button.text(), expected.caption);
        EXPECT_EQ(button.isEnabled(), expected.enabled);
        EXPECT_EQ(button.pictureName(), expected.picture);
        EXPECT_EQ(button.disabledPictureName(), expected.disabledPicture);
    }
}

INSTANTIATE_TEST_SUITE_P(Titles, TitleOfStage, ::testing::ValuesIn(stageLooks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Titles, PicturesAStageDoesNotNameAreLeftAsTheyAre) {
    p.state.CourseStage = 2;
    torch::ShowTitle(p);
    p.state.CourseStage = 9;
    torch::ShowTitle(p);
    EXPECT_EQ(form.Command1->disabledPictureName(), "gbicon0.jpg") << "an enabled button keeps its disabled-state picture";
    p.state.CourseStage = -1;
    torch::ShowTitle(p);
    EXPECT_EQ(form.Command1->pictureName(), "");
    EXPECT_TRUE(form.Command4->picture().isNull());
    EXPECT_EQ(form.Command4->disabledPictureName(), "");
    EXPECT_EQ(form.Command1->disabledPictureName(), "gbicon0.jpg");
}

TEST_F(Titles, IconsComeFromTheCourseFolder) {
    const QString sample = QStringLiteral(VELTRIN_SAMPLE_COURSE "/lessons/");
    ASSERT_TRUE(QFile::copy(sample + "cbicon0.jpg", courseDir() + "cbicon0.jpg"));
    ASSERT_TRUE(QFile::copy(sample + "gbicon7.jpg", courseDir() + "gbicon7.jpg"));
    p.state.CourseStage = 7;
    torch::ShowTitle(p);
    EXPECT_FALSE(form.Command1->picture().isNull());
    EXPECT_FALSE(form.Command8->disabledPicture().isNull());
}

TEST_F(Titles, TheTitleLabelIsLeftToTheCaller) {
    form.Label9->setText(QStringLiteral("Rank"));
    p.state.CourseStage = 4;
    torch::ShowTitle(p);
    EXPECT_EQ(form.Label9->text(), "Rank");
}

} // namespace
} // namespace veltrin::test

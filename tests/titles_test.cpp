// The title and the eight level buttons at every stage, from a fresh window, against the rule of
// the course rather than a copy of its table.
#include "support/CourseFixture.h"

#include "torch/Torch.h"

#include <QFile>

namespace veltrin::test {
namespace {

class Titles : public CourseFixture {};

// The first pass (stages -1 to 6) is due at level stage + 1, the levels before it passed and those
// after it waiting under their words; the second pass (7 to 14) reopens every level up to stage - 6,
// those after it shown passed. Stages outside -1 .. 14 count as -1.
TEST_F(Titles, TitleAndLevelButtonsFollowTheStage) {
    const QStringList numbers{"Key", "One", "Two", "Three", "Four", "Five", "Six", "Seven"};
    for (int stage = -2; stage <= 15; ++stage) {
        SCOPED_TRACE(stage);
        ui::Form1 form;
        ui::frmAbout about;
        ui::frmSplash splash;
        Program p{{}, form, about, splash, sys};
        p.state.CourseStage = std::int16_t(stage);
        torch::ShowTitle(p);
        const int s = stage < -1 || stage > 14 ? -1 : stage;
        const bool secondPass = s >= 7;
        const QString rank = s <= 7 ? QStringLiteral("Operative") : QStringLiteral("Commander");
        EXPECT_EQ(p.state.TitleText, s == -1 ? "Ascendant"
                                     : s == 0 ? "Explorer of the Inner Realm"
                                              : QStringLiteral("Level %1 %2 of the Inner Realm").arg(numbers[s <= 7 ? s : s - 7], rank));
        const int due = secondPass ? s - 6 : s + 1;
        for (int level = 0; level < 8; ++level) {
            const ui::PictureButton& button = *form.levelButton(level);
            const bool open = secondPass ? level <= due : level == due;
            const bool iconOnly = secondPass || level < due;
            EXPECT_EQ(button.isEnabled(), open) << level;
            EXPECT_EQ(button.text(), iconOnly ? QString() : level == 0 ? numbers[0] : "Level " + numbers[level]) << level;
            EXPECT_EQ(button.pictureName(), open && secondPass ? QStringLiteral("cbicon%1.jpg").arg(level) : QString()) << level;
            EXPECT_EQ(button.disabledPictureName(), !open && iconOnly ? QStringLiteral("gbicon%1.jpg").arg(level) : QString()) << level;
        }
    }
}

// Icons load from the course folder; a picture a stage does not name is left as it was.
TEST_F(Titles, IconsComeFromTheCourseFolderAndUnnamedPicturesStay) {
    const QString sample = QStringLiteral(VELTRIN_SAMPLE_COURSE "/lessons/");
    ASSERT_TRUE(QFile::copy(sample + "cbicon0.jpg", courseDir() + "cbicon0.jpg"));
    ASSERT_TRUE(QFile::copy(sample + "gbicon7.jpg", courseDir() + "gbicon7.jpg"));
    setFolders();
    state().CourseStage = 7;
    torch::ShowTitle(program());
    EXPECT_FALSE(form().Command1->picture().isNull());
    EXPECT_FALSE(form().Command8->disabledPicture().isNull());
    state().CourseStage = 2;
    torch::ShowTitle(program());
    state().CourseStage = 9;
    torch::ShowTitle(program());
    EXPECT_EQ(form().Command1->disabledPictureName(), "gbicon0.jpg");
    state().CourseStage = -1;
    torch::ShowTitle(program());
    EXPECT_EQ(form().Command1->pictureName(), "");
    EXPECT_EQ(form().Command1->disabledPictureName(), "gbicon0.jpg");
}

} // namespace
} // namespace veltrin::test

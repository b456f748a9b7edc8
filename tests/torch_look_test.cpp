// How the open Torch panel looks with the sample course's pictures and a real document. Set
// VELTRIN_SCREENSHOTS to a folder to keep a picture of the window for a look by eye.
#include "support/TorchFixture.h"

#include "torch/Torch.h"

#include <QDir>
#include <QScrollBar>

namespace veltrin::test {
namespace {

const QString sampleCourse = QStringLiteral(VELTRIN_SAMPLE_COURSE "/");

class TorchLook : public TorchFixture {
protected:
    void SetUp() override {
        p.state.AppDir = sampleCourse + "torch/";
        const QString pictures = sampleCourse + "lessons/";
        form.loadBackgroundPicture(pictures + "wood3-bkg.jpg");
        form.Picture2->loadPicture(pictures + "wood3-fr1.jpg");
        form.Command10->loadPicture(pictures + "wood3-btn-torch.jpg");
        const char* frames[] = {"wood3-torch.jpg", "wood3-torch-a.jpg", "wood3-torch-b.jpg", "wood3-torch-c.jpg", "wood3-torch-d.jpg"};
        ui::PictureBox* holders[] = {form.Picture6, form.Picture7, form.Picture8, form.Picture9, form.Picture10};
        for (int frame = 0; frame < 5; ++frame) holders[frame]->loadPicture(pictures + frames[frame]);
        form.show();
    }

    void TearDown() override {
        const QString folder = qEnvironmentVariable("VELTRIN_SCREENSHOTS");
        if (folder.isEmpty()) return;
        const QString name = QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
        form.grab().save(QDir(folder).filePath(name + ".png"));
    }

};

TEST_F(TorchLook, TorchListPaneAndButtonsStandOneBelowTheOther) {
    torch::ShowTorchDocument(p, QStringLiteral("greetings.rtf"), 0);
    ASSERT_FALSE(form.RichTextBox2->toPlainText().isEmpty());
    EXPECT_LE(form.Picture3->geometry().bottom(), form.Combo1->geometry().top());
    EXPECT_LE(form.Combo1->geometry().bottom(), form.RichTextBox2->geometry().top());
    EXPECT_LE(form.RichTextBox2->geometry().bottom(), form.Command11->geometry().top());
    EXPECT_FALSE(form.Picture3->picture().isNull());
}

TEST_F(TorchLook, TheDocumentWrapsInsideThePane) {
    torch::ShowTorchDocument(p, QStringLiteral("Level One Goal.rtf"), 0);
    ASSERT_FALSE(form.RichTextBox2->toPlainText().isEmpty());
    EXPECT_EQ(form.RichTextBox2->horizontalScrollBar()->maximum(), 0);
}

TEST_F(TorchLook, ALongDocumentScrollsInsideThePanel) {
    writeFile(appDir() + "long.rtf", rtfDocument(QStringLiteral("Torch has a great deal to say today. ").repeated(40)));
    p.state.AppDir = appDir();
    torch::ShowTorchDocument(p, QStringLiteral("long.rtf"), 0);
    const QScrollBar* bar = form.RichTextBox2->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    const int panelWidth = form.Picture2->width();
    EXPECT_LE(bar->mapTo(form.Picture2, QPoint(bar->width(), 0)).x(), panelWidth);
    const QWidget* text = form.RichTextBox2->viewport();
    EXPECT_LE(text->mapTo(form.Picture2, QPoint(text->width(), 0)).x(), panelWidth);
}

TEST_F(TorchLook, YesAndNoShareTheRowUnderThePane) {
    p.state.AskYesNo = true;
    torch::ShowTorchDocument(p, QStringLiteral("resetmsg.rtf"), 0);
    const QRect yes = form.Command18->geometry();
    const QRect no = form.Command12->geometry();
    EXPECT_EQ(yes.top(), no.top());
    EXPECT_LT(yes.right(), no.left());
    EXPECT_LE(no.right(), form.Picture2->width());
}

} // namespace
} // namespace veltrin::test

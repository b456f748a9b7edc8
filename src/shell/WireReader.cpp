#include "shell/Wire.h"

#include "reader/Reader.h"

namespace veltrin::shell {

namespace {

void wireLevelButtons(Program& p) {
    constexpr std::array<Handler, 8> handlers{
        reader::onIntroductionButtonClicked, reader::onLevel1ButtonClicked, reader::onLevel2ButtonClicked, reader::onLevel3ButtonClicked,
        reader::onLevel4ButtonClicked,       reader::onLevel5ButtonClicked, reader::onLevel6ButtonClicked, reader::onLevel7ButtonClicked};
    for (int level = 0; level < 8; ++level) on(p, p.window.levelButton(level), &QAbstractButton::clicked, handlers[std::size_t(level)]);
}

void wireReadingControls(Program& p) {
    ui::MainWindow& f = p.window;
    on(p, f.upArrow, &ui::PictureBox::mouseDown, reader::onUpArrowPressed);
    on(p, f.upArrow, &ui::PictureBox::mouseUp, reader::onUpArrowReleased);
    on(p, f.upArrow, &ui::PictureBox::clicked, reader::onUpArrowClicked);
    on(p, f.downArrow, &ui::PictureBox::mouseDown, reader::onDownArrowPressed);
    on(p, f.downArrow, &ui::PictureBox::mouseUp, reader::onDownArrowReleased);
    on(p, f.downArrow, &ui::PictureBox::clicked, reader::onDownArrowClicked);
    on(p, f.speedBar, &QScrollBar::valueChanged, reader::onSpeedBarChanged);
    on(p, f.positionBar, &QScrollBar::valueChanged, reader::onPositionBarChanged);
}

}   // namespace

void WireReaderControls(Program& p) {
    wireLevelButtons(p);
    wireReadingControls(p);
}

}   // namespace veltrin::shell

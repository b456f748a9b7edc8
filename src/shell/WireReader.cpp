#include "shell/Wire.h"

#include "reader/Reader.h"

namespace veltrin::shell {

namespace {

void wireLevelButtons(Program& p) {
    constexpr std::array<Handler, 8> handlers{reader::Command1_Click, reader::Command2_Click, reader::Command3_Click,
                                              reader::Command4_Click, reader::Command5_Click, reader::Command6_Click,
                                              reader::Command7_Click, reader::Command8_Click};
    for (int level = 0; level < 8; ++level)
        on(p, p.form.levelButton(level), &QAbstractButton::clicked, handlers[std::size_t(level)]);
}

void wireReadingControls(Program& p) {
    ui::Form1& f = p.form;
    on(p, f.Picture4, &ui::PictureBox::mouseDown, reader::Picture4_MouseDown);
    on(p, f.Picture4, &ui::PictureBox::mouseUp, reader::Picture4_MouseUp);
    on(p, f.Picture4, &ui::PictureBox::clicked, reader::Picture4_Click);
    on(p, f.Picture5, &ui::PictureBox::mouseDown, reader::Picture5_MouseDown);
    on(p, f.Picture5, &ui::PictureBox::mouseUp, reader::Picture5_MouseUp);
    on(p, f.Picture5, &ui::PictureBox::clicked, reader::Picture5_Click);
    on(p, f.VScroll1, &QScrollBar::valueChanged, reader::VScroll1_Change);
    on(p, f.VScroll2, &QScrollBar::valueChanged, reader::VScroll2_Change);
}

} // namespace

void WireReaderControls(Program& p) {
    wireLevelButtons(p);
    wireReadingControls(p);
}

} // namespace veltrin::shell

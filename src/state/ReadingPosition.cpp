#include "state/ReadingPosition.h"

#include "base/Numbers.h"

#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace veltrin::state {

namespace {

constexpr double TenthsPerPixel = 10;

// The top edge moved by whole tenths of a pixel, kept exact: repeated sums of 0.1 would drift,
// and the half-to-even rounding of the position would then flip at the wrong step.
double stepped(double top, int tenths) { return (std::round(top * TenthsPerPixel) + tenths) / TenthsPerPixel; }

void placeText(Program& p, std::int32_t top) {
    p.window.readingPane->setTopEdge(top);
    p.state.settings.ScrollPos = top;
}

qint64 distanceOf(std::int32_t position) { return std::abs(qint64(position)); }

// Sets the bar without its signal. Where that moves it, the text follows as it follows the user's
// moves: a distance held at the bar's maximum, or a position below the viewport's top, goes to the
// bar's value.
void setPositionBar(Program& p, int maximum, int distance) {
    QScrollBar& bar = *p.window.positionBar;
    const int before = bar.value();
    {
        const QSignalBlocker quiet(bar);
        bar.setMaximum(maximum);
        bar.setValue(distance);
    }
    if (bar.value() != before) followPositionBar(p);
}

}   // namespace

void stepReadingPane(Program& p, int tenths) {
    ui::RichTextView& pane = *p.window.readingPane;
    pane.setTopEdge(stepped(pane.topEdge(), tenths));
    p.state.settings.ScrollPos = static_cast<std::int32_t>(base::roundHalfEven(pane.topEdge()));
}

void moveReadingPane(Program& p, std::int32_t top) {
    placeText(p, top);
    showReadingDistance(p);
}

void placeLoadedText(Program& p, std::int32_t top) {
    const int height = p.window.readingPane->paneHeight();
    if (distanceOf(top) > height) {
        top = 0;
        p.state.DueLevelPos = 0;
    }
    placeText(p, top);
    setPositionBar(p, height, int(distanceOf(top)));
}

void showReadingDistance(Program& p) {
    const int maximum = p.window.positionBar->maximum();
    setPositionBar(p, maximum, int(std::min<qint64>(distanceOf(p.state.settings.ScrollPos), maximum)));
}

// When the bar only follows the scroll steps (its value is the distance ScrollPos already holds),
// the pane keeps its fraction of a pixel: pulling it to the whole value would make a pixel take
// five or six steps instead of ten.
void followPositionBar(Program& p) {
    const int distance = p.window.positionBar->value();
    if (p.state.settings.ScrollPos != -distance) placeText(p, -distance);
    showProgressMark(p);
}

void showRestoredPosition(Program& p) {
    if (p.window.readingPane->topEdge() != p.state.settings.ScrollPos) placeText(p, p.state.settings.ScrollPos);
    showReadingDistance(p);
    showProgressMark(p);
}

void showProgressMark(Program& p) { p.window.progressMarkLabel->setText(base::numberText(p.state.ProgressMark)); }

}   // namespace veltrin::state

// Places a level's written text so that it fills the level's reading distance.
#pragma once

#include "Markup.h"
#include "TextStyle.h"

#include <QStringList>

namespace veltrin::course {

// The reading distance of a level (pixels to scroll until its end counts as read) and the extra
// pane height below it; the pane is readingWidth pixels wide.
struct LevelGeometry {
    int levelEnd;
    int margin;
};
inline constexpr LevelGeometry levelGeometry[8] = {
    {3500, 350}, {13743, 1700}, {13014, 1425}, {10862, 1283}, {7496, 685}, {10450, 1025}, {9796, 845}, {11216, 950},
};
inline constexpr int readingWidth = 505;

// The text must run at least this far past the level's end so that the end can be reached.
inline constexpr int minimumOverrun = 100;

// Laid-out height in pixels of blocks as the reading pane sets them (the style's space between
// blocks, no document margin).
double documentHeight(const QList<Block>& blocks, const TextStyle& style, int width);

struct LaidOutLevel {
    QList<Block> blocks;
    double height = 0;
    QStringList warnings;   // sections that land far from their marks
};

// Inserts pool paragraphs before marked sections so each lands just below the top of the view
// when its mark is reached, and before the closing part so the whole ends between
// levelEnd + minimumOverrun and levelEnd + margin. Throws std::runtime_error when the pool is
// too small or the written text too long.
LaidOutLevel layOutLevel(const LevelSource& source, LevelGeometry geometry, const TextStyle& style);

}   // namespace veltrin::course

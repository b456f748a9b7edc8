// Practice suggestions that extend a level's pool of further paragraphs.
#pragma once

#include "Markup.h"

namespace veltrin::course {

// Sentences shared by all levels: how a suggestion begins and how it ends.
struct PracticeText {
    QStringList openings;
    QStringList closings;
};

// Parses "@opening text" and "@closing text" lines.
PracticeText parsePractice(const QString& text);

// The level's written pool, then practice paragraphs: an opening, one of the level's tasks and a
// closing, every combination used at most once, so no paragraph repeats.
QList<Block> extendPool(const QList<Block>& written, const QStringList& tasks, const PracticeText& shared);

}  // namespace veltrin::course

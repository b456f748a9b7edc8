// How a kind of course document is set: one face, sizes in half-points as RTF counts them.
#pragma once

#include <QString>

namespace veltrin::course {

struct TextStyle {
    QString family;
    int bodySize;   // half-points
    int titleSize;
    int headingSize;
    int bulletIndent;   // twips
    // Space after each block in twips, given as paragraph spacing so that every reader lays it
    // out alike; 0 puts an empty paragraph between blocks instead.
    int blockSpace = 0;
};

// The reading pane (505 pixels wide): book print for text that scrolls slowly past.
inline const TextStyle readingStyle{QStringLiteral("DejaVu Serif"), 28, 40, 34, 480, 270};
// The Torch pane is about 145 pixels wide.
inline const TextStyle torchStyle{QStringLiteral("DejaVu Serif"), 18, 22, 20, 200};

}   // namespace veltrin::course

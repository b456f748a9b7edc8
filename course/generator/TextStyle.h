// How a kind of course document is set: one face, sizes in half-points as RTF counts them.
#pragma once

#include <QString>

namespace veltrin::course {

struct TextStyle {
    QString family;
    int bodySize;     // half-points
    int titleSize;
    int headingSize;
    int bulletIndent; // twips
};

// The reading pane (505 pixels wide): book print for text that scrolls slowly past.
inline const TextStyle readingStyle{QStringLiteral("DejaVu Serif"), 28, 40, 34, 480};
// The Torch pane is about 145 pixels wide.
inline const TextStyle torchStyle{QStringLiteral("DejaVu Serif"), 18, 22, 20, 200};

}  // namespace veltrin::course

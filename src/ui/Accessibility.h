#pragma once
// What a screen reader is told about the controls the toolkit does not describe by itself: a picture
// box made a keyboard control is a button with a press action, pressed while it stands pressed; a
// label made a value reads as a number in its range; the view of long documents is a read-only text
// with its caret on the top line shown.
#include <QString>

class QLabel;

namespace veltrin::ui {

// Installs the descriptions once; every window of the program built after this call uses them.
void installAccessibility();

// The label reads as a value from 0 to `maximum`: its text's leading number, under its own name.
void makeValueLabel(QLabel* label, const QString& name, int maximum);

}   // namespace veltrin::ui

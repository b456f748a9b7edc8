#pragma once
// Torch, the guide: the Torch panel and its documents, sounds, the topic list and status report,
// titles and level icons, the progress reset, the manual viewer, the contact and splash windows.
#include "shell/Program.h"

#include <QString>
#include <QStringList>

namespace veltrin::torch {

// The first line of every document the program writes: font 26 and the colour table, no signature word.
inline const QString DocumentHeader = QStringLiteral(
    "{\\f26 {\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;"
    "\\red255\\green255\\blue0;\\red128\\green128\\blue0;\\red0\\green0\\blue128;\\red128\\green0\\blue0;"
    "\\red128\\green0\\blue128;\\red192\\green192\\blue192;}\\ql");

// The reset's question, the only one Torch asks: Yes and No stand under this document alone.
inline const QString ResetQuestionDocument = QStringLiteral("resetmsg.rtf");

// Rewrites a generated document whole: the header, the body lines, then "}". Throws FileError.
void WriteGeneratedDocument(const QString& path, const QStringList& body);

// Opens the Torch panel on the document AppDir & name, or closes the panel when it is open.
// Sound flag 1 plays the torch sound and becomes 0; a name ".rtf" in any case becomes "".
void ShowTorchDocument(Program& p, QString& name, int& soundFlag);
// The same for callers that pass literals.
void ShowTorchDocument(Program& p, const QString& name, int soundFlag);
// Plays SoundDir & name & ".wav" unless sounds are muted.
void PlaySound(Program& p, const QString& name);

void onAskTorchClicked(Program& p);   // Ask Torch
void onOkClicked(Program& p);   // OK

// Contact window and splash window.
void CloseContactWindow(Program& p);
// Places the contact window (shown or not) beside the middle of the screen.
void PlaceContactWindow(Program& p);
void onContactButtonClicked(Program& p);   // contact button
void onContactOkClicked(Program& p);
void onSplashKeyPressed(Program& p);

// Topic list and status report.
void onTopicPicked(Program& p);
// Titles and the level buttons' captions, icons and enabled states for the stage.
void ShowTitle(Program& p);
// Progress reset: erase, Yes, No.
void onEraseClicked(Program& p);
void onYesClicked(Program& p);
void onNoClicked(Program& p);
// Manual viewer.
void onManualButtonClicked(Program& p);

// The two looks of the journal button and of the manual button; each button's state is told by its tooltip.
struct ButtonLook {
    const char* picture;
    const char* downPicture;
    const char* toolTip;
};
inline constexpr ButtonLook JournalClosedLook{"wood3-jrnl-opn-up.jpg", "wood3-jrnl-opn-dn.jpg", "Make a Journal Entry"};
inline constexpr ButtonLook JournalOpenLook{"wood3-jrnl-clos-up.jpg", "wood3-jrnl-clos-dn.jpg", "Close Journal"};
inline constexpr ButtonLook ManualClosedLook{"wood3-book-opn-up.jpg", "wood3-book-opn-dn.jpg", "Open the Veltrin Manual"};
inline constexpr ButtonLook ManualOpenLook{"wood3-book-clos-up.jpg", "wood3-book-clos-dn.jpg", "Close the Veltrin Manual"};
// Loads the look's two pictures from CourseDir; the tooltip is left to the caller.
void ShowLookPictures(Program& p, ui::PictureButton& button, const ButtonLook& look);
// The pictures and the tooltip together.
void GiveLook(Program& p, ui::PictureButton& button, const ButtonLook& look);

} // namespace veltrin::torch

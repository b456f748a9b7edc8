#pragma once
// Torch, the guide: the Torch panel and its sounds, Ask Torch and OK, the topic list and status
// report, titles and level icons, the manual viewer, the contact and splash windows.
#include "core/GeneratedDocument.h"
#include "state/State.h"

#include <QString>
#include <QStringList>

namespace veltrin::torch {

// The reset's question, the only one Torch asks: Yes and No stand under this document alone.
inline const QString ResetQuestionDocument = QStringLiteral("resetmsg.rtf");

// The sound flag of ShowTorchDocument: whether opening or closing the panel plays the torch sound.
enum TorchSound : int { Silent = 0, WithTorchSound = 1 };

// Opens the Torch panel on the document AppDir & name, or closes the panel when it is open.
// Sound flag WithTorchSound plays the torch sound and becomes Silent; a name ".rtf" in any case becomes "".
void ShowTorchDocument(Program& p, QString& name, int& soundFlag);
// The same for callers that pass literals.
void ShowTorchDocument(Program& p, const QString& name, int soundFlag);
// Opens the panel on the topic list alone, with the torch sound (Ask Torch).
void openTorchPanelOnTopics(Program& p);
bool isTorchPanelOpen(const Program& p);
// Closes the Torch panel if it is open.
void closeTorchPanel(Program& p, TorchSound sound);
// Blocks in the event loop, without spinning, until the Torch panel's closing has started: the user
// has closed it.
void WaitForTorchClosed(Program& p);
// Plays SoundDir & name & ".wav" unless sounds are muted.
void PlaySound(Program& p, const QString& name);

void onAskTorchClicked(Program& p);   // Ask Torch
void onOkClicked(Program& p);         // OK

// Contact window and splash window.
void CloseContactWindow(Program& p);
// Places the contact window (shown or not) beside the middle of the screen.
void PlaceContactWindow(Program& p);
void onContactButtonClicked(Program& p);   // contact button
void onContactOkClicked(Program& p);
void onContactWindowClosed(Program& p);   // the contact window's title-bar close
// The reminder times in the contact window: shown from their file; set (or, none, turned off) with
// its Set button, which writes the times and the timer or autostart entry. Throw FileError.
void ShowReminderTimes(Program& p);
void onReminderTimesSet(Program& p);
void onSplashKeyPressed(Program& p);

// Topic list and status report.
void onTopicPicked(Program& p);
// Titles and the level buttons' captions, icons and enabled states for the stage.
void ShowTitle(Program& p);
// Manual viewer.
void onManualButtonClicked(Program& p);

// The two looks of the journal button and of the manual button: pictures and tooltip for closed and open.
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
// The journal frame opened or closed, with its button's look.
void showJournalFrame(Program& p, bool open);
// The viewer of the manual and the journal report shown over the reading area, or hidden.
void showDocumentViewer(Program& p, bool shown);
// The manual button's look when the manual is closed by another window.
void showManualClosed(Program& p);

}   // namespace veltrin::torch

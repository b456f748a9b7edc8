// The sound module: the wave player and what it needs of the multimedia libraries, loaded by the
// sound device on its thread.
#include "ui/SoundPlayer.h"

extern "C" Q_DECL_EXPORT veltrin::ui::SoundOutput* veltrinMakeSoundOutput() { return new veltrin::ui::SoundPlayer; }

#pragma once
// What plays the sounds on the sound thread. The player comes from the sound module, loaded when the
// first sound is played, so that neither the program's start nor its commands without a window load
// the multimedia libraries and the sound server's client.
#include <QString>

#include <chrono>

namespace veltrin::ui {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // On the sound thread. A new sound cuts off the one playing.
    virtual void play(const QString& path) = 0;
    virtual void stop() = 0;
    // Reads every wave file of the folder that is not held yet, so later sounds start at once.
    virtual void loadFolder(const QString& folder) = 0;

    // From any thread: when the sound playing will have been heard whole, in milliseconds of the
    // steady clock; 0 when nothing plays.
    virtual qint64 endsAtMs() const = 0;
};

// The sound module's one entry point: a new player for the calling thread, owned by the caller.
using MakeSoundOutput = SoundOutput* (*)();
inline constexpr const char* MakeSoundOutputName = "veltrinMakeSoundOutput";

// Milliseconds of the steady clock, the time base of endsAtMs.
inline qint64 steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}   // namespace veltrin::ui

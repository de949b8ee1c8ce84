#ifndef VARNEL_RUNTIME_WAVEPLAYER_H
#define VARNEL_RUNTIME_WAVEPLAYER_H

#include "runtime/Wave.h"

#include <QString>
#include <functional>

// One sound on its way to the audio output.
struct TWaveSound {
    QString source; // the file, or the name of the data, it came from
    TWave wave;
    bool wait = true; // the caller waits until it has played
};

// Simple wave playing: one sound at a time on the default audio output, a new one cutting the
// last short. Waiting for the end keeps the window painting but takes no input meanwhile.
// The audio output is a module of its own (SoundDevice.h), loaded with the first sound that
// reaches it, so that the program starts without the audio libraries. Without the module a
// sound plays as on a machine without a sound device.
class TWavePlayer {
public:
    using Output = std::function<bool(const TWaveSound& sound)>;

    // Plays a wave file. False, and nothing raised, when the file cannot be read, holds no wave
    // we can play, or no audio output plays it (as on a machine without a sound device).
    static bool PlayFile(const QString& fileName, bool wait);
    // Plays a wave image held in memory. Damaged data raises EInvalidWave; no sound device, or
    // a device that fails, gives false.
    static bool PlayData(const QByteArray& bytes, const QString& source, bool wait);

    // Tests take the sounds instead of the speaker; an empty output gives them back.
    static void SetOutput(Output output);
    // Tests point the audio output at another module file, a missing one among them; an empty
    // name gives back the places the program looks. The next sound looks again.
    static void SetSoundModule(const QString& fileName);

private:
    static bool Play(const TWaveSound& sound);
    static Output& CurrentOutput();
};

#endif

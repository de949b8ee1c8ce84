#ifndef VARNEL_RUNTIME_SOUNDDEVICE_H
#define VARNEL_RUNTIME_SOUNDDEVICE_H

#include "runtime/WavePlayer.h"

#include <QtGlobal>

// The audio output half of TWavePlayer, built as a module of its own (varnel_sound): the one part
// of the program on Qt Multimedia and the audio libraries under it, loaded only when a sound
// first reaches the device, so that the editor starts without them. Plays the sound on the
// default audio output; false when there is none, it refuses the format, or the play fails.
extern "C" Q_DECL_EXPORT bool VarnelPlayOnDevice(const TWaveSound& sound);

using TPlayOnDevice = decltype(&VarnelPlayOnDevice);
inline constexpr char kPlayOnDeviceSymbol[] = "VarnelPlayOnDevice";

#endif

#ifndef VARNEL_RUNTIME_WAVE_H
#define VARNEL_RUNTIME_WAVE_H

#include <QByteArray>
#include <cstdint>

// How one sample is stored, in the forms an audio output takes.
enum class TSampleFormat : std::uint8_t { UInt8, Int16, Int32, Float };

// A sound read from a RIFF WAVE image: interleaved PCM samples, whole frames only.
struct TWave {
    TSampleFormat sampleFormat = TSampleFormat::Int16;
    int channels = 1;
    int sampleRate = 22050;
    QByteArray samples;

    int BytesPerFrame() const;
    qint64 DurationMs() const;
};

// Reads a RIFF WAVE image: its "fmt " chunk (PCM of 8, 16 or 32 bits, or 32-bit float, also in
// the extensible layout) and its "data" chunk, in either order, other chunks skipped. The sizes
// the image declares are believed only as far as its bytes go, so a cut-off file plays what it
// has. Anything else raises EInvalidWave.
TWave ReadWave(const QByteArray& bytes);

#endif

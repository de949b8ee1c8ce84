// Any bytes offered as a wave: either refused with a message, or read into whole frames of a
// format an audio output takes.
#include "runtime/InvalidWave.h"
#include "runtime/Wave.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const TWave wave = ReadWave(bytes);
        if (wave.samples.size() % wave.BytesPerFrame() != 0 || wave.samples.size() > bytes.size() ||
            wave.DurationMs() < 0)
            std::abort();
    } catch (const EInvalidWave&) {
    }
    return 0;
}

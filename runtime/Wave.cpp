#include "runtime/Wave.h"

#include "runtime/InvalidWave.h"

#include <QByteArrayView>
#include <QtEndian>
#include <algorithm>
#include <optional>

namespace {

constexpr int kPcm = 1;
constexpr int kFloat = 3;
constexpr int kExtensible = 0xFFFE;
constexpr int kMaxChannels = 32;
constexpr int kMaxSampleRate = 768000;

EInvalidWave NotValid() {
    return EInvalidWave(QStringLiteral("Wave data is not valid"));
}

EInvalidWave NotSupported() {
    return EInvalidWave(QStringLiteral("Wave format not supported"));
}

quint16 Word(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

quint32 DoubleWord(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

// The "fmt " chunk: format tag, channels, sample rate, (byte rate, block align,) bits.
TWave ReadFormat(QByteArrayView chunk) {
    if (chunk.size() < 16)
        throw NotValid();
    int tag = Word(chunk, 0);
    // The extensible layout names the real format in the first two bytes of its sub-format.
    if (tag == kExtensible) {
        if (chunk.size() < 26)
            throw NotValid();
        tag = Word(chunk, 24);
    }
    const int channels = Word(chunk, 2);
    const quint32 rate = DoubleWord(chunk, 4);
    const int bits = Word(chunk, 14);
    if (channels < 1 || channels > kMaxChannels || rate < 1 || rate > kMaxSampleRate)
        throw NotValid();
    TWave wave;
    wave.channels = channels;
    wave.sampleRate = static_cast<int>(rate);
    if (tag == kPcm && bits == 8)
        wave.sampleFormat = TSampleFormat::UInt8;
    else if (tag == kPcm && bits == 16)
        wave.sampleFormat = TSampleFormat::Int16;
    else if (tag == kPcm && bits == 32)
        wave.sampleFormat = TSampleFormat::Int32;
    else if (tag == kFloat && bits == 32)
        wave.sampleFormat = TSampleFormat::Float;
    else
        throw NotSupported();
    return wave;
}

} // namespace

int TWave::BytesPerFrame() const {
    const int bytes = sampleFormat == TSampleFormat::UInt8   ? 1
                      : sampleFormat == TSampleFormat::Int16 ? 2
                                                             : 4;
    return bytes * channels;
}

qint64 TWave::DurationMs() const {
    return qint64(samples.size()) / BytesPerFrame() * 1000 / sampleRate;
}

TWave ReadWave(const QByteArray& bytes) {
    const QByteArrayView all(bytes);
    if (all.size() < 12 || !all.startsWith("RIFF") || all.sliced(8, 4) != "WAVE")
        throw NotValid();
    std::optional<TWave> wave;
    std::optional<QByteArrayView> data;
    // Chunks are word-aligned: an odd-sized one is followed by a pad byte.
    for (qint64 at = 12; at + 8 <= all.size();) {
        const QByteArrayView id = all.sliced(at, 4);
        const qint64 size = DoubleWord(all, at + 4);
        const QByteArrayView body = all.sliced(at + 8, std::min(size, all.size() - at - 8));
        if (id == "fmt " && !wave)
            wave = ReadFormat(body);
        else if (id == "data" && !data)
            data = body;
        at += 8 + size + (size & 1);
    }
    if (!wave || !data)
        throw NotValid();
    const qsizetype whole = data->size() - data->size() % wave->BytesPerFrame();
    wave->samples = data->first(whole).toByteArray();
    return *wave;
}

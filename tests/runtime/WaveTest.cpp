#include "runtime/Wave.h"
#include "runtime/InvalidWave.h"
#include "runtime/WavePlayer.h"
#include "tests/TestDir.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray Le(quint32 value, int bytes) {
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        out[i] = char((value >> (8 * i)) & 0xFF);
    return out;
}

QByteArray Chunk(const char* id, const QByteArray& body) {
    QByteArray chunk = QByteArray(id, 4) + Le(body.size(), 4) + body;
    if (body.size() % 2)
        chunk.append('\0');
    return chunk;
}

QByteArray Format(int tag, int channels, int rate, int bits) {
    const int block = channels * bits / 8;
    return Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * block, 4) + Le(block, 2) +
           Le(bits, 2);
}

QByteArray Riff(const QByteArray& chunks) {
    return "RIFF" + Le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

TEST(Wave, ReadsTheFormatAndTheSamplesWhereverTheyStand) {
    const QByteArray samples("\x01\x02\x03\x04\x05\x06\x07\x08", 8);
    const TWave mono =
        ReadWave(Riff(Chunk("fmt ", Format(1, 1, 8000, 16)) + Chunk("data", samples)));
    EXPECT_EQ(mono.sampleFormat, TSampleFormat::Int16);
    EXPECT_EQ(mono.channels, 1);
    EXPECT_EQ(mono.sampleRate, 8000);
    EXPECT_EQ(mono.samples, samples);

    // Data first, an odd-sized chunk with its pad byte in between, 8-bit stereo.
    const TWave stereo = ReadWave(Riff(Chunk("data", samples) + Chunk("LIST", "abc") +
                                       Chunk("fmt ", Format(1, 2, 11025, 8) + Le(0, 2))));
    EXPECT_EQ(stereo.sampleFormat, TSampleFormat::UInt8);
    EXPECT_EQ(stereo.channels, 2);
    EXPECT_EQ(stereo.samples, samples);

    // The extensible layout names float in its sub-format.
    const QByteArray extensible = Format(0xFFFE, 1, 48000, 32) + Le(22, 2) + Le(32, 2) + Le(4, 4) +
                                  Le(3, 2) + QByteArray(14, '\x10');
    EXPECT_EQ(ReadWave(Riff(Chunk("fmt ", extensible) + Chunk("data", samples))).sampleFormat,
              TSampleFormat::Float);
}

// A file cut off in its data plays what it has, whole frames only; the sizes it claims never
// make it read past its end.
TEST(Wave, ACutOffFilePlaysTheWholeFramesItHas) {
    QByteArray wave =
        Riff(Chunk("fmt ", Format(1, 2, 8000, 16)) + Chunk("data", QByteArray(400, 'x')));
    wave.chop(400 - 10);
    const TWave cut = ReadWave(wave);
    EXPECT_EQ(cut.samples.size(), 8);
    EXPECT_EQ(cut.DurationMs(), 0);

    QByteArray huge = Riff(Chunk("fmt ", Format(1, 1, 8000, 16)) + Chunk("data", "abcd"));
    huge.replace(huge.indexOf("data") + 4, 4, Le(0xFFFFFFF0u, 4));
    EXPECT_EQ(ReadWave(huge).samples, "abcd");
}

TEST(Wave, RefusesWhatIsNoWaveOrNoFormatItCanPlay) {
    const QByteArray data = Chunk("data", "abcd");
    const QList<QByteArray> invalid = {
        {},
        "RIFF\x04\x00\x00\x00WAVX",
        Riff(data),                                                  // no format
        Riff(Chunk("fmt ", Format(1, 1, 8000, 16))),                 // no data
        Riff(Chunk("fmt ", Format(1, 1, 8000, 16).left(12)) + data), // short format
        Riff(Chunk("fmt ", Format(1, 0, 8000, 16)) + data),          // no channels
        Riff(Chunk("fmt ", Format(1, 1, 0, 16)) + data),             // no rate
    };
    for (const QByteArray& bytes : invalid)
        EXPECT_THROW(ReadWave(bytes), EInvalidWave) << bytes.toHex().toStdString();
    for (const QByteArray& format :
         {Format(1, 1, 8000, 24), Format(2, 1, 8000, 4), Format(3, 1, 8000, 64)}) {
        try {
            ReadWave(Riff(Chunk("fmt ", format) + data));
            ADD_FAILURE() << "read a format it cannot play";
        } catch (const EInvalidWave& error) {
            EXPECT_EQ(error.Message(), "Wave format not supported");
        }
    }
}

TEST(WavePlayer, HandsReadableWavesToTheOutputAndTellsFailuresAsFalse) {
    QList<TWaveSound> played;
    bool outputAnswer = true;
    TWavePlayer::SetOutput([&](const TWaveSound& sound) {
        played.append(sound);
        return outputAnswer;
    });
    TestDir dir;
    const QByteArray wave = Riff(Chunk("fmt ", Format(1, 1, 8000, 16)) + Chunk("data", "abcd"));
    dir.Write("good.wav", wave);
    dir.Write("junk.wav", "not a wave at all");
    EXPECT_TRUE(TWavePlayer::PlayFile(dir.Path("good.wav"), true));
    EXPECT_FALSE(TWavePlayer::PlayFile(dir.Path("junk.wav"), true));
    EXPECT_FALSE(TWavePlayer::PlayFile(dir.Path("missing.wav"), true));
    outputAnswer = false;
    EXPECT_FALSE(TWavePlayer::PlayData(wave, "memory", false));
    EXPECT_THROW(TWavePlayer::PlayData("junk", "memory", false), EInvalidWave);
    TWavePlayer::SetOutput({});
    ASSERT_EQ(played.size(), 2);
    EXPECT_EQ(played[0].source, dir.Path("good.wav"));
    EXPECT_TRUE(played[0].wait);
    EXPECT_EQ(played[1].source, "memory");
    EXPECT_FALSE(played[1].wait);
}

// Whether the audio output module is mapped into this program.
bool SoundModuleLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(SOUND_MODULE);
}

// The real thing: the click sound through the audio output module, waiting for its end.
TEST(WavePlayer, PlaysAWaveFileOnTheSoundDevice) {
    const QString click = QStringLiteral(VARNEL_SOURCE_DIR "/resources/rcdata/CLICK.wav");
    const bool device = !QMediaDevices::defaultAudioOutput().isNull();
    EXPECT_EQ(TWavePlayer::PlayFile(click, true), device) << "played only where there is a device";
    EXPECT_TRUE(SoundModuleLoaded());
    if (!device)
        GTEST_SKIP() << "no audio output on this machine: the click was not played";
    EXPECT_TRUE(TWavePlayer::PlayFile(click, false));
}

QStringList& Warnings() {
    static QStringList warnings;
    return warnings;
}

// Without its module the audio output answers as a machine without a sound device does, and
// tells why once, not with every sound.
TEST(WavePlayer, AMissingOrBrokenSoundModulePlaysNothing) {
    const QString click = QStringLiteral(VARNEL_SOURCE_DIR "/resources/rcdata/CLICK.wav");
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg)
                Warnings().append(text);
        });
    TestDir dir;
    for (const QString& module : {dir.Path("missing.so"), click}) {
        TWavePlayer::SetSoundModule(module);
        EXPECT_FALSE(TWavePlayer::PlayFile(click, true));
        EXPECT_FALSE(TWavePlayer::PlayFile(click, false));
        EXPECT_THROW(TWavePlayer::PlayData("junk", "memory", true), EInvalidWave);
        ASSERT_EQ(Warnings().size(), 1) << Warnings().join('\n').toStdString();
        EXPECT_TRUE(Warnings()[0].contains(module)) << Warnings()[0].toStdString();
        Warnings().clear();
    }
    TWavePlayer::SetSoundModule({});
    qInstallMessageHandler(previous);
}

} // namespace

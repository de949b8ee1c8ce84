#include "runtime/SoundDevice.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>

namespace {

// However long a device stalls, a waiting caller gets its window back this long after the
// sound should have ended.
constexpr int kStallGraceMs = 2000;

QAudioFormat::SampleFormat QtSampleFormat(TSampleFormat format) {
    switch (format) {
    case TSampleFormat::UInt8:
        return QAudioFormat::UInt8;
    case TSampleFormat::Int16:
        return QAudioFormat::Int16;
    case TSampleFormat::Int32:
        return QAudioFormat::Int32;
    case TSampleFormat::Float:
        break;
    }
    return QAudioFormat::Float;
}

// The sound playing on without a waiting caller, stopped when the next one starts.
QPointer<QAudioSink>& CurrentSink() {
    static QPointer<QAudioSink> sink;
    return sink;
}

void StopCurrentSink() {
    if (QAudioSink* sink = CurrentSink()) {
        sink->stop();
        sink->deleteLater();
    }
}

// Runs the event loop, without user input, until the sink has played its data or failed.
bool WaitForEnd(QAudioSink& sink, qint64 durationMs) {
    if (sink.state() == QAudio::StoppedState)
        return false;
    bool played = false;
    QEventLoop loop;
    QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State state) {
        if (state == QAudio::ActiveState)
            return;
        played = state == QAudio::IdleState;
        loop.quit();
    });
    QTimer::singleShot(durationMs + kStallGraceMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return played;
}

} // namespace

bool VarnelPlayOnDevice(const TWaveSound& sound) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(sound.wave.sampleRate);
    format.setChannelCount(sound.wave.channels);
    format.setSampleFormat(QtSampleFormat(sound.wave.sampleFormat));
    if (!device.isFormatSupported(format))
        return false;
    StopCurrentSink();
    auto* sink = new QAudioSink(device, format, QCoreApplication::instance());
    auto* data = new QBuffer(sink);
    data->setData(sound.wave.samples);
    data->open(QIODevice::ReadOnly);
    sink->start(data);
    if (sound.wait) {
        const bool played = WaitForEnd(*sink, sound.wave.DurationMs());
        sink->stop();
        delete sink;
        return played;
    }
    if (sink->state() == QAudio::StoppedState) {
        sink->deleteLater();
        return false;
    }
    CurrentSink() = sink;
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState)
            sink->deleteLater();
    });
    return true;
}

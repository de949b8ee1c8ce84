#include "runtime/WavePlayer.h"

#include "runtime/InvalidWave.h"
#include "runtime/SoundDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

namespace {

// A click or a chime; anything bigger is not a sound this program plays.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

// The module with the audio output, looked for once, with the first sound that reaches it.
struct TSoundModule {
    QString fileName; // empty: beside the program, then where the build put it
    bool looked = false;
    TPlayOnDevice play = nullptr;
};

TSoundModule& SoundModule() {
    static TSoundModule module;
    return module;
}

// Beside the program first, so that a copied program takes its own module, then where an
// installation puts it beside the program's folder, then the build's.
QStringList SoundModulePlaces() {
    if (!SoundModule().fileName.isEmpty())
        return {SoundModule().fileName};
    QStringList places;
    const QString program = QCoreApplication::applicationDirPath();
    if (!program.isEmpty()) {
        const QDir dir(program);
        places.append(dir.filePath(QStringLiteral(VARNEL_SOUND_MODULE_NAME)));
        places.append(QDir::cleanPath(dir.filePath(
            QStringLiteral(VARNEL_INSTALLED_MODULE_DIR "/" VARNEL_SOUND_MODULE_NAME))));
    }
    places.append(QStringLiteral(VARNEL_SOUND_MODULE));
    return places;
}

// The entry of the first place that loads, or null, told once, as on a machine without sound.
TPlayOnDevice LoadSoundModule() {
    QStringList failures;
    for (const QString& place : SoundModulePlaces()) {
        // Checked here: for a missing file QLibrary would name the last of the variants it tried.
        if (!QFileInfo::exists(place)) {
            failures.append(place + QStringLiteral(": no such file"));
            continue;
        }
        QLibrary library(place);
        if (auto play = reinterpret_cast<TPlayOnDevice>(library.resolve(kPlayOnDeviceSymbol)))
            return play;
        failures.append(library.errorString());
    }
    qWarning("No sound output, the sound module did not load: %s",
             qPrintable(failures.join(QStringLiteral("; "))));
    return nullptr;
}

bool PlayOnDevice(const TWaveSound& sound) {
    TSoundModule& module = SoundModule();
    if (!module.looked) {
        module.looked = true;
        module.play = LoadSoundModule();
    }
    return module.play && module.play(sound);
}

} // namespace

bool TWavePlayer::PlayFile(const QString& fileName, bool wait) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return false;
    try {
        return PlayData(file.readAll(), fileName, wait);
    } catch (const EInvalidWave&) {
        return false;
    }
}

bool TWavePlayer::PlayData(const QByteArray& bytes, const QString& source, bool wait) {
    return Play({source, ReadWave(bytes), wait});
}

void TWavePlayer::SetOutput(Output output) {
    CurrentOutput() = std::move(output);
}

void TWavePlayer::SetSoundModule(const QString& fileName) {
    SoundModule() = {fileName};
}

bool TWavePlayer::Play(const TWaveSound& sound) {
    if (CurrentOutput())
        return CurrentOutput()(sound);
    return PlayOnDevice(sound);
}

TWavePlayer::Output& TWavePlayer::CurrentOutput() {
    static Output output;
    return output;
}

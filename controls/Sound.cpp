#include "controls/Sound.h"

#include "runtime/Cursors.h"
#include "runtime/ModalPrompts.h"
#include "runtime/Resources.h"
#include "runtime/WavePlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <exception>

namespace {

// Where a sound named without a folder is looked for.
QString SoundsFolder() {
    QString program = QCoreApplication::applicationDirPath();
    if (program.isEmpty())
        program = QDir::currentPath();
    return QDir(program).filePath(QStringLiteral("Sounds"));
}

} // namespace

TsohoSound::TsohoSound(QObject* owner) : QObject(owner) {}

bool TsohoSound::PlayWaveFile(const QString& name) {
    if (!enabled_)
        return false;
    QString path = name;
    if (QFileInfo(name).fileName() == name)
        path = QDir(SoundsFolder()).filePath(name);
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".wav");
    if (!QFileInfo(path).isFile())
        return false;
    return Played(TWavePlayer::PlayFile(path, !async_));
}

bool TsohoSound::PlayWaveResource(const QString& name) {
    if (!enabled_)
        return false;
    const std::optional<QByteArray> wave = FindResource(TResourceKind::RawData, name);
    if (!wave)
        return false;
    try {
        return Played(TWavePlayer::PlayData(*wave, name, !async_));
    } catch (const std::exception&) {
        TCursors::ResetScreenCursor();
        TModalPrompts::ShowError(QStringLiteral("Ошибка"),
                                 QStringLiteral("Ошибка при проигрывании resource WAV-data!: ") +
                                     objectName());
        return false;
    }
}

bool TsohoSound::Played(bool success) {
    if (OnSound)
        OnSound(*this);
    return success;
}

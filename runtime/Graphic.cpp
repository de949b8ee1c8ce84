#include "runtime/Graphic.h"

#include "runtime/InvalidGraphic.h"
#include "runtime/LocalFiles.h"
#include "runtime/OutOfMemory.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

void TGraphic::LoadFromBytes(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    LoadFromStream(buffer);
}

void TGraphic::LoadFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(fileName).isDir())
        throw EInvalidGraphic(QStringLiteral("Cannot open file %1").arg(fileName));
    try {
        LoadFromStream(file);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(fileName);
    }
}

QByteArray TGraphic::ReadToEnd(QIODevice& stream) {
    constexpr qint64 kPiece = 1 << 16;
    QByteArray bytes;
    if (!stream.isSequential())
        bytes.reserve(std::clamp<qint64>(stream.size() - stream.pos(), 0, LargestFile));
    for (QByteArray piece; !(piece = stream.read(kPiece)).isEmpty();) {
        if (bytes.size() + piece.size() > LargestFile)
            TooLarge();
        bytes.append(piece);
    }
    return bytes;
}

void TGraphic::TooLarge() {
    throw EInvalidGraphic(
        QStringLiteral("Picture file is too large (more than %1 MB)").arg(LargestFile >> 20));
}

void TGraphic::SaveToFile(const QString& fileName) const {
    // Encoded in memory first: a picture writer's own checks of a file device are not to be
    // trusted on a full disk.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(buffer);
    LocalFiles::WriteNewFile(fileName, buffer.data());
}

void TGraphic::SetTransparent(bool value) {
    if (transparent_ == value)
        return;
    transparent_ = value;
    Changed();
}

void TGraphic::Changed() {
    if (OnChange)
        OnChange(*this);
}

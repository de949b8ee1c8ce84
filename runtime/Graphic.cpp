#include "runtime/Graphic.h"

#include "runtime/InvalidGraphic.h"
#include "runtime/LocalFiles.h"
#include "runtime/OutOfMemory.h"
#include "runtime/Store.h"
#include "runtime/RegularFile.h"
#include "runtime/StreamBytes.h"

#include <QBuffer>
#include <QFile>

void TGraphic::LoadFromBytes(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    LoadFromStream(buffer);
}

void TGraphic::LoadFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!RegularFile::Open(file).isEmpty())
        throw EInvalidGraphic(QStringLiteral("Cannot open file %1").arg(fileName));
    try {
        LoadFromStream(file);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(fileName);
    }
}

QByteArray TGraphic::ReadToEnd(QIODevice& stream) {
    std::optional<QByteArray> bytes = ReadAtMost(stream, LargestFile);
    if (!bytes)
        TooLarge();
    return *std::move(bytes);
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
    if (Store(transparent_, value))
        Changed();
}

void TGraphic::Changed() {
    if (OnChange)
        OnChange(*this);
}

#include "runtime/Graphic.h"

#include "runtime/InvalidGraphic.h"
#include "runtime/LocalFiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

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
    LoadFromStream(file);
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

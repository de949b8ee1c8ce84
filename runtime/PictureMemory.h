#ifndef VARNEL_RUNTIME_PICTUREMEMORY_H
#define VARNEL_RUNTIME_PICTUREMEMORY_H

#include <QImage>
#include <QImageReader>
#include <QSize>

// What a picture may cost once decoded. A few bytes can claim a picture of any size; whatever a
// file claims, reading it takes at most a fixed allowance plus twice the file's size: the file's
// bytes once, and pixels no larger than the allowance plus the file again.
namespace PictureMemory {

constexpr qint64 Allowance = qint64(64) << 20;

// The most bytes the pixels of a picture read from `fileSize` bytes may take.
constexpr qint64 Limit(qint64 fileSize) {
    return Allowance + fileSize;
}

// The bytes a picture of `size` pixels takes in `format`, counting the 32-bit copy a bitmap
// makes of any format it does not keep as it is.
qint64 DecodedBytes(QSize size, QImage::Format format);

// Whether the picture `reader` is about to decode fits the limit for `fileSize` bytes, asked of
// its header before anything is decoded. A reader that cannot tell its size beforehand passes,
// and Qt's own allocation limit holds it.
bool Fits(QImageReader& reader, qint64 fileSize);
// The same as a refusal that says so: "KIND image is too large: W × H".
void RequireFits(QImageReader& reader, qint64 fileSize, const QString& kind);

} // namespace PictureMemory

#endif

#ifndef VARNEL_RUNTIME_PICTUREEND_H
#define VARNEL_RUNTIME_PICTUREEND_H

#include <QByteArray>

// Whether a compressed picture file reaches the mark its format ends with. Qt's readers draw
// what they got of a file cut short and only warn; such a file is refused instead.
namespace PictureEnd {

// A JPEG's marker segments are walked to its (first) scan; the image's end marker must follow
// it. An end marker inside an earlier segment, a thumbnail's, does not count.
bool JpegComplete(const QByteArray& file);

// A PNG must hold its end chunk after the signature.
bool PngComplete(const QByteArray& file);

// The check for the reader named `format` ("jpeg", "png"); true for any other.
bool Complete(const QByteArray& format, const QByteArray& file);

} // namespace PictureEnd

#endif

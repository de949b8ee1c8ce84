#ifndef VARNEL_RUNTIME_PICTUREEND_H
#define VARNEL_RUNTIME_PICTUREEND_H

#include <QByteArray>
#include <optional>

// Whether a compressed picture file reaches the mark its format ends with. Qt's readers draw
// what they got of a file cut short and only warn; such a file is refused instead.
namespace PictureEnd {

// A JPEG's marker segments are walked to its (first) scan; the image's end marker must follow
// it. An end marker inside an earlier segment, a thumbnail's, does not count.
bool JpegComplete(const QByteArray& file);

// What the reader named `format` is given of `file`: a whole JPEG as it stands, a PNG as the
// chunks that draw it (PngChunks), any other kind as it stands; none for a file cut short.
std::optional<QByteArray> Readable(const QByteArray& format, const QByteArray& file);

} // namespace PictureEnd

#endif

#ifndef VARNEL_GIF_GIFWRITER_H
#define VARNEL_GIF_GIFWRITER_H

#include <QByteArray>

class TGIFImage;

// The picture as a GIF file. Frames keep their compressed data as read; a frame that exists only
// as a bitmap is encoded from it (reduced to 256 colours first when it is deeper than 8 bits).
// Graphic-control extensions are rebuilt from the frames' fields. The picture itself is left
// as it was.
//
// Raises "No GIF Data to write" for a picture without frames or a frame with neither data nor
// bitmap, "GIF image encoding error" when a bitmap cannot be reduced to 8 bits.
QByteArray WriteGIFFile(const TGIFImage& image);

#endif

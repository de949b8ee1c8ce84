#ifndef VARNEL_GIF_GIFITEM_H
#define VARNEL_GIF_GIFITEM_H

#include "gif/GIFColorTable.h"

#include <QByteArray>
#include <QByteArrayView>

// A frame's image as the file holds it. Frames copied from one another share one item, so the
// compressed data of a long animation is never duplicated; an item is not changed once shared.
struct TGIFItem {
    // The LZW minimum code size byte, then the data sub-blocks with their length bytes and the
    // closing empty block, as they stood in the file. Empty for a frame that so far exists only
    // as a bitmap.
    QByteArrayView Data() const { return QByteArrayView(Store).sliced(Offset, Size); }
    // Where the data lies: the frames read from one file share that file's bytes rather than
    // each copying its part; an encoded frame has bytes of its own.
    QByteArray Store;
    qsizetype Offset = 0;
    qsizetype Size = 0;
    int Width = 0;
    int Height = 0;
    quint8 Packed = 0;
    // Colour bits of the frame's table, 1 to 8; 0 when the frame has no table at all.
    int Bits = 0;
    // The frame's local table, or a copy of the global one.
    TGIFColorTable Colors;
};

#endif

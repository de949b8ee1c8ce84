#ifndef VARNEL_GIF_GIFSETTINGS_H
#define VARNEL_GIF_GIFSETTINGS_H

#include <QtGlobal>

// The largest frame that is decoded, in bytes of decoded pixels at a byte a pixel whatever the
// colour depth, since a few bytes of header can ask for 65535 × 65535 of them. 64 MB: an
// 8192 × 8192 frame.
constexpr qint64 GIFLargestFrame = qint64(64) << 20;

// How a picture reads damaged or oversized data. Each picture holds its own, handed to the reader
// and the decoder, so that frames decoded on different threads share nothing writable.
struct TGIFSettings {
    // Damaged image data is read and decoded as far as it goes, the frame marked Corrupted,
    // rather than refused. Nothing in the program turns this off.
    bool TolerateCorruptData = true;
    // A frame of more bytes of pixels raises "GIF image is too large".
    qint64 LargestFrame = GIFLargestFrame;
};

#endif

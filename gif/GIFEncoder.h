#ifndef VARNEL_GIF_GIFENCODER_H
#define VARNEL_GIF_GIFENCODER_H

#include <QByteArray>
#include <QImage>

// Compresses an 8-bit indexed image with the GIF's variable-length-code LZW: the minimum code
// size byte (the colour bits, at least 2), the data sub-blocks and the closing empty block.
// Indices are masked to `colorBits` (1, 4 or 8); rows go in interlaced order when asked.
QByteArray EncodeGIFImage(const QImage& indexed8, int colorBits, bool interlaced);

#endif

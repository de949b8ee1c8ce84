#ifndef VARNEL_GIF_GIFSETTINGS_H
#define VARNEL_GIF_GIFSETTINGS_H

#include <QtGlobal>

// Damaged image data is read and decoded as far as it goes, the frame marked Corrupted, rather
// than refused. Nothing in the program turns this off.
inline bool TolerateCorruptData = true;

// The largest frame that is decoded, in bytes of decoded pixels, since a few bytes of header can
// ask for 65535 × 65535 of them; a larger one raises "GIF image is too large". 64 MB: an 8192 ×
// 8192 frame of 8-bit pixels.
inline qint64 GIFLargestFrame = qint64(64) << 20;

#endif

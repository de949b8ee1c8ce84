#ifndef VARNEL_GIF_GIFSETTINGS_H
#define VARNEL_GIF_GIFSETTINGS_H

#include <QtGlobal>

// The largest frame, in pixels, that is decoded, since a few bytes of header can ask for
// 65535 × 65535 of them; a larger one raises "GIF image is too large". As Qt's own image readers
// do, 256 M. A constant, so that frames decoded on any thread read it without a lock.
constexpr qint64 GIFLargestFrame = qint64(1) << 28;

#endif

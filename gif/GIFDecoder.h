#ifndef VARNEL_GIF_GIFDECODER_H
#define VARNEL_GIF_GIFDECODER_H

#include <QImage>
#include <functional>

struct TGIFItem;
struct TGIFSettings;

struct TGIFDecoded {
    // Format_Mono for 1 colour bit, else Format_Indexed8 with 16 (2 to 4 bits) or 256 entries;
    // entries the frame's table does not fill are mid grey. Null for a frame of no pixels.
    QImage Image;
    // The data was damaged and was decoded as far as it went.
    bool Corrupted = false;
};

// Decodes a frame's compressed data (the item's minimum code size byte and sub-blocks) into an
// indexed image of the item's size. Pixels the data never reaches stay index 0. Never reads past
// the data, never writes outside the image, whatever the data holds.
//
// With TolerateCorruptData damaged data goes through as far as it goes (a code size outside 2..9
// clamped, a runaway string or the end of the data ending the decoding); otherwise damage raises
// "GIF code size not in range 2 to 9", "GIF encoded data is corrupt" or "Stream read error".
// A frame without a colour table raises "Wrong number of colors; must be a power of 2", one of
// more than LargestFrame bytes of pixels "GIF image is too large".
// `progress` hears the share of the data consumed, in per cent, now and then.
TGIFDecoded DecodeGIFImage(const TGIFItem& item, bool interlaced, const TGIFSettings& settings,
                           const std::function<void(int percent)>& progress = {});

#endif

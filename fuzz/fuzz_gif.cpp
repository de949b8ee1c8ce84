// Loads any bytes as a GIF and decodes its frames; the decoder must neither read past the data
// nor write outside its bitmap. The first frames are also drawn onto a logo-sized bitmap, in place
// and stretched, as the window and epatool draw pictures, and the first small ones are written as
// a picture of their own and read back, which must give the same indices.
//
// What an input costs is capped so that the fuzzer runs thousands of inputs a second. Drawing a
// frame stretched over the whole logo costs 17,000 pixels whatever the frame's size, and a GIF of
// a few hundred bytes may hold hundreds of frames: that was four fifths of the time. Every frame
// is still decoded, up to a pixel budget an input; the drawing and the round trip, whose code is
// the same for every frame, stop after the first few.

#include "gif/GIFImage.h"
#include "runtime/Bitmap.h"
#include "runtime/Exception.h"

#include <QBuffer>
#include <cstdint>
#include <cstdlib>

namespace {

// Frames may claim 65535 × 65535 pixels in a few bytes. A frame larger than this is refused as
// too large, which is itself a path worth covering; decoding millions of pixels an input would
// bring the fuzzer down to a hundred inputs a second, measuring memory rather than the decoder.
constexpr qint64 kLargestFrame = 1 << 16;
constexpr qint64 kPixelBudget = 1 << 18;
constexpr qint64 kRoundTripPixels = 1 << 12;
constexpr int kDrawnFrames = 4;
constexpr int kRoundTrips = 2;

// Stretched over a corner of the logo rather than all of it: scaling up and down is the same code
// at any size, and the whole logo would cost sixteen times the pixels.
void DrawOnALogo(const TGIFFrame& frame, TBitmap& logo) {
    frame.Draw(logo.Canvas(), frame.Bounds(), true);
    frame.Draw(logo.Canvas(), QRect(0, 0, logo.Width() / 4, logo.Height() / 4), false);
}

void ExpectRoundTrip(const TBitmap& bitmap) {
    TGIFImage single;
    single.AddFrame(bitmap);
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    single.SaveToStream(written);
    TGIFImage back;
    back.LoadFromBytes(written.data());
    const QImage& before = bitmap.Image();
    const QImage& after = back.Frames(0).Bitmap().Image();
    if (after.size() != before.size())
        std::abort();
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (after.pixelIndex(x, y) != before.pixelIndex(x, y))
                std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TGIFImage image;
    image.SetSettings({.LargestFrame = kLargestFrame});
    try {
        image.LoadFromBytes(
            QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    } catch (const Exception&) {
    }
    TBitmap logo(136, 126, TPixelFormat::pf24bit);
    qint64 budget = kPixelBudget;
    int drawn = 0;
    int roundTrips = 0;
    for (int i = 0; i < image.Count(); ++i) {
        const TGIFFrame& frame = image.Frames(i);
        const qint64 pixels = qint64(frame.Item().Width) * frame.Item().Height;
        if (pixels > budget)
            continue;
        budget -= pixels;
        try {
            const TBitmap& bitmap = frame.Bitmap();
            if (drawn < kDrawnFrames) {
                ++drawn;
                DrawOnALogo(frame, logo);
            }
            if (roundTrips < kRoundTrips && !bitmap.Empty() && pixels <= kRoundTripPixels) {
                ++roundTrips;
                ExpectRoundTrip(bitmap);
            }
        } catch (const Exception&) {
        }
    }
    return 0;
}

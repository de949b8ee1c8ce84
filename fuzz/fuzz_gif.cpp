// Loads any bytes as a GIF and decodes every frame; the decoder must neither read past the data
// nor write outside its bitmap. Each decoded frame is drawn onto a logo-sized bitmap, in place and
// stretched over it, as the window and epatool draw pictures; each one small enough is also
// written as a picture of its own and read back, which must give the same indices.

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

void DrawOnALogo(const TGIFFrame& frame) {
    TBitmap logo(136, 126, TPixelFormat::pf24bit);
    frame.Draw(logo.Canvas(), frame.Bounds(), true);
    frame.Draw(logo.Canvas(), QRect(0, 0, logo.Width(), logo.Height()), false);
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
    qint64 budget = kPixelBudget;
    for (int i = 0; i < image.Count(); ++i) {
        const TGIFFrame& frame = image.Frames(i);
        const qint64 pixels = qint64(frame.Item().Width) * frame.Item().Height;
        if (pixels > budget)
            continue;
        budget -= pixels;
        try {
            const TBitmap& bitmap = frame.Bitmap();
            DrawOnALogo(frame);
            if (!bitmap.Empty() && pixels <= kRoundTripPixels)
                ExpectRoundTrip(bitmap);
        } catch (const Exception&) {
        }
    }
    return 0;
}

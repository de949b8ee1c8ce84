// A full-screen logo as a picture. Apart from the reader so that what only reads a logo and
// reports on it links no Qt Gui.
#include "logo/AwbmLogo.h"
#include "runtime/Bitmap.h"
#include "runtime/OutOfMemory.h"

#include <QList>
#include <QRgb>
#include <algorithm>

unsigned int TAwbmLogo::ToRgb(TAwbmColor color) {
    // The nearest of the 256 levels, as the DAC's output stands between black and full.
    const auto widen = [](std::uint8_t value) { return (value * 255 + 31) / 63; };
    return qRgb(widen(color.red), widen(color.green), widen(color.blue));
}

TBitmap TAwbmLogo::Render() const {
    QImage image = Allocated(QImage(width_, height_, QImage::Format_Indexed8));
    QList<QRgb> colors;
    for (const TAwbmColor c : palette_)
        colors.append(ToRgb(c));
    image.setColorTable(colors);
    for (int y = 0; y < height_; ++y)
        std::copy_n(indices_.begin() + std::ptrdiff_t(y) * width_, width_, image.scanLine(y));
    TBitmap bitmap;
    bitmap.SetImage(image);
    return bitmap;
}

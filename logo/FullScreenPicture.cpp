#include "logo/FullScreenPicture.h"

#include "runtime/Bitmap.h"
#include "runtime/OutOfMemory.h"

#include <QPainter>

QRect FittedPlace(QSize own, QSize size) {
    const QSize fitted = own.scaled(size, Qt::KeepAspectRatio).expandedTo({1, 1});
    return {QPoint((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2),
            fitted};
}

TRgbRows RgbRowsOf(const QImage& rgb32) {
    Q_ASSERT(rgb32.format() == QImage::Format_RGB32);
    return {rgb32.width(), rgb32.height(),
            reinterpret_cast<const std::uint32_t*>(rgb32.constBits()), rgb32.bytesPerLine() / 4};
}

QImage FullScreenPicture(TGraphic& picture, QSize size) {
    const QSize own(picture.Width(), picture.Height());
    if (!size.isValid())
        size = own;
    const QRect place = FittedPlace(own, size);
    const QSize fitted = place.size();
    const auto* bitmap = dynamic_cast<const TBitmap*>(&picture);
    // An opaque bitmap that fills the logo is its own pixels: drawing it on black would only
    // copy them, at a megabyte or more for a full screen.
    if (bitmap && fitted == size && size == own && !bitmap->Image().hasAlphaChannel())
        return Allocated(bitmap->Image().convertToFormat(QImage::Format_RGB32));
    TBitmap canvas(size.width(), size.height(), TPixelFormat::pf24bit);
    if (bitmap) {
        // Premultiplied, so that see-through pixels are drawn over the black as they blend.
        const QImage scaled =
            Allocated(bitmap->Image()
                          .convertToFormat(QImage::Format_ARGB32_Premultiplied)
                          .scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        QImage pixels = canvas.Image();
        {
            QPainter painter(&pixels);
            painter.drawImage(place.topLeft(), scaled);
        }
        return pixels;
    }
    canvas.Canvas().StretchDraw(place, picture);
    return canvas.Image();
}

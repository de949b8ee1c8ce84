#include "logo/FullScreenPicture.h"

#include "runtime/Bitmap.h"
#include "runtime/OutOfMemory.h"

#include <QPainter>

QRect FittedPlace(QSize own, QSize size) {
    const QSize fitted = own.scaled(size, Qt::KeepAspectRatio).expandedTo({1, 1});
    return {QPoint((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2),
            fitted};
}

QImage FullScreenPicture(TGraphic& picture, QSize size) {
    const QSize own(picture.Width(), picture.Height());
    if (!size.isValid())
        size = own;
    const QRect place = FittedPlace(own, size);
    const QSize fitted = place.size();
    TBitmap canvas(size.width(), size.height(), TPixelFormat::pf24bit);
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&picture)) {
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

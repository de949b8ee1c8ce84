#include "logo/PictureArea.h"

#include "logo/Conversion.h"
#include "logo/FullScreenPicture.h"
#include "logo/LogoGeometry.h"

using namespace LogoGeometry;

TPictureArea PictureArea(TGraphic& picture, QSize cells, bool fit) {
    const QRect logo(0, 0, cells.width() * CellWidth, cells.height() * CellHeight);
    const QSize own(picture.Width(), picture.Height());
    if (fit) {
        TPictureArea area{TBitmap(Width, Height, TPixelFormat::pf24bit),
                          FittedPlace(own, logo.size())};
        const QImage fitted = FullScreenPicture(picture, logo.size());
        area.pixels.Canvas().DrawImage(logo, fitted);
        return area;
    }
    TPictureArea area{LogoArea(picture), QRect(QPoint(), own) & logo};
    // What lies beyond the logo's cells is no part of it.
    TCanvas& canvas = area.pixels.Canvas();
    canvas.FillRect(QRect(logo.right() + 1, 0, Width - logo.width(), Height), clBlack);
    canvas.FillRect(QRect(0, logo.bottom() + 1, Width, Height - logo.height()), clBlack);
    return area;
}

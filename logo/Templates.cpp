#include "logo/Templates.h"

#include "logo/LogoGeometry.h"
#include "runtime/Bitmap.h"

namespace Templates {

TBitmap BlankDrawing() {
    return TBitmap(LogoGeometry::Width + 1, LogoGeometry::Height + 1, TPixelFormat::pf1bit);
}

TBitmap BlankPreview() {
    using namespace LogoGeometry;
    TBitmap preview(PreviewWidth, PreviewHeight, TPixelFormat::pf4bit, StandardPalette16());
    TCanvas& canvas = preview.Canvas();
    for (int y = 0; y < preview.Height(); ++y)
        for (int x = 0; x < preview.Width(); ++x)
            if (x % PreviewCellWidth == CellWidth || y % PreviewCellHeight == CellHeight)
                canvas.SetPixel(x, y, clSilver);
    return preview;
}

} // namespace Templates

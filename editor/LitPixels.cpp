#include "editor/LitPixels.h"

#include "logo/ColorTable.h"
#include "logo/Conversion.h"
#include "runtime/Bitmap.h"

using namespace LogoGeometry;

void TLitPixels::Take(const TBitmap& drawing) {
    const TCanvas& canvas = drawing.Canvas();
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            lit_[std::size_t(y * Width + x)] = IsLit(canvas.Pixel(x, y));
}

bool TLitPixels::Lit(int x, int y) const {
    return x >= 0 && x < Width && y >= 0 && y < Height && lit_[std::size_t(y * Width + x)];
}

void TLitPixels::PaintCell(TCanvas& preview, int column, int row, TColor color) const {
    for (int y = row * CellHeight; y < (row + 1) * CellHeight; ++y)
        for (int x = column * CellWidth; x < (column + 1) * CellWidth; ++x)
            if (Lit(x, y))
                preview.SetPixel(PreviewX(x), PreviewY(y), color);
}

void TLitPixels::PaintAll(TCanvas& preview, const TColorTable& colors) const {
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Columns; ++c) {
            const int index = TColorTable::GridIndexForAttribute(colors.At(c, r));
            PaintCell(preview, c, r, FromQRgb(StandardPalette16()[index]));
        }
}

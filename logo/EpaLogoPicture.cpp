// The pictures of a finished logo: the editor's drawing and the BIOS's rendering. Apart from the
// reader so that what only reads a logo and reports on it links no Qt Gui.
#include "logo/Conversion.h"
#include "logo/EpaFormat.h"
#include "logo/EpaLogo.h"
#include "logo/LogoGeometry.h"
#include "logo/Templates.h"
#include "runtime/Bitmap.h"
#include "runtime/Color.h"

#include <algorithm>
#include <array>

using LogoGeometry::CellHeight;
using LogoGeometry::CellWidth;

namespace {

// Whether the save writes pixel line `line` of the editor's cell (column, row) itself.
bool SavedOver(int column, int row, int line) {
    const long offset = EpaFormat::GlyphOffset(column, row, line);
    return std::any_of(
        EpaFormat::FixedBytes.begin(), EpaFormat::FixedBytes.end(),
        [offset](const EpaFormat::FixedByte& fixed) { return fixed.offset == offset; });
}

} // namespace

TBitmap TEpaLogo::Drawing() const {
    TBitmap drawing = Templates::BlankDrawing();
    TCanvas& canvas = drawing.Canvas();
    const bool marked = HasMarker();
    const auto markLine = [&](int column, int row, int line) {
        return marked && column == columns_ - 1 && row == rows_ - 1 &&
               line >= LogoGeometry::MarkerFirstLine &&
               line < LogoGeometry::MarkerFirstLine + int(EpaFormat::MarkerGlyph.size());
    };
    for (int y = 0; y < rows_ * CellHeight; ++y)
        for (int x = 0; x < columns_ * CellWidth; ++x) {
            const int c = x / CellWidth;
            const int r = y / CellHeight;
            if (Lit(x, y) && !SavedOver(c, r, y % CellHeight) && !markLine(c, r, y % CellHeight))
                canvas.SetPixel(x, y, clWhite);
        }
    return drawing;
}

TBitmap TEpaLogo::Render() const {
    return TBitmap::OfIndexed(Shown());
}

TEpaLogo TEpaLogo::OfDrawing(const TColorTable& colors, const TBitmap& drawing) {
    QByteArray logo = Unlit(colors);
    std::array<TColor, LogoGeometry::Width> pixels;
    for (int y = 0; y < LogoGeometry::Height; ++y) {
        drawing.Canvas().ReadRow(y, pixels);
        for (int c = 0; c < LogoGeometry::Columns; ++c) {
            int line = 0;
            for (int x = 0; x < CellWidth; ++x)
                line = line << 1 | int(IsLit(pixels[std::size_t(c * CellWidth + x)]));
            logo[qsizetype(EpaFormat::GlyphOffset(c, y / CellHeight, y % CellHeight))] = char(line);
        }
    }
    return Marked(std::move(logo));
}

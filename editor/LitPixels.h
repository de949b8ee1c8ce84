#ifndef VARNEL_EDITOR_LITPIXELS_H
#define VARNEL_EDITOR_LITPIXELS_H

#include "logo/LogoGeometry.h"
#include "runtime/Color.h"

#include <bitset>

class TBitmap;
class TCanvas;
class TColorTable;

// The pixels the last conversion lit, kept apart from the preview's colours: a cell coloured
// black or silver looks like background, yet a later colour must still find its pixels, and the
// preview must show every cell as the save will write it.
class TLitPixels {
public:
    // Nothing lit: the state of a fresh preview.
    void Clear() { lit_.reset(); }
    // Takes the lit pixels of the drawing's logo area, by the conversion's rule.
    void Take(const TBitmap& drawing);
    bool Lit(int x, int y) const;

    // Paints the lit pixels of cell (column, row) of the preview in `color`.
    void PaintCell(TCanvas& preview, int column, int row, TColor color) const;
    // Paints every cell's lit pixels in the grid colour of its attribute in `colors`.
    void PaintAll(TCanvas& preview, const TColorTable& colors) const;

    bool operator==(const TLitPixels&) const = default;

private:
    std::bitset<LogoGeometry::Width * LogoGeometry::Height> lit_;
};

#endif

#ifndef VARNEL_LOGO_EPALOGO_H
#define VARNEL_LOGO_EPALOGO_H

#include "logo/EpaFormat.h"
#include "runtime/IndexedPicture.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

class TBitmap;
class TColorTable;

// A version-1 EPA logo as read back from disk: W × H character cells, each with a VGA attribute
// (foreground in bits 0–3, background in bits 4–6, bit 7 the text mode's blink) and a 14-line
// glyph whose bit 7 is the leftmost pixel.
class TEpaLogo {
public:
    // Nothing valid is longer: a logo of 255 × 255 cells with the trailing bytes.
    static constexpr qint64 LargestFile =
        EpaFormat::HeaderSize + 255LL * 255 * EpaFormat::BytesPerCell + EpaFormat::TrailerSize;

    // Raises an error naming the file when it cannot be read, or when its length is not
    // 2 + 15·W·H, with or without the 70 trailing bytes, for W, H ≥ 1.
    static TEpaLogo Read(const QString& fileName);
    // The same check on bytes already in memory; `name` is what the error message calls them.
    static TEpaLogo Parse(const QByteArray& bytes, const QString& name);
    // The logo a save would write now: the glyphs from `byteRows` (the text a conversion leaves
    // in "bin1.dat"; missing lines and fields count as unlit), the attributes from `colors`, and
    // the program's mark in the bottom-right cell.
    static TEpaLogo Compose(const TColorTable& colors, const QByteArray& byteRows);
    // The same logo straight from the drawing whose conversion would write those rows (its
    // top-left 136 × 126 pixels, lit where not black), with no working files.
    static TEpaLogo OfDrawing(const TColorTable& colors, const TBitmap& drawing);

    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    bool HasTrailer() const { return hasTrailer_; }
    std::uint8_t Attribute(int column, int row) const;
    // Pixel line `line` (0..13) of the glyph in cell (column, row).
    std::uint8_t GlyphLine(int column, int row, int line) const;
    bool Lit(int x, int y) const;
    // Whether the bottom-right cell holds the program's mark, as a save leaves it.
    bool HasMarker() const;

    // The top-left `columns` × `rows` cells (at most what the logo has) as a logo of that size,
    // with the program's mark in its own bottom-right cell and the trailing bytes: the file a
    // save of that size writes.
    TEpaLogo Cropped(int columns, int rows) const;
    // The file's bytes.
    QByteArray Bytes() const;

    // Whether the editor can hold the logo: at most 17 × 9 cells.
    bool FitsEditor() const;
    // The logo as the editor's drawing: 137 × 127 pixels, 1 bit (black, white), lit pixels white
    // from the top-left. The pixel lines that the save writes over with its own marker are left
    // out, and so are those of the logo's own bottom-right cell when they hold the mark: the
    // marker of a saved logo, of whatever size, does not become part of the drawing.
    TBitmap Drawing() const;

    // The logo as the BIOS shows it: lit pixels in the cell's foreground colour, unlit ones in
    // its background colour (bits 4–6: the BIOS leaves bit 7 to blinking), in the VGA text
    // palette; 8·W × 14·H pixels.
    TIndexedPicture Shown() const;
    // The same as a 4-bit bitmap.
    TBitmap Render() const;

private:
    static QByteArray Unlit(const TColorTable& colors);
    // The logo with the program's mark in its bottom-right cell.
    static TEpaLogo Marked(QByteArray logo);

    int columns_ = 0;
    int rows_ = 0;
    bool hasTrailer_ = false;
    std::vector<std::uint8_t> attributes_;
    std::vector<std::uint8_t> glyphs_;
};

#endif

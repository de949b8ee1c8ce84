#ifndef VARNEL_RUNTIME_GLYPHINK_H
#define VARNEL_RUNTIME_GLYPHINK_H

#include <QImage>
#include <QPoint>
#include <QRawFont>

// The pixels one glyph sets when drawn unsmoothed at a whole-pixel origin on its baseline: what
// decides whether two letters drawn side by side would run into each other.
class TGlyphInk {
public:
    // Drawn once for each font and glyph, then kept, at the same place, for the rest of the run.
    static const TGlyphInk& Of(const QRawFont& font, quint32 glyph);

    bool Empty() const { return ink_.isNull(); }
    // Whether `right`, drawn `offset` pixels from this glyph's origin, has a pixel on or next to
    // (sideways, above, below or corner to corner) one of this glyph's.
    bool Touches(const TGlyphInk& right, QPoint offset) const;

private:
    TGlyphInk(const QRawFont& font, quint32 glyph);
    bool InkAt(int x, int y) const;
    bool NearInk(int x, int y) const;
    bool Meets(const TGlyphInk& right, QPoint offset) const;

    // Ink pixels are opaque; `origin_` is where the glyph's origin lies in `ink_`.
    QImage ink_;
    QPoint origin_;
};

#endif

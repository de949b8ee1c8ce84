#ifndef VARNEL_GIF_GIFCOLORTABLE_H
#define VARNEL_GIF_GIFCOLORTABLE_H

#include "runtime/Color.h"

#include <QByteArray>
#include <QList>

// A GIF colour table: up to 256 colours, of which the first Count are meaningful. A count of 0
// means there is no table at all.
struct TGIFColorTable {
    int Count = 0;
    // Always 256 entries. Copies share them until one is changed, so that the frames of a long
    // animation hold one global table between them rather than one each.
    QList<TColor> Colors = Blank();

    bool Empty() const { return Count == 0; }
    // Count R, G, B triples in file order.
    static TGIFColorTable FromBytes(const QByteArray& triples);
    QByteArray ToBytes() const;
    static TGIFColorTable FromPalette(const QList<QRgb>& palette, int count);
    // The first entry equal to `color`, or -1.
    int IndexOf(TColor color) const;

    // 2 → 1, 4 → 2, … 256 → 8; any other count raises
    // "Wrong number of colors; must be a power of 2".
    static int BitsForCount(int count);

private:
    static const QList<TColor>& Blank();
};

#endif

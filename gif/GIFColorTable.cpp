#include "gif/GIFColorTable.h"

#include "runtime/InvalidGraphic.h"

#include <bit>

TGIFColorTable TGIFColorTable::FromBytes(const QByteArray& triples) {
    TGIFColorTable table;
    table.Count = std::min<int>(triples.size() / 3, 256);
    for (int i = 0; i < table.Count; ++i) {
        const auto byte = [&](int k) { return static_cast<TColor>(quint8(triples[3 * i + k])); };
        table.Colors[i] = byte(0) | byte(1) << 8 | byte(2) << 16;
    }
    return table;
}

QByteArray TGIFColorTable::ToBytes() const {
    QByteArray triples;
    triples.reserve(3 * Count);
    for (int i = 0; i < Count; ++i)
        for (int shift : {0, 8, 16})
            triples.append(static_cast<char>((Colors[i] >> shift) & 0xFF));
    return triples;
}

TGIFColorTable TGIFColorTable::FromPalette(const QList<QRgb>& palette, int count) {
    TGIFColorTable table;
    table.Count = count;
    for (int i = 0; i < std::min<int>(count, palette.size()); ++i)
        table.Colors[i] = FromQRgb(palette[i]);
    return table;
}

int TGIFColorTable::IndexOf(TColor color) const {
    for (int i = 0; i < Count; ++i)
        if (Colors[i] == color)
            return i;
    return -1;
}

const QList<TColor>& TGIFColorTable::Blank() {
    static const QList<TColor> blank(256, 0);
    return blank;
}

int TGIFColorTable::BitsForCount(int count) {
    if (count < 2 || count > 256 || !std::has_single_bit(static_cast<unsigned>(count)))
        throw EInvalidGraphic(QStringLiteral("Wrong number of colors; must be a power of 2"));
    return std::countr_zero(static_cast<unsigned>(count));
}

#ifndef VARNEL_PICTURES_WMFPLAYER_H
#define VARNEL_PICTURES_WMFPLAYER_H

#include "pictures/MetafileHeader.h"
#include "runtime/ByteView.h"

#include <functional>

class QPainter;
class TGdiPlayer;

// Windows metafiles (".wmf"): 16-bit records after an optional placeable header that gives the
// picture's bounds and units per inch. Without that header, the picture is the window the
// records first set, one unit a pixel.
class TWmfPlayer {
public:
    // Checks the headers and that the records run, each inside the file, to the end record;
    // raises "Metafile is not valid" otherwise.
    static TMetafileHeader ReadHeader(TByteView file);
    static void Play(TByteView file, const TMetafileHeader& header, QPainter& painter,
                     const QRectF& target);

private:
    TWmfPlayer(TByteView file, TGdiPlayer& gdi) : file_(file), gdi_(gdi) {}

    using Visitor = std::function<void(quint16 function, TByteView params)>;
    // Offset of the first record; records are walked up to the end record, which is required.
    static qint64 RecordsStart(TByteView file);
    static void ForEachRecord(TByteView file, const Visitor& visit);

    void Record(quint16 function, TByteView params);
    bool StateRecord(quint16 function, TByteView params);
    bool MappingRecord(quint16 function, TByteView params);
    bool ObjectRecord(quint16 function, TByteView params);
    bool ShapeRecord(quint16 function, TByteView params);
    bool BitmapRecord(quint16 function, TByteView params);
    bool TextRecord(quint16 function, TByteView params);
    void CreateFont(TByteView params);
    void PolyPolygon(TByteView params);
    void ExtTextOut(TByteView params);

    TByteView file_;
    TGdiPlayer& gdi_;
};

#endif

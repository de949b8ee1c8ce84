#ifndef VARNEL_PICTURES_EMFPLAYER_H
#define VARNEL_PICTURES_EMFPLAYER_H

#include "pictures/MetafileHeader.h"
#include "runtime/ByteView.h"

#include <functional>

class QPainter;
class TGdiPlayer;

// Enhanced metafiles (".emf"): 32-bit records after a header that gives the picture's frame in
// hundredths of a millimetre and the device the drawing was made for.
class TEmfPlayer {
public:
    // Whether the file starts with an enhanced metafile's header record.
    static bool Recognizes(TByteView file);
    // Checks the header and that the records run, each inside the file, to the end record;
    // raises "Metafile is not valid" otherwise.
    static TMetafileHeader ReadHeader(TByteView file);
    static void Play(TByteView file, const TMetafileHeader& header, QPainter& painter,
                     const QRectF& target);

private:
    explicit TEmfPlayer(TGdiPlayer& gdi) : gdi_(gdi) {}

    // Each record whole, from its type field on.
    using Visitor = std::function<void(quint32 type, TByteView record)>;
    static void ForEachRecord(TByteView file, const Visitor& visit);

    void Record(quint32 type, TByteView record);
    bool StateRecord(quint32 type, TByteView record);
    bool MappingRecord(quint32 type, TByteView record);
    bool ObjectRecord(quint32 type, TByteView record);
    bool ShapeRecord(quint32 type, TByteView record);
    bool PolyRecord(quint32 type, TByteView record);
    bool PathRecord(quint32 type, TByteView record);
    bool BitmapRecord(quint32 type, TByteView record);
    bool TextRecord(quint32 type, TByteView record);
    void CreateFont(TByteView record);
    void ExtCreatePen(TByteView record);
    void SelectClipRegion(TByteView record);

    TGdiPlayer& gdi_;
};

#endif

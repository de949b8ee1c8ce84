#include "pictures/WmfPlayer.h"

#include "pictures/Dib.h"
#include "pictures/GdiPlayer.h"

#include <optional>

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr qint64 kHeaderBytes = 18;
constexpr qint64 kPlaceableBytes = 22;

enum : quint16 {
    metaEof = 0x0000,
    metaSetBkColor = 0x0201,
    metaSetBkMode = 0x0102,
    metaSetMapMode = 0x0103,
    metaSetRop2 = 0x0104,
    metaSetPolyFillMode = 0x0106,
    metaSetTextColor = 0x0209,
    metaSetWindowOrg = 0x020B,
    metaSetWindowExt = 0x020C,
    metaOffsetWindowOrg = 0x020F,
    metaScaleWindowExt = 0x0410,
    metaLineTo = 0x0213,
    metaMoveTo = 0x0214,
    metaExcludeClipRect = 0x0415,
    metaIntersectClipRect = 0x0416,
    metaArc = 0x0817,
    metaEllipse = 0x0418,
    metaPie = 0x081A,
    metaRectangle = 0x041B,
    metaRoundRect = 0x061C,
    metaPatBlt = 0x061D,
    metaSaveDC = 0x001E,
    metaSetPixel = 0x041F,
    metaTextOut = 0x0521,
    metaPolygon = 0x0324,
    metaPolyline = 0x0325,
    metaRestoreDC = 0x0127,
    metaSelectObject = 0x012D,
    metaSetTextAlign = 0x012E,
    metaChord = 0x0830,
    metaExtTextOut = 0x0A32,
    metaSetDibToDev = 0x0D33,
    metaPolyPolygon = 0x0538,
    metaDibBitBlt = 0x0940,
    metaDibStretchBlt = 0x0B41,
    metaDibCreatePatternBrush = 0x0142,
    metaStretchDib = 0x0F43,
    metaDeleteObject = 0x01F0,
    metaCreatePalette = 0x00F7,
    metaCreatePatternBrush = 0x01F9,
    metaCreatePenIndirect = 0x02FA,
    metaCreateFontIndirect = 0x02FB,
    metaCreateBrushIndirect = 0x02FC,
    metaCreateRegion = 0x06FF,
};

constexpr quint16 kDibRgbColors = 0;
constexpr quint32 kSourceCopy = 0x00CC0020;

// Most records list their coordinates last to first: y before x, bottom-right before top-left.
QPointF PointYX(TByteView params, qint64 at) {
    return QPointF(params.I16(at + 2), params.I16(at));
}

QRectF RectBRTL(TByteView params, qint64 at) {
    return QRectF(QPointF(params.I16(at + 6), params.I16(at + 4)),
                  QPointF(params.I16(at + 2), params.I16(at)));
}

QPolygonF Points(TByteView params, qint64 at, qint64 count) {
    QPolygonF points;
    if (!params.Has(at, count * 4))
        throw EOutsideBytes{};
    for (qint64 i = 0; i < count; ++i)
        points.append(QPointF(params.I16(at + 4 * i), params.I16(at + 4 * i + 2)));
    return points;
}

// A bitmap with its header, paid for before it is decoded.
QImage PackedDib(TWorkBudget& budget, TByteView dib) {
    budget.Spend(Dib::DeclaredPixels(dib));
    return Dib::DecodePacked(dib);
}

// Draws the bitmap in `params` from `dibAt` onto `dest`.
void Blit(TGdiPlayer& gdi, TByteView params, qint64 dibAt, const QRectF& dest, const QRectF& source,
          quint32 rop, bool rowsFromBottom) {
    gdi.StretchImage(dest, PackedDib(gdi.Budget(), params.Sub(dibAt)), source, rop, rowsFromBottom);
}

} // namespace

qint64 TWmfPlayer::RecordsStart(TByteView file) {
    const qint64 at = file.Has(0, 4) && file.U32(0) == kPlaceableKey ? kPlaceableBytes : 0;
    const quint16 type = file.U16(at);
    const quint16 headerWords = file.U16(at + 2);
    const quint16 version = file.U16(at + 4);
    if ((type != 1 && type != 2) || headerWords != kHeaderBytes / 2 ||
        (version != 0x0100 && version != 0x0300))
        ThrowInvalidMetafile();
    return at + kHeaderBytes;
}

void TWmfPlayer::ForEachRecord(TByteView file, const Visitor& visit) {
    qint64 at = RecordsStart(file);
    while (true) {
        const qint64 words = file.U32(at);
        const quint16 function = file.U16(at + 4);
        if (words < 3 || !file.Has(at, words * 2))
            ThrowInvalidMetafile();
        if (function == metaEof)
            return;
        visit(function, file.Sub(at + 6, words * 2 - 6));
        at += words * 2;
    }
}

TMetafileHeader TWmfPlayer::ReadHeader(TByteView file) {
    std::optional<QPointF> windowOrg;
    std::optional<QPointF> windowExt;
    try {
        ForEachRecord(file, [&](quint16 function, TByteView params) {
            if (function == metaSetWindowOrg && !windowOrg && params.Has(0, 4))
                windowOrg = PointYX(params, 0);
            if (function == metaSetWindowExt && !windowExt && params.Has(0, 4))
                windowExt = PointYX(params, 0);
        });
        TMetafileHeader header;
        header.objects = file.U16(RecordsStart(file) - kHeaderBytes + 10);
        double unitsPerInch = 96;
        if (file.U32(0) == kPlaceableKey) {
            header.frame =
                QRectF(QPointF(file.I16(6), file.I16(8)), QPointF(file.I16(10), file.I16(12)))
                    .normalized();
            unitsPerInch = file.U16(14);
        } else if (windowExt) {
            header.frame =
                QRectF(windowOrg.value_or(QPointF()), QSizeF(windowExt->x(), windowExt->y()))
                    .normalized();
        }
        if (unitsPerInch <= 0)
            ThrowInvalidMetafile();
        header.size = MetafilePixels(header.frame.width() / unitsPerInch,
                                     header.frame.height() / unitsPerInch);
        header.pixelsPerMm = QPointF(unitsPerInch / 25.4, unitsPerInch / 25.4);
        return header;
    } catch (const EOutsideBytes&) {
        ThrowInvalidMetafile();
    }
}

void TWmfPlayer::Play(TByteView file, const TMetafileHeader& header, QPainter& painter,
                      const QRectF& target) {
    TGdiPlayer gdi(painter, header.frame, target, header.pixelsPerMm, header.objects,
                   QStringLiteral("WMF"));
    // The picture's frame is the viewport, which belongs to whoever plays the metafile: the
    // metafile's window is drawn into it, and its own viewport records are passed over.
    TGdiState& state = gdi.State();
    state.mapMode = TGdiState::mmAnisotropic;
    state.windowOrg = state.viewportOrg = header.frame.topLeft();
    state.windowExt = state.viewportExt = QPointF(header.frame.width(), header.frame.height());
    TWmfPlayer player(file, gdi);
    ForEachRecord(file, [&](quint16 function, TByteView params) {
        gdi.Budget().SpendRecord();
        try {
            player.Record(function, params);
        } catch (const EOutsideBytes&) {
            // A record too short for its fields draws nothing.
        }
    });
}

void TWmfPlayer::Record(quint16 function, TByteView params) {
    // Records nobody here knows (escapes, palettes, regions' uses) are passed over.
    StateRecord(function, params) || MappingRecord(function, params) ||
        ObjectRecord(function, params) || ShapeRecord(function, params) ||
        BitmapRecord(function, params) || TextRecord(function, params);
}

bool TWmfPlayer::StateRecord(quint16 function, TByteView params) {
    TGdiState& state = gdi_.State();
    switch (function) {
    case metaSetBkColor:
        state.bkColor = params.U32(0);
        return true;
    case metaSetBkMode:
        state.bkMode = params.U16(0);
        return true;
    case metaSetRop2:
        state.rop2 = params.U16(0);
        return true;
    case metaSetPolyFillMode:
        state.polyFillMode = params.U16(0);
        return true;
    case metaSetTextColor:
        state.textColor = params.U32(0);
        return true;
    case metaSetTextAlign:
        state.textAlign = params.U16(0);
        return true;
    case metaSaveDC:
        gdi_.Save();
        return true;
    case metaRestoreDC:
        gdi_.Restore(params.I16(0));
        return true;
    case metaIntersectClipRect:
        gdi_.IntersectClipRect(RectBRTL(params, 0));
        return true;
    case metaExcludeClipRect:
        gdi_.ExcludeClipRect(RectBRTL(params, 0));
        return true;
    default:
        return false;
    }
}

bool TWmfPlayer::MappingRecord(quint16 function, TByteView params) {
    TGdiState& state = gdi_.State();
    switch (function) {
    case metaSetMapMode:
        state.mapMode = params.U16(0);
        return true;
    case metaSetWindowOrg:
        state.windowOrg = PointYX(params, 0);
        return true;
    case metaSetWindowExt:
        gdi_.SetWindowExt(PointYX(params, 0));
        return true;
    case metaOffsetWindowOrg:
        state.windowOrg += PointYX(params, 0);
        return true;
    case metaScaleWindowExt:
        if (params.I16(0) != 0 && params.I16(4) != 0)
            gdi_.SetWindowExt(QPointF(state.windowExt.x() * params.I16(6) / params.I16(4),
                                      state.windowExt.y() * params.I16(2) / params.I16(0)));
        return true;
    default:
        return false;
    }
}

bool TWmfPlayer::ObjectRecord(quint16 function, TByteView params) {
    switch (function) {
    case metaCreatePenIndirect:
        gdi_.AddObject(TLogPen{params.U16(0), double(params.I16(2)), params.U32(6)});
        return true;
    case metaCreateBrushIndirect:
        gdi_.AddObject(TLogBrush{params.U16(0), params.U32(2), params.U16(6), {}});
        return true;
    case metaCreateFontIndirect:
        CreateFont(params);
        return true;
    case metaDibCreatePatternBrush: {
        TLogBrush brush{TLogBrush::DibPatternPt, clBlack, 0, {}};
        if (params.U16(2) == kDibRgbColors)
            brush.pattern = PackedDib(gdi_.Budget(), params.Sub(4));
        gdi_.AddObject(brush);
        return true;
    }
    case metaCreatePalette:
    case metaCreatePatternBrush:
    case metaCreateRegion:
        // These take a place in the table even though nothing here draws with them.
        gdi_.AddObject(TOtherObject{});
        return true;
    case metaSelectObject:
        gdi_.SelectObject(params.U16(0));
        return true;
    case metaDeleteObject:
        gdi_.DeleteObject(params.U16(0));
        return true;
    default:
        return false;
    }
}

void TWmfPlayer::CreateFont(TByteView params) {
    TLogFont font;
    font.height = params.I16(0);
    font.escapement = params.I16(4);
    font.weight = params.I16(8);
    font.italic = params.U8(10);
    font.underline = params.U8(11);
    font.strikeOut = params.U8(12);
    font.charSet = params.U8(13);
    const TByteView face = params.Sub(18, std::min<qint64>(32, params.Size() - 18));
    QByteArray name = face.Bytes().toByteArray();
    name.truncate(name.indexOf('\0') >= 0 ? name.indexOf('\0') : name.size());
    font.faceName = QString::fromLatin1(name);
    gdi_.AddObject(font);
}

bool TWmfPlayer::ShapeRecord(quint16 function, TByteView params) {
    using Arc = TGdiPlayer::TArcKind;
    switch (function) {
    case metaMoveTo:
        gdi_.MoveTo(PointYX(params, 0));
        return true;
    case metaLineTo:
        gdi_.LineTo(PointYX(params, 0));
        return true;
    case metaRectangle:
        gdi_.Rectangle(RectBRTL(params, 0));
        return true;
    case metaRoundRect:
        gdi_.RoundRect(RectBRTL(params, 4), QSizeF(params.I16(2), params.I16(0)));
        return true;
    case metaEllipse:
        gdi_.Ellipse(RectBRTL(params, 0));
        return true;
    case metaArc:
    case metaPie:
    case metaChord:
        gdi_.ArcShape(function == metaArc   ? Arc::Arc
                      : function == metaPie ? Arc::Pie
                                            : Arc::Chord,
                      RectBRTL(params, 8), PointYX(params, 4), PointYX(params, 0));
        return true;
    case metaPolygon:
        gdi_.Polygon(Points(params, 2, params.I16(0)));
        return true;
    case metaPolyline:
        gdi_.Polyline(Points(params, 2, params.I16(0)));
        return true;
    case metaPolyPolygon:
        PolyPolygon(params);
        return true;
    case metaSetPixel:
        gdi_.SetPixel(PointYX(params, 4), params.U32(0));
        return true;
    default:
        return false;
    }
}

void TWmfPlayer::PolyPolygon(TByteView params) {
    const int count = params.U16(0);
    QList<QPolygonF> polygons;
    qint64 at = 2 + 2 * qint64(count);
    for (int i = 0; i < count; ++i) {
        const int points = params.U16(2 + 2 * i);
        polygons.append(Points(params, at, points));
        at += 4 * qint64(points);
    }
    gdi_.PolyPolygon(polygons);
}

bool TWmfPlayer::BitmapRecord(quint16 function, TByteView params) {
    const auto at = [&](qint64 word) { return params.I16(2 * word); };
    switch (function) {
    case metaPatBlt:
        gdi_.PatBlt(QRectF(at(5), at(4), at(3), at(2)), params.U32(0));
        return true;
    case metaDibBitBlt:
    case metaDibStretchBlt:
        // Without a bitmap the record holds just its fixed fields, the destination last.
        if (params.Size() <= (function >> 8) * 2) {
            const qint64 last = params.Size() / 2 - 1;
            gdi_.PatBlt(QRectF(at(last), at(last - 1), at(last - 2), at(last - 3)), params.U32(0));
        } else if (function == metaDibBitBlt) {
            Blit(gdi_, params, 16, QRectF(at(7), at(6), at(5), at(4)),
                 QRectF(at(3), at(2), at(5), at(4)), params.U32(0), false);
        } else {
            Blit(gdi_, params, 20, QRectF(at(9), at(8), at(7), at(6)),
                 QRectF(at(5), at(4), at(3), at(2)), params.U32(0), false);
        }
        return true;
    case metaStretchDib:
        if (params.U16(4) == kDibRgbColors)
            Blit(gdi_, params, 22, QRectF(at(10), at(9), at(8), at(7)),
                 QRectF(at(6), at(5), at(4), at(3)), params.U32(0), true);
        return true;
    case metaSetDibToDev:
        if (params.U16(0) == kDibRgbColors)
            Blit(gdi_, params, 18, QRectF(at(8), at(7), at(6), at(5)),
                 QRectF(at(4), at(3), at(6), at(5)), kSourceCopy, true);
        return true;
    default:
        return false;
    }
}

bool TWmfPlayer::TextRecord(quint16 function, TByteView params) {
    if (function == metaTextOut) {
        const qint64 length = params.I16(0);
        const qint64 padded = length + length % 2;
        TGdiText text;
        text.text = gdi_.DecodeText(params.Sub(2, length).Bytes());
        text.reference = PointYX(params, 2 + padded);
        gdi_.TextOut(text);
        return true;
    }
    if (function == metaExtTextOut) {
        ExtTextOut(params);
        return true;
    }
    return false;
}

void TWmfPlayer::ExtTextOut(TByteView params) {
    TGdiText text;
    text.reference = PointYX(params, 0);
    const qint64 length = params.I16(4);
    text.options = params.U16(6);
    qint64 at = 8;
    if (text.options & (TGdiText::Opaque | TGdiText::Clipped)) {
        text.rect =
            QRectF(QPointF(params.I16(8), params.I16(10)), QPointF(params.I16(12), params.I16(14)));
        at += 8;
    }
    text.text = gdi_.DecodeText(params.Sub(at, length).Bytes());
    at += length + length % 2;
    for (qint64 i = 0; i < length && params.Has(at + 2 * i, 2); ++i)
        text.advances.append(params.I16(at + 2 * i));
    gdi_.TextOut(text);
}

#include "pictures/EmfPlayer.h"

#include "pictures/Dib.h"
#include "pictures/GdiPlayer.h"

namespace {

constexpr quint32 kSignature = 0x464D4520; // " EMF"
constexpr qint64 kHeaderMinimum = 88;
constexpr quint32 kDibRgbColors = 0;
constexpr quint32 kSourceCopy = 0x00CC0020;

enum : quint32 {
    emrHeader = 1,
    emrPolyBezier = 2,
    emrPolygon = 3,
    emrPolyline = 4,
    emrPolyBezierTo = 5,
    emrPolylineTo = 6,
    emrPolyPolyline = 7,
    emrPolyPolygon = 8,
    emrSetWindowExtEx = 9,
    emrSetWindowOrgEx = 10,
    emrSetViewportExtEx = 11,
    emrSetViewportOrgEx = 12,
    emrEof = 14,
    emrSetPixelV = 15,
    emrSetMapMode = 17,
    emrSetBkMode = 18,
    emrSetPolyFillMode = 19,
    emrSetRop2 = 20,
    emrSetTextAlign = 22,
    emrSetTextColor = 24,
    emrSetBkColor = 25,
    emrMoveToEx = 27,
    emrExcludeClipRect = 29,
    emrIntersectClipRect = 30,
    emrScaleViewportExtEx = 31,
    emrScaleWindowExtEx = 32,
    emrSaveDC = 33,
    emrRestoreDC = 34,
    emrSetWorldTransform = 35,
    emrModifyWorldTransform = 36,
    emrSelectObject = 37,
    emrCreatePen = 38,
    emrCreateBrushIndirect = 39,
    emrDeleteObject = 40,
    emrAngleArc = 41,
    emrEllipse = 42,
    emrRectangle = 43,
    emrRoundRect = 44,
    emrArc = 45,
    emrChord = 46,
    emrPie = 47,
    emrCreatePalette = 49,
    emrLineTo = 54,
    emrArcTo = 55,
    emrSetArcDirection = 57,
    emrBeginPath = 59,
    emrEndPath = 60,
    emrCloseFigure = 61,
    emrFillPath = 62,
    emrStrokeAndFillPath = 63,
    emrStrokePath = 64,
    emrSelectClipPath = 67,
    emrAbortPath = 68,
    emrExtSelectClipRgn = 75,
    emrBitBlt = 76,
    emrStretchBlt = 77,
    emrSetDiBitsToDevice = 80,
    emrStretchDiBits = 81,
    emrExtCreateFontIndirectW = 82,
    emrExtTextOutA = 83,
    emrExtTextOutW = 84,
    // The 16-bit point records follow in the order of their 32-bit twins 2 to 8.
    emrPolyBezier16 = 85,
    emrPolyPolygon16 = 91,
    emrCreateMonoBrush = 93,
    emrCreateDibPatternBrushPt = 94,
    emrExtCreatePen = 95,
};

constexpr quint32 kNoRect = 0x100;    // the text record leaves its rectangle out
constexpr quint32 kPairedDx = 0x2000; // each advance comes with a vertical one
constexpr quint32 kStockObject = 0x80000000;

QPointF PointL(TByteView record, qint64 at) {
    return QPointF(record.I32(at), record.I32(at + 4));
}

QRectF RectL(TByteView record, qint64 at) {
    return QRectF(PointL(record, at), PointL(record, at + 8));
}

QPolygonF Points(TByteView record, qint64 at, qint64 count, bool small) {
    const qint64 size = small ? 4 : 8;
    if (!record.Has(at, count * size))
        throw EOutsideBytes{};
    QPolygonF points;
    points.reserve(count);
    for (qint64 i = 0; i < count; ++i)
        points.append(small ? QPointF(record.I16(at + 4 * i), record.I16(at + 4 * i + 2))
                            : PointL(record, at + 8 * i));
    return points;
}

QTransform Xform(TByteView record, qint64 at) {
    return QTransform(record.F32(at), record.F32(at + 4), record.F32(at + 8), record.F32(at + 12),
                      record.F32(at + 16), record.F32(at + 20));
}

// The bitmap whose header offset, header size, rows offset and rows size start at `at`; its
// pixels are paid for before it is decoded.
QImage DibAt(TWorkBudget& budget, TByteView record, qint64 at) {
    const TByteView info = record.Sub(record.U32(at), record.U32(at + 4));
    budget.Spend(Dib::DeclaredPixels(info));
    return Dib::Decode(info, record.Sub(record.U32(at + 8), record.U32(at + 12)));
}

QString Utf16(TByteView bytes, qint64 at, qint64 count) {
    if (!bytes.Has(at, count * 2))
        throw EOutsideBytes{};
    QString text(count, Qt::Uninitialized);
    for (qint64 i = 0; i < count; ++i)
        text[i] = QChar(bytes.U16(at + 2 * i));
    return text;
}

} // namespace

bool TEmfPlayer::Recognizes(TByteView file) {
    return file.Has(0, 4) && file.U32(0) == emrHeader;
}

void TEmfPlayer::ForEachRecord(TByteView file, const Visitor& visit) {
    qint64 at = 0;
    while (true) {
        const quint32 type = file.U32(at);
        const qint64 size = file.U32(at + 4);
        if (size < 8 || !file.Has(at, size))
            ThrowInvalidMetafile();
        if (type == emrEof)
            return;
        visit(type, file.Sub(at, size));
        at += size;
    }
}

TMetafileHeader TEmfPlayer::ReadHeader(TByteView file) {
    try {
        const qint64 size = file.U32(4);
        if (file.U32(0) != emrHeader || size < kHeaderMinimum || file.U32(40) != kSignature)
            ThrowInvalidMetafile();
        ForEachRecord(file, [](quint32, TByteView) {});
        const QPointF device(file.I32(72), file.I32(76));
        QPointF millimetres(file.I32(80), file.I32(84));
        // Later headers also give the device's size in micrometres, which is more precise.
        const qint64 description = file.U32(60) ? file.U32(64) : size;
        if (std::min(size, description) >= 108 && file.I32(100) > 0 && file.I32(104) > 0)
            millimetres = QPointF(file.I32(100) / 1000.0, file.I32(104) / 1000.0);
        TMetafileHeader header;
        header.enhanced = true;
        header.objects = file.U16(56);
        header.pixelsPerMm =
            device.x() > 0 && device.y() > 0 && millimetres.x() > 0 && millimetres.y() > 0
                ? QPointF(device.x() / millimetres.x(), device.y() / millimetres.y())
                : QPointF(96 / 25.4, 96 / 25.4);
        const QTransform mmToDevice =
            QTransform::fromScale(header.pixelsPerMm.x(), header.pixelsPerMm.y());
        QRectF frameMm = RectL(file, 24).normalized();
        frameMm = QRectF(frameMm.topLeft() / 100, frameMm.size() / 100);
        if (frameMm.isEmpty()) {
            // Without a frame the bounds, inclusive device pixels, are the picture.
            const QRectF bounds = RectL(file, 8).normalized().adjusted(0, 0, 1, 1);
            frameMm = mmToDevice.inverted().mapRect(bounds);
        }
        header.frame = mmToDevice.mapRect(frameMm);
        header.size = MetafilePixels(frameMm.width() / 25.4, frameMm.height() / 25.4);
        return header;
    } catch (const EOutsideBytes&) {
        ThrowInvalidMetafile();
    }
}

void TEmfPlayer::Play(TByteView file, const TMetafileHeader& header, QPainter& painter,
                      const QRectF& target) {
    TGdiPlayer gdi(painter, header.frame, target, header.pixelsPerMm, header.objects,
                   QStringLiteral("EMF"));
    TEmfPlayer player(gdi);
    ForEachRecord(file, [&](quint32 type, TByteView record) {
        gdi.Budget().SpendRecord();
        try {
            player.Record(type, record);
        } catch (const EOutsideBytes&) {
            // A record too short for its fields draws nothing.
        }
    });
}

void TEmfPlayer::Record(quint32 type, TByteView record) {
    // Records nobody here knows (comments, colour management, gradients) are passed over.
    StateRecord(type, record) || MappingRecord(type, record) || ObjectRecord(type, record) ||
        ShapeRecord(type, record) || PolyRecord(type, record) || PathRecord(type, record) ||
        BitmapRecord(type, record) || TextRecord(type, record);
}

bool TEmfPlayer::StateRecord(quint32 type, TByteView record) {
    TGdiState& state = gdi_.State();
    switch (type) {
    case emrSetBkMode:
        state.bkMode = int(record.U32(8));
        return true;
    case emrSetPolyFillMode:
        state.polyFillMode = int(record.U32(8));
        return true;
    case emrSetRop2:
        state.rop2 = int(record.U32(8));
        return true;
    case emrSetTextAlign:
        state.textAlign = record.U32(8);
        return true;
    case emrSetTextColor:
        state.textColor = record.U32(8);
        return true;
    case emrSetBkColor:
        state.bkColor = record.U32(8);
        return true;
    case emrSetArcDirection:
        state.clockwise = record.U32(8) == 2;
        return true;
    case emrSaveDC:
        gdi_.Save();
        return true;
    case emrRestoreDC:
        gdi_.Restore(record.I32(8));
        return true;
    case emrIntersectClipRect:
        gdi_.IntersectClipRect(RectL(record, 8));
        return true;
    case emrExcludeClipRect:
        gdi_.ExcludeClipRect(RectL(record, 8));
        return true;
    case emrExtSelectClipRgn:
        SelectClipRegion(record);
        return true;
    case emrSelectClipPath:
        gdi_.SelectClipPath(int(record.U32(8)));
        return true;
    default:
        return false;
    }
}

void TEmfPlayer::SelectClipRegion(TByteView record) {
    const qint64 dataSize = record.U32(8);
    const int mode = int(record.U32(12));
    QList<QRectF> rects;
    if (dataSize > 0) {
        // The region's header, then its rectangles in device units.
        const qint64 count = record.U32(24);
        if (!record.Has(48, count * 16))
            throw EOutsideBytes{};
        for (qint64 i = 0; i < count; ++i)
            rects.append(RectL(record, 48 + 16 * i));
    }
    gdi_.SelectClipRects(rects, mode);
}

bool TEmfPlayer::MappingRecord(quint32 type, TByteView record) {
    TGdiState& state = gdi_.State();
    const auto scaled = [&](QPointF extent) {
        const double xDenom = record.I32(12);
        const double yDenom = record.I32(20);
        return xDenom == 0 || yDenom == 0 ? extent
                                          : QPointF(extent.x() * record.I32(8) / xDenom,
                                                    extent.y() * record.I32(16) / yDenom);
    };
    switch (type) {
    case emrSetMapMode:
        state.mapMode = int(record.U32(8));
        return true;
    case emrSetWindowExtEx:
        gdi_.SetWindowExt(PointL(record, 8));
        return true;
    case emrSetWindowOrgEx:
        state.windowOrg = PointL(record, 8);
        return true;
    case emrSetViewportExtEx:
        gdi_.SetViewportExt(PointL(record, 8));
        return true;
    case emrSetViewportOrgEx:
        state.viewportOrg = PointL(record, 8);
        return true;
    case emrScaleWindowExtEx:
        gdi_.SetWindowExt(scaled(state.windowExt));
        return true;
    case emrScaleViewportExtEx:
        gdi_.SetViewportExt(scaled(state.viewportExt));
        return true;
    case emrSetWorldTransform:
        state.world = Xform(record, 8);
        return true;
    case emrModifyWorldTransform: {
        const QTransform xform = Xform(record, 8);
        const quint32 mode = record.U32(32);
        state.world = mode == 1   ? QTransform()
                      : mode == 2 ? xform * state.world
                      : mode == 3 ? state.world * xform
                      : mode == 4 ? xform
                                  : state.world;
        return true;
    }
    default:
        return false;
    }
}

bool TEmfPlayer::ObjectRecord(quint32 type, TByteView record) {
    switch (type) {
    case emrSelectObject: {
        const quint32 index = record.U32(8);
        if (index & kStockObject)
            gdi_.SelectStockObject(index & ~kStockObject);
        else
            gdi_.SelectObject(index);
        return true;
    }
    case emrDeleteObject:
        gdi_.DeleteObject(record.U32(8));
        return true;
    case emrCreatePen:
        gdi_.SetObject(record.U32(8),
                       TLogPen{record.U32(12), double(record.I32(16)), record.U32(24)});
        return true;
    case emrCreateBrushIndirect:
        gdi_.SetObject(record.U32(8),
                       TLogBrush{record.U32(12), record.U32(16), record.U32(20), {}});
        return true;
    case emrCreateMonoBrush:
    case emrCreateDibPatternBrushPt: {
        TLogBrush brush{TLogBrush::DibPatternPt, clBlack, 0, {}};
        if (record.U32(12) == kDibRgbColors)
            brush.pattern = DibAt(gdi_.Budget(), record, 16);
        gdi_.SetObject(record.U32(8), brush);
        return true;
    }
    case emrCreatePalette:
        gdi_.SetObject(record.U32(8), TOtherObject{});
        return true;
    case emrExtCreateFontIndirectW:
        CreateFont(record);
        return true;
    case emrExtCreatePen:
        ExtCreatePen(record);
        return true;
    default:
        return false;
    }
}

void TEmfPlayer::CreateFont(TByteView record) {
    TLogFont font;
    font.height = record.I32(12);
    font.escapement = record.I32(20);
    font.weight = record.I32(28);
    font.italic = record.U8(32);
    font.underline = record.U8(33);
    font.strikeOut = record.U8(34);
    font.charSet = record.U8(35);
    for (qint64 i = 0; i < 32 && record.Has(40 + 2 * i, 2) && record.U16(40 + 2 * i); ++i)
        font.faceName += QChar(record.U16(40 + 2 * i));
    gdi_.SetObject(record.U32(8), font);
}

void TEmfPlayer::ExtCreatePen(TByteView record) {
    constexpr quint32 kGeometric = 0x10000;
    constexpr quint32 kNullBrush = 1;
    TLogPen pen{record.U32(28), double(record.U32(32)), record.U32(40)};
    // A cosmetic pen is one pixel wide whatever its width says.
    if (!(pen.style & kGeometric))
        pen.width = 0;
    if (record.U32(36) == kNullBrush)
        pen.style = TLogPen::Null;
    gdi_.SetObject(record.U32(8), pen);
}

bool TEmfPlayer::ShapeRecord(quint32 type, TByteView record) {
    using Arc = TGdiPlayer::TArcKind;
    switch (type) {
    case emrMoveToEx:
        gdi_.MoveTo(PointL(record, 8));
        return true;
    case emrLineTo:
        gdi_.LineTo(PointL(record, 8));
        return true;
    case emrRectangle:
        gdi_.Rectangle(RectL(record, 8));
        return true;
    case emrRoundRect:
        gdi_.RoundRect(RectL(record, 8), QSizeF(record.I32(24), record.I32(28)));
        return true;
    case emrEllipse:
        gdi_.Ellipse(RectL(record, 8));
        return true;
    case emrArc:
    case emrArcTo:
    case emrChord:
    case emrPie: {
        const Arc kind = type == emrArc     ? Arc::Arc
                         : type == emrArcTo ? Arc::ArcTo
                         : type == emrChord ? Arc::Chord
                                            : Arc::Pie;
        gdi_.ArcShape(kind, RectL(record, 8), PointL(record, 24), PointL(record, 32));
        return true;
    }
    case emrAngleArc:
        gdi_.AngleArc(PointL(record, 8), record.U32(16), record.F32(20), record.F32(24));
        return true;
    case emrSetPixelV:
        gdi_.SetPixel(PointL(record, 8), record.U32(16));
        return true;
    default:
        return false;
    }
}

bool TEmfPlayer::PolyRecord(quint32 type, TByteView record) {
    const bool small = type >= emrPolyBezier16 && type <= emrPolyPolygon16;
    const quint32 kind = small ? type - (emrPolyBezier16 - emrPolyBezier) : type;
    if (kind < emrPolyBezier || kind > emrPolyPolygon)
        return false;
    if (kind == emrPolyPolyline || kind == emrPolyPolygon) {
        const qint64 count = record.U32(24);
        if (!record.Has(32, count * 4))
            throw EOutsideBytes{};
        const QPolygonF points = Points(record, 32 + 4 * count, record.U32(28), small);
        QList<QPolygonF> polygons;
        qint64 used = 0;
        for (qint64 i = 0; i < count; ++i) {
            const qint64 size = record.U32(32 + 4 * i);
            if (size > points.size() - used)
                throw EOutsideBytes{};
            polygons.append(points.mid(used, size));
            used += size;
        }
        kind == emrPolyPolygon ? gdi_.PolyPolygon(polygons) : gdi_.PolyPolyline(polygons);
        return true;
    }
    const QPolygonF points = Points(record, 28, record.U32(24), small);
    switch (kind) {
    case emrPolyBezier:
        gdi_.PolyBezier(points);
        break;
    case emrPolygon:
        gdi_.Polygon(points);
        break;
    case emrPolyline:
        gdi_.Polyline(points);
        break;
    case emrPolyBezierTo:
        gdi_.PolyBezierTo(points);
        break;
    default:
        gdi_.PolylineTo(points);
        break;
    }
    return true;
}

bool TEmfPlayer::PathRecord(quint32 type, TByteView) {
    switch (type) {
    case emrBeginPath:
        gdi_.BeginPath();
        return true;
    case emrEndPath:
        gdi_.EndPath();
        return true;
    case emrCloseFigure:
        gdi_.CloseFigure();
        return true;
    case emrFillPath:
        gdi_.FillPath();
        return true;
    case emrStrokePath:
        gdi_.StrokePath();
        return true;
    case emrStrokeAndFillPath:
        gdi_.StrokeAndFillPath();
        return true;
    case emrAbortPath:
        gdi_.AbortPath();
        return true;
    default:
        return false;
    }
}

bool TEmfPlayer::BitmapRecord(quint32 type, TByteView record) {
    switch (type) {
    case emrBitBlt:
    case emrStretchBlt: {
        const QRectF dest(PointL(record, 24), QSizeF(record.I32(32), record.I32(36)));
        const quint32 rop = record.U32(40);
        if (record.U32(88) == 0) {
            gdi_.PatBlt(dest, rop);
        } else if (record.U32(80) == kDibRgbColors) {
            const QSizeF source =
                type == emrStretchBlt ? QSizeF(record.I32(100), record.I32(104)) : dest.size();
            gdi_.StretchImage(dest, DibAt(gdi_.Budget(), record, 84),
                              QRectF(PointL(record, 44), source), rop, false);
        }
        return true;
    }
    case emrStretchDiBits:
        if (record.U32(64) == kDibRgbColors)
            gdi_.StretchImage(QRectF(PointL(record, 24), QSizeF(record.I32(72), record.I32(76))),
                              DibAt(gdi_.Budget(), record, 48),
                              QRectF(PointL(record, 32), QSizeF(record.I32(40), record.I32(44))),
                              record.U32(68), true);
        return true;
    case emrSetDiBitsToDevice:
        if (record.U32(64) == kDibRgbColors) {
            const QSizeF size(record.I32(40), record.I32(44));
            gdi_.StretchImage(QRectF(PointL(record, 24), size), DibAt(gdi_.Budget(), record, 48),
                              QRectF(PointL(record, 32), size), kSourceCopy, true);
        }
        return true;
    default:
        return false;
    }
}

bool TEmfPlayer::TextRecord(quint32 type, TByteView record) {
    if (type != emrExtTextOutA && type != emrExtTextOutW)
        return false;
    TGdiText text;
    text.reference = PointL(record, 36);
    const qint64 chars = record.U32(44);
    const qint64 stringAt = record.U32(48);
    text.options = record.U32(52);
    const bool hasRect = !(text.options & kNoRect);
    if (hasRect)
        text.rect = RectL(record, 56);
    const qint64 dxAt = record.U32(hasRect ? 72 : 56);
    text.text = type == emrExtTextOutW ? Utf16(record, stringAt, chars)
                                       : gdi_.DecodeText(record.Sub(stringAt, chars).Bytes());
    const qint64 step = text.options & kPairedDx ? 8 : 4;
    for (qint64 i = 0; dxAt > 0 && i < chars && record.Has(dxAt + step * i, 4); ++i)
        text.advances.append(record.I32(dxAt + step * i));
    gdi_.TextOut(text);
    return true;
}

#ifndef VARNEL_PICTURES_GDIPLAYER_H
#define VARNEL_PICTURES_GDIPLAYER_H

#include "pictures/GdiState.h"
#include "pictures/WorkBudget.h"

#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <vector>

class QPainter;

// One line of text as the text records give it: a reference point, the characters, optionally
// the advance of each character, the clip/opaque options and their rectangle (logical units).
struct TGdiText {
    enum : quint32 { Opaque = 2, Clipped = 4 };
    QPointF reference;
    QString text;
    QList<double> advances;
    quint32 options = 0;
    QRectF rect;
};

// Plays the drawing operations of Windows metafiles onto a painter, keeping the state a metafile
// changes as it goes (objects, colours, modes, mapping, clip, path) the way the Windows graphics
// interface keeps it. Coordinates are logical units; the records' readers convert their fields
// and call in here. Drawing shows, stretched, what lies in `frame` (device units) in `target`
// (painter pixels), clipped to `target`.
class TGdiPlayer {
public:
    // `kind` names the picture in the message a drawing over its work budget raises.
    TGdiPlayer(QPainter& painter, const QRectF& frame, const QRectF& target, QPointF pixelsPerMm,
               int objectCapacity, const QString& kind);
    ~TGdiPlayer();
    TGdiPlayer(const TGdiPlayer&) = delete;
    TGdiPlayer& operator=(const TGdiPlayer&) = delete;

    TGdiState& State() { return state_; }
    // What the drawing may still cost; the records' readers count each record and each bitmap
    // they decode, the drawing operations the pixels they touch.
    TWorkBudget& Budget() { return budget_; }
    // Extents count only in the two mapping modes that use them; elsewhere the device ignores
    // them, and so do these.
    void SetWindowExt(QPointF extent);
    void SetViewportExt(QPointF extent);
    void Save();
    // A negative count goes back that many saves; a positive one to that save, counted from 1.
    void Restore(int which);

    // Metafile objects take the lowest free place; enhanced metafiles name theirs.
    void AddObject(const TGdiObject& object);
    void SetObject(quint32 index, const TGdiObject& object);
    void SelectObject(quint32 index);
    void DeleteObject(quint32 index);
    // The objects every device has, numbered as the enhanced metafile's stock objects are.
    void SelectStockObject(quint32 which);

    void MoveTo(QPointF point);
    void LineTo(QPointF point);
    void Polyline(const QPolygonF& points);
    void PolylineTo(const QPolygonF& points);
    void Polygon(const QPolygonF& points);
    void PolyPolygon(const QList<QPolygonF>& polygons);
    void PolyPolyline(const QList<QPolygonF>& polylines);
    // Start point, then three points a curve.
    void PolyBezier(const QPolygonF& points);
    void PolyBezierTo(const QPolygonF& points);
    void Rectangle(const QRectF& rect);
    void RoundRect(const QRectF& rect, QSizeF corner);
    void Ellipse(const QRectF& rect);
    enum class TArcKind { Arc, ArcTo, Pie, Chord };
    // The part of the ellipse in `rect` from where the ray to `start` meets it to where the ray
    // to `end` does, anticlockwise unless the state says clockwise.
    void ArcShape(TArcKind kind, const QRectF& rect, QPointF start, QPointF end);
    // A line to the circle's start, then `sweep` degrees of it from `startAngle`.
    void AngleArc(QPointF center, double radius, double startAngle, double sweep);
    void SetPixel(QPointF point, TColor color);
    void TextOut(const TGdiText& text);
    // Single-byte text in the code page of the selected font's character set.
    QString DecodeText(QByteArrayView bytes) const;
    // `source` part of `image` stretched onto `dest` with a ternary raster operation. Bitmaps
    // handed over as stored count their source rows from the bottom (`rowsFromBottom`), bitmaps
    // copied from a device from the top.
    void StretchImage(const QRectF& dest, const QImage& image, QRectF source, quint32 rop,
                      bool rowsFromBottom);
    // A raster operation that uses no source: the brush, black, white or the inverted target.
    void PatBlt(const QRectF& dest, quint32 rop);

    void BeginPath();
    void EndPath();
    void AbortPath();
    void CloseFigure();
    void FillPath();
    void StrokePath();
    void StrokeAndFillPath();
    enum TRegionMode { rgnAnd = 1, rgnOr, rgnXor, rgnDiff, rgnCopy };
    void SelectClipPath(int mode);
    void IntersectClipRect(const QRectF& rect);
    void ExcludeClipRect(const QRectF& rect);
    // Rectangles in device units; copying no rectangles removes the clip.
    void SelectClipRects(const QList<QRectF>& rects, int mode);

    QTransform PageToDevice() const;
    QTransform LogicalToDevice() const { return state_.world * PageToDevice(); }
    QTransform LogicalToTarget() const { return LogicalToDevice() * deviceToTarget_; }

private:
    void Figure(const QPainterPath& segment);
    void Shape(const QPainterPath& shape, bool fill = true);
    void Paint(const QPainterPath& path, const QTransform& toTarget, double penScale, bool stroke,
               bool fill);
    qint64 PixelsTouched(const QPainterPath& path, const QTransform& toTarget, double penScale,
                         bool stroke, bool fill) const;
    QPen Pen(double toPainter, double painterToTarget) const;
    QBrush Brush(const QTransform& toTarget) const;
    std::optional<QFont> TextFont(double yScale) const;
    void DrawText(const TGdiText& text, const QTransform& toTarget,
                  const std::optional<QFont>& font, QPointF origin, double xScale);
    QList<double> Advances(const TGdiText& text, const QFont& font, double xScale) const;
    void DrawTextLine(const QString& text, const QList<double>& advances, const QFont& font,
                      QPointF origin);
    void CombineClip(const QRegion& region, int mode);
    void ApplyClip();
    QRegion TargetRegion(const QPainterPath& devicePath) const;

    QPainter& painter_;
    TWorkBudget budget_;
    QTransform deviceToTarget_;
    QRectF target_;
    QPointF pixelsPerMm_;
    TGdiState state_;
    std::vector<TGdiState> saved_;
    std::vector<std::optional<TGdiObject>> objects_;
    std::size_t firstFree_ = 0;
    int objectCapacity_;
    bool inPath_ = false;
    bool figureOpen_ = false;
    QPainterPath path_; // device units
};

#endif

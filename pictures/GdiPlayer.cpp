#include "pictures/GdiPlayer.h"

#include "runtime/Fonts.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <optional>

namespace {

// Enough for any real metafile; a file nesting deeper only loses the deeper saves.
constexpr std::size_t kMaxSaved = 1024;
// Far beyond any target, small enough that no pixel arithmetic overflows.
constexpr double kCoordinateLimit = 1 << 24;
constexpr double kMaxTextPixels = 2048;
// The height of the font a device chooses when a metafile asks for none.
constexpr double kDefaultTextPixels = 16;

bool Usable(const QTransform& t) {
    const double values[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    const bool finite = std::all_of(std::begin(values), std::end(values), [](double v) {
        return std::isfinite(v) && std::abs(v) < kCoordinateLimit;
    });
    return finite && t.isAffine() && std::abs(t.determinant()) > 1e-12;
}

// How much the transform stretches lengths, on average over both axes.
double ScaleOf(const QTransform& t) {
    return std::sqrt(std::abs(t.determinant()));
}

double Length(const QTransform& t, QPointF vector) {
    return QLineF(t.map(QPointF(0, 0)), t.map(vector)).length();
}

QColor Color(TColor color) {
    return ToQColor(color & 0xFFFFFF);
}

std::optional<QPainter::CompositionMode> Rop2Mode(int rop2) {
    switch (rop2) {
    case 4: // the inverted pen
        return QPainter::RasterOp_NotSource;
    case 6: // invert the target
        return QPainter::RasterOp_NotDestination;
    case 7:
        return QPainter::RasterOp_SourceXorDestination;
    case 9:
        return QPainter::RasterOp_SourceAndDestination;
    case 10:
        return QPainter::RasterOp_NotSourceXorDestination;
    case 11: // leave the target as it is
        return std::nullopt;
    case 15:
        return QPainter::RasterOp_SourceOrDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

// The raster operations whose source is a picture, by their operation index.
QPainter::CompositionMode SourceMode(quint32 rop) {
    switch ((rop >> 16) & 0xFF) {
    case 0x88:
        return QPainter::RasterOp_SourceAndDestination;
    case 0xEE:
        return QPainter::RasterOp_SourceOrDestination;
    case 0x66:
        return QPainter::RasterOp_SourceXorDestination;
    case 0x33:
        return QPainter::RasterOp_NotSource;
    case 0x44:
        return QPainter::RasterOp_SourceAndNotDestination;
    case 0x11:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case 0xBB:
        return QPainter::RasterOp_NotSourceOrDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

bool UsesSource(quint32 rop) {
    const quint32 op = (rop >> 16) & 0xFF;
    return ((op >> 2) & 0x33) != (op & 0x33);
}

Qt::BrushStyle HatchStyle(quint32 hatch) {
    switch (hatch) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

// The parametric angle, in degrees, at which the ray from the centre of `box` to `point` meets
// the ellipse in `box`.
double EllipseAngle(const QRectF& box, QPointF point) {
    const QPointF c = box.center();
    return std::atan2(-(point.y() - c.y()) / box.height(), (point.x() - c.x()) / box.width()) *
           180 / std::numbers::pi;
}

} // namespace

TGdiPlayer::TGdiPlayer(QPainter& painter, const QRectF& frame, const QRectF& target,
                       QPointF pixelsPerMm, int objectCapacity, const QString& kind)
    : painter_(painter),
      budget_(QSize(painter.device()->width(), painter.device()->height()), kind), target_(target),
      pixelsPerMm_(pixelsPerMm), objectCapacity_(objectCapacity) {
    deviceToTarget_ =
        QTransform::fromTranslate(-frame.x(), -frame.y()) *
        QTransform::fromScale(target.width() / frame.width(), target.height() / frame.height()) *
        QTransform::fromTranslate(target.x(), target.y());
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    ApplyClip();
}

TGdiPlayer::~TGdiPlayer() {
    painter_.restore();
}

void TGdiPlayer::Save() {
    if (saved_.size() < kMaxSaved)
        saved_.push_back(state_);
}

void TGdiPlayer::Restore(int which) {
    const qint64 count = qint64(saved_.size());
    const qint64 index = which < 0 ? count + which : qint64(which) - 1;
    if (index < 0 || index >= count)
        return;
    state_ = saved_[std::size_t(index)];
    saved_.resize(std::size_t(index));
    ApplyClip();
}

void TGdiPlayer::AddObject(const TGdiObject& object) {
    while (firstFree_ < objects_.size() && objects_[firstFree_])
        ++firstFree_;
    if (firstFree_ < objects_.size())
        objects_[firstFree_] = object;
    else if (objects_.size() < std::size_t(objectCapacity_))
        objects_.push_back(object);
}

void TGdiPlayer::SetObject(quint32 index, const TGdiObject& object) {
    if (index >= quint32(objectCapacity_))
        return;
    if (index >= objects_.size())
        objects_.resize(index + 1);
    objects_[index] = object;
}

void TGdiPlayer::SelectObject(quint32 index) {
    if (index >= objects_.size() || !objects_[index])
        return;
    std::visit(
        [this](const auto& object) {
            using T = std::decay_t<decltype(object)>;
            if constexpr (std::is_same_v<T, TLogPen>)
                state_.pen = object;
            else if constexpr (std::is_same_v<T, TLogBrush>)
                state_.brush = object;
            else if constexpr (std::is_same_v<T, TLogFont>)
                state_.font = object;
        },
        *objects_[index]);
}

void TGdiPlayer::DeleteObject(quint32 index) {
    if (index >= objects_.size())
        return;
    objects_[index].reset();
    firstFree_ = std::min<std::size_t>(firstFree_, index);
}

void TGdiPlayer::SelectStockObject(quint32 which) {
    static constexpr TColor brushes[] = {clWhite, clSilver, clGray, 0x404040, clBlack};
    if (which < 5)
        state_.brush = TLogBrush{TLogBrush::Solid, brushes[which], 0, {}};
    else if (which == 5)
        state_.brush = TLogBrush{TLogBrush::Null, clWhite, 0, {}};
    else if (which == 6 || which == 7 || which == 19)
        state_.pen = TLogPen{TLogPen::Solid, 0, which == 6 ? clWhite : clBlack};
    else if (which == 8)
        state_.pen = TLogPen{TLogPen::Null, 0, clBlack};
    else if (which >= 10 && which <= 17)
        state_.font = TLogFont{};
    else if (which == 18)
        state_.brush = TLogBrush{};
}

void TGdiPlayer::SetWindowExt(QPointF extent) {
    if (state_.mapMode == TGdiState::mmIsotropic || state_.mapMode == TGdiState::mmAnisotropic)
        state_.windowExt = extent;
}

void TGdiPlayer::SetViewportExt(QPointF extent) {
    if (state_.mapMode == TGdiState::mmIsotropic || state_.mapMode == TGdiState::mmAnisotropic)
        state_.viewportExt = extent;
}

QTransform TGdiPlayer::PageToDevice() const {
    double sx = 1;
    double sy = 1;
    const auto metric = [&](double mm) {
        sx = mm * pixelsPerMm_.x();
        sy = -mm * pixelsPerMm_.y();
    };
    switch (state_.mapMode) {
    case TGdiState::mmLoMetric:
        metric(0.1);
        break;
    case TGdiState::mmHiMetric:
        metric(0.01);
        break;
    case TGdiState::mmLoEnglish:
        metric(0.254);
        break;
    case TGdiState::mmHiEnglish:
        metric(0.0254);
        break;
    case TGdiState::mmTwips:
        metric(25.4 / 1440);
        break;
    case TGdiState::mmIsotropic:
    case TGdiState::mmAnisotropic:
        sx = state_.viewportExt.x() / state_.windowExt.x();
        sy = state_.viewportExt.y() / state_.windowExt.y();
        if (state_.mapMode == TGdiState::mmIsotropic) {
            const double scale = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(scale, sx);
            sy = std::copysign(scale, sy);
        }
        break;
    default:
        break;
    }
    return QTransform(sx, 0, 0, sy, state_.viewportOrg.x() - state_.windowOrg.x() * sx,
                      state_.viewportOrg.y() - state_.windowOrg.y() * sy);
}

void TGdiPlayer::MoveTo(QPointF point) {
    state_.position = point;
    figureOpen_ = false;
}

void TGdiPlayer::LineTo(QPointF point) {
    QPainterPath segment(state_.position);
    segment.lineTo(point);
    Figure(segment);
    state_.position = point;
}

void TGdiPlayer::Polyline(const QPolygonF& points) {
    QPainterPath path;
    path.addPolygon(points);
    Shape(path, false);
}

void TGdiPlayer::PolylineTo(const QPolygonF& points) {
    if (points.isEmpty())
        return;
    QPainterPath segment(state_.position);
    for (const QPointF& p : points)
        segment.lineTo(p);
    Figure(segment);
    state_.position = points.last();
}

void TGdiPlayer::Polygon(const QPolygonF& points) {
    PolyPolygon({points});
}

void TGdiPlayer::PolyPolygon(const QList<QPolygonF>& polygons) {
    QPainterPath path;
    for (const QPolygonF& polygon : polygons) {
        if (polygon.size() < 2)
            continue;
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    Shape(path);
}

void TGdiPlayer::PolyPolyline(const QList<QPolygonF>& polylines) {
    QPainterPath path;
    for (const QPolygonF& polyline : polylines)
        path.addPolygon(polyline);
    Shape(path, false);
}

void TGdiPlayer::PolyBezier(const QPolygonF& points) {
    if (points.isEmpty())
        return;
    QPainterPath path(points.first());
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    Shape(path, false);
}

void TGdiPlayer::PolyBezierTo(const QPolygonF& points) {
    QPainterPath segment(state_.position);
    for (qsizetype i = 0; i + 2 < points.size(); i += 3)
        segment.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (segment.elementCount() < 2)
        return;
    Figure(segment);
    state_.position = segment.currentPosition();
}

void TGdiPlayer::Rectangle(const QRectF& rect) {
    QPainterPath path;
    path.addRect(rect.normalized());
    Shape(path);
}

void TGdiPlayer::RoundRect(const QRectF& rect, QSizeF corner) {
    QPainterPath path;
    path.addRoundedRect(rect.normalized(), std::abs(corner.width()) / 2,
                        std::abs(corner.height()) / 2);
    Shape(path);
}

void TGdiPlayer::Ellipse(const QRectF& rect) {
    QPainterPath path;
    path.addEllipse(rect.normalized());
    Shape(path);
}

void TGdiPlayer::ArcShape(TArcKind kind, const QRectF& rect, QPointF start, QPointF end) {
    const QRectF box = rect.normalized();
    if (box.isEmpty())
        return;
    const double from = EllipseAngle(box, start);
    double sweep = EllipseAngle(box, end) - from;
    // The direction is the one seen on the device, whichever way the mapping turns the axes.
    const bool clockwise = state_.clockwise != (LogicalToDevice().determinant() < 0);
    if (clockwise)
        sweep = sweep >= 0 ? sweep - 360 : sweep;
    else
        sweep = sweep <= 0 ? sweep + 360 : sweep;
    QPainterPath path;
    if (kind == TArcKind::Pie)
        path.moveTo(box.center());
    else if (kind == TArcKind::ArcTo)
        path.moveTo(state_.position);
    else
        path.arcMoveTo(box, from);
    path.arcTo(box, from, sweep);
    if (kind == TArcKind::ArcTo) {
        Figure(path);
        state_.position = path.currentPosition();
        return;
    }
    if (kind != TArcKind::Arc)
        path.closeSubpath();
    Shape(path, kind != TArcKind::Arc);
}

void TGdiPlayer::AngleArc(QPointF center, double radius, double startAngle, double sweep) {
    const QRectF box(center.x() - radius, center.y() - radius, 2 * radius, 2 * radius);
    QPainterPath segment(state_.position);
    segment.arcTo(box, startAngle, std::clamp(sweep, -360.0 * 4, 360.0 * 4));
    Figure(segment);
    state_.position = segment.currentPosition();
}

void TGdiPlayer::SetPixel(QPointF point, TColor color) {
    const QPointF at = LogicalToDevice().map(point);
    if (inPath_ || !Usable(deviceToTarget_) || !std::isfinite(at.x()) || !std::isfinite(at.y()))
        return;
    painter_.setTransform(deviceToTarget_);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    budget_.Spend(1);
    painter_.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), Color(color));
}

void TGdiPlayer::Figure(const QPainterPath& segment) {
    if (!inPath_) {
        Paint(segment, LogicalToTarget(), 1, true, false);
        return;
    }
    const QPainterPath mapped = LogicalToDevice().map(segment);
    if (figureOpen_)
        path_.connectPath(mapped);
    else
        path_.addPath(mapped);
    figureOpen_ = true;
}

void TGdiPlayer::Shape(const QPainterPath& shape, bool fill) {
    if (inPath_) {
        path_.addPath(LogicalToDevice().map(shape));
        figureOpen_ = false;
        return;
    }
    Paint(shape, LogicalToTarget(), 1, true, fill);
}

void TGdiPlayer::Paint(const QPainterPath& path, const QTransform& toTarget, double penScale,
                       bool stroke, bool fill) {
    const std::optional<QPainter::CompositionMode> mode = Rop2Mode(state_.rop2);
    if (!mode || !Usable(toTarget) || path.isEmpty())
        return;
    budget_.Spend(PixelsTouched(path, toTarget, penScale, stroke, fill));
    painter_.setTransform(toTarget);
    QPainterPath shape = path;
    shape.setFillRule(state_.polyFillMode == TGdiState::pfWinding ? Qt::WindingFill
                                                                  : Qt::OddEvenFill);
    if (fill && state_.brush.style != TLogBrush::Null) {
        if (state_.brush.style == TLogBrush::Hatched && state_.bkMode == TGdiState::bmOpaque) {
            painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter_.fillPath(shape, Color(state_.bkColor));
        }
        painter_.setCompositionMode(*mode);
        painter_.fillPath(shape, Brush(toTarget));
    }
    if (stroke && (state_.pen.style & 0xF) != TLogPen::Null) {
        painter_.setCompositionMode(*mode);
        painter_.strokePath(shape, Pen(penScale, ScaleOf(toTarget)));
    }
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// At most the shape's box on the output; a line alone, at most its length times its width, so
// that a long diagonal is not counted as the box it crosses.
qint64 TGdiPlayer::PixelsTouched(const QPainterPath& path, const QTransform& toTarget,
                                 double penScale, bool stroke, bool fill) const {
    const double scale = ScaleOf(toTarget);
    const double penWidth = stroke ? std::abs(state_.pen.width) * penScale * scale + 1 : 0;
    const qint64 box = budget_.OnOutput(toTarget.mapRect(path.controlPointRect())
                                            .adjusted(-penWidth, -penWidth, penWidth, penWidth));
    if (fill && state_.brush.style != TLogBrush::Null)
        return box;
    const double line = (path.length() * scale + 1) * (penWidth + 1);
    return std::min(box, std::isfinite(line) ? qint64(std::min(line, 1e15)) : box);
}

QPen TGdiPlayer::Pen(double toPainter, double painterToTarget) const {
    const TLogPen& logPen = state_.pen;
    QPen pen(Color(logPen.color));
    const double limit = 2 * (target_.width() + target_.height()) + 2;
    const double width = std::min(std::abs(logPen.width) * toPainter * painterToTarget, limit);
    // The device draws no line thinner than a pixel.
    if (width < 1.5)
        pen.setWidth(0);
    else
        pen.setWidthF(width / painterToTarget);
    static constexpr Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                              Qt::DashDotLine, Qt::DashDotDotLine};
    const quint32 style = logPen.style & 0xF;
    pen.setStyle(style < 5 ? styles[style] : Qt::SolidLine);
    static constexpr Qt::PenCapStyle caps[] = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
    const quint32 cap = (logPen.style >> 8) & 0xF;
    pen.setCapStyle(cap < 3 ? caps[cap] : Qt::RoundCap);
    static constexpr Qt::PenJoinStyle joins[] = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
    const quint32 join = (logPen.style >> 12) & 0xF;
    pen.setJoinStyle(join < 3 ? joins[join] : Qt::RoundJoin);
    return pen;
}

QBrush TGdiPlayer::Brush(const QTransform& toTarget) const {
    const TLogBrush& logBrush = state_.brush;
    QBrush brush(Color(logBrush.color));
    if (logBrush.style == TLogBrush::Hatched)
        brush.setStyle(HatchStyle(logBrush.hatch));
    else if (!logBrush.pattern.isNull())
        brush.setTextureImage(logBrush.pattern);
    else if (logBrush.style != TLogBrush::Solid)
        brush.setStyle(Qt::NoBrush);
    // Patterns keep their pixel size on the target, however the drawing is scaled.
    brush.setTransform(toTarget.inverted());
    return brush;
}

void TGdiPlayer::TextOut(const TGdiText& text) {
    const QTransform toTarget = LogicalToTarget();
    if (inPath_ || !Usable(toTarget) || text.text.isEmpty())
        return;
    const bool updatePosition = state_.textAlign & TGdiState::taUpdateCP;
    const QPointF origin = toTarget.map(updatePosition ? state_.position : text.reference);
    const double xScale = Length(toTarget, QPointF(1, 0));
    const std::optional<QFont> font = TextFont(Length(toTarget, QPointF(0, 1)));
    // Each character is laid out and drawn on its own, which costs as much as a record.
    budget_.Spend(text.text.size() * TWorkBudget::RecordCost);
    painter_.save();
    try {
        DrawText(text, toTarget, font, origin, xScale);
    } catch (...) {
        painter_.restore(); // the painter goes back to its owner as it came
        throw;
    }
    painter_.restore();
}

void TGdiPlayer::DrawText(const TGdiText& text, const QTransform& toTarget,
                          const std::optional<QFont>& font, QPointF origin, double xScale) {
    painter_.setTransform(toTarget);
    if (text.options & TGdiText::Opaque) {
        budget_.SpendArea(toTarget.mapRect(text.rect));
        painter_.fillRect(text.rect.normalized(), Color(state_.bkColor));
    }
    if (text.options & TGdiText::Clipped)
        painter_.setClipRect(text.rect.normalized(), Qt::IntersectClip);
    if (!font)
        return;
    const QList<double> advances = Advances(text, *font, xScale);
    const double width = std::accumulate(advances.begin(), advances.end(), 0.0);
    DrawTextLine(text.text, advances, *font, origin);
    if ((state_.textAlign & TGdiState::taUpdateCP) && xScale > 0)
        state_.position.rx() += width / xScale;
}

QString TGdiPlayer::DecodeText(QByteArrayView bytes) const {
    static const QHash<int, const char*> codePages = {
        {0, "windows-1252"},   {1, "windows-1252"},   {77, "macintosh"},     {128, "Shift_JIS"},
        {129, "windows-949"},  {134, "GBK"},          {136, "Big5"},         {161, "windows-1253"},
        {162, "windows-1254"}, {163, "windows-1258"}, {177, "windows-1255"}, {178, "windows-1256"},
        {186, "windows-1257"}, {204, "windows-1251"}, {222, "windows-874"},  {238, "windows-1250"},
        {255, "IBM437"}};
    QStringDecoder decoder(codePages.value(state_.font.charSet, "windows-1252"));
    return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
}

std::optional<QFont> TGdiPlayer::TextFont(double yScale) const {
    const TLogFont& logFont = state_.font;
    const double pixels = logFont.height == 0 ? kDefaultTextPixels * ScaleOf(deviceToTarget_)
                                              : std::abs(logFont.height) * yScale;
    if (!(pixels >= 0.5))
        return std::nullopt;
    const int size = std::max(1, int(std::lround(std::min(pixels, kMaxTextPixels))));
    QFont font = MakePictureFont(logFont.faceName, size);
    if (logFont.height > 0) {
        // A positive height is the whole cell, ascent and descent, not the character.
        const double cell = QFontMetricsF(font).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, int(std::lround(size * size / cell))));
    }
    if (logFont.weight > 0)
        font.setWeight(QFont::Weight(std::clamp(logFont.weight, 1, 1000)));
    font.setItalic(logFont.italic);
    font.setUnderline(logFont.underline);
    font.setStrikeOut(logFont.strikeOut);
    return font;
}

QList<double> TGdiPlayer::Advances(const TGdiText& text, const QFont& font, double xScale) const {
    const QFontMetricsF metrics(font);
    QList<double> advances;
    for (qsizetype i = 0; i < text.text.size(); ++i)
        advances.append(i < text.advances.size() ? text.advances[i] * xScale
                                                 : metrics.horizontalAdvance(text.text[i]));
    return advances;
}

void TGdiPlayer::DrawTextLine(const QString& text, const QList<double>& advances, const QFont& font,
                              QPointF origin) {
    const QFontMetricsF metrics(font);
    const double width = std::accumulate(advances.begin(), advances.end(), 0.0);
    const quint32 align = state_.textAlign;
    const double left = (align & TGdiState::taCenter) == TGdiState::taCenter ? -width / 2
                        : (align & TGdiState::taRight)                       ? -width
                                                                             : 0;
    const double baseline = (align & TGdiState::taBaseline) == TGdiState::taBaseline ? 0
                            : (align & TGdiState::taBottom) ? -metrics.descent()
                                                            : metrics.ascent();
    QTransform placed = QTransform::fromTranslate(origin.x(), origin.y());
    placed.rotate(-state_.font.escapement / 10);
    budget_.SpendArea(
        placed.mapRect(QRectF(left, baseline - metrics.ascent(), width, metrics.height())));
    painter_.setTransform(placed);
    if (state_.bkMode == TGdiState::bmOpaque)
        painter_.fillRect(QRectF(left, baseline - metrics.ascent(), width, metrics.height()),
                          Color(state_.bkColor));
    painter_.setFont(font);
    painter_.setPen(Color(state_.textColor));
    double x = left;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character outside the basic plane is two code units drawn as one.
        const qsizetype units = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        painter_.drawText(QPointF(x, baseline), text.mid(i, units));
        for (qsizetype k = 0; k < units; ++k)
            x += advances[i + k];
        i += units - 1;
    }
}

void TGdiPlayer::StretchImage(const QRectF& dest, const QImage& image, QRectF source, quint32 rop,
                              bool rowsFromBottom) {
    if (!UsesSource(rop))
        return PatBlt(dest, rop);
    const QTransform toTarget = LogicalToTarget();
    if (inPath_ || image.isNull() || !Usable(toTarget) || dest.width() == 0 || dest.height() == 0)
        return;
    if (rowsFromBottom)
        source.moveTop(image.height() - source.y() - source.height());
    // Opposite signs of the source and destination sizes mirror the picture.
    const bool mirrorX = (dest.width() < 0) != (source.width() < 0);
    const bool mirrorY = (dest.height() < 0) != (source.height() < 0);
    QRectF from = source.normalized();
    if (mirrorX)
        from.moveLeft(image.width() - from.right());
    if (mirrorY)
        from.moveTop(image.height() - from.bottom());
    budget_.Spend(qint64(image.width()) * image.height());
    budget_.SpendArea(toTarget.mapRect(dest));
    painter_.setTransform(toTarget);
    painter_.setCompositionMode(SourceMode(rop));
    painter_.drawImage(dest.normalized(), image.mirrored(mirrorX, mirrorY), from);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TGdiPlayer::PatBlt(const QRectF& dest, quint32 rop) {
    const QTransform toTarget = LogicalToTarget();
    if (inPath_ || !Usable(toTarget))
        return;
    const QRectF area = dest.normalized();
    budget_.SpendArea(toTarget.mapRect(area));
    painter_.setTransform(toTarget);
    switch ((rop >> 16) & 0xFF) {
    case 0x00:
        painter_.fillRect(area, Qt::black);
        break;
    case 0xFF:
        painter_.fillRect(area, Qt::white);
        break;
    case 0x55:
        painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter_.fillRect(area, Qt::white);
        break;
    case 0x5A:
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter_.fillRect(area, Brush(toTarget));
        break;
    case 0xAA:
        break;
    default:
        if (state_.brush.style != TLogBrush::Null)
            painter_.fillRect(area, Brush(toTarget));
        break;
    }
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TGdiPlayer::BeginPath() {
    inPath_ = true;
    figureOpen_ = false;
    path_ = QPainterPath();
}

void TGdiPlayer::EndPath() {
    inPath_ = false;
}

void TGdiPlayer::AbortPath() {
    inPath_ = false;
    path_ = QPainterPath();
}

void TGdiPlayer::CloseFigure() {
    if (inPath_ && figureOpen_)
        path_.closeSubpath();
    figureOpen_ = false;
}

void TGdiPlayer::FillPath() {
    inPath_ = false;
    Paint(path_, deviceToTarget_, 1, false, true);
    path_ = QPainterPath();
}

void TGdiPlayer::StrokePath() {
    inPath_ = false;
    Paint(path_, deviceToTarget_, ScaleOf(LogicalToDevice()), true, false);
    path_ = QPainterPath();
}

void TGdiPlayer::StrokeAndFillPath() {
    inPath_ = false;
    Paint(path_, deviceToTarget_, ScaleOf(LogicalToDevice()), true, true);
    path_ = QPainterPath();
}

void TGdiPlayer::SelectClipPath(int mode) {
    inPath_ = false;
    QPainterPath path = path_;
    path.setFillRule(state_.polyFillMode == TGdiState::pfWinding ? Qt::WindingFill
                                                                 : Qt::OddEvenFill);
    CombineClip(TargetRegion(path), mode);
    path_ = QPainterPath();
}

void TGdiPlayer::IntersectClipRect(const QRectF& rect) {
    QPainterPath path;
    path.addRect(rect.normalized());
    CombineClip(TargetRegion(LogicalToDevice().map(path)), rgnAnd);
}

void TGdiPlayer::ExcludeClipRect(const QRectF& rect) {
    QPainterPath path;
    path.addRect(rect.normalized());
    CombineClip(TargetRegion(LogicalToDevice().map(path)), rgnDiff);
}

void TGdiPlayer::SelectClipRects(const QList<QRectF>& rects, int mode) {
    if (rects.isEmpty() && mode == rgnCopy) {
        state_.clip.reset();
        ApplyClip();
        return;
    }
    QPainterPath path;
    for (const QRectF& rect : rects)
        path.addRect(rect.normalized());
    path.setFillRule(Qt::WindingFill);
    CombineClip(TargetRegion(path), mode);
}

QRegion TGdiPlayer::TargetRegion(const QPainterPath& devicePath) const {
    if (!Usable(deviceToTarget_))
        return {};
    // Cut to the target first: a region is built row by row, and a file may reach far beyond.
    QPainterPath target;
    target.addRect(target_.adjusted(-1, -1, 1, 1));
    const QPainterPath inside = deviceToTarget_.map(devicePath).intersected(target);
    QRegion region;
    for (const QPolygonF& polygon : inside.toFillPolygons())
        region = region.united(QRegion(polygon.toPolygon(), inside.fillRule()));
    return region;
}

void TGdiPlayer::CombineClip(const QRegion& region, int mode) {
    const QRegion current = state_.clip.value_or(QRegion(target_.toAlignedRect()));
    switch (mode) {
    case rgnAnd:
        state_.clip = current.intersected(region);
        break;
    case rgnOr:
        state_.clip = current.united(region);
        break;
    case rgnXor:
        state_.clip = current.xored(region);
        break;
    case rgnDiff:
        state_.clip = current.subtracted(region);
        break;
    case rgnCopy:
        state_.clip = region;
        break;
    default:
        return;
    }
    ApplyClip();
}

void TGdiPlayer::ApplyClip() {
    const QRegion whole(target_.toAlignedRect());
    painter_.resetTransform();
    painter_.setClipRegion(state_.clip ? state_.clip->intersected(whole) : whole);
}

#include "runtime/Canvas.h"

#include "runtime/Graphic.h"
#include "runtime/OutOfMemory.h"
#include "runtime/SpacedText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScopeGuard>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Stretching picks for each target pixel the source pixel under its centre (the lower one on a
// tie, as Qt's own fast scaling does for the sizes a window shows).
int Nearest(int target, int sourceSize, int targetSize) {
    return static_cast<int>(((2 * qint64(target) + 1) * sourceSize - 1) / (2 * qint64(targetSize)));
}

// Drawing a picture unscaled onto a 32-bit image (a GIF frame onto its composition, the
// composition onto a control) is most of what an animation does: this does it pixel by pixel,
// without a painter or a converted copy. False when the formats are not the common ones.
bool CopyUnscaled(QImage& target, QPoint at, const QImage& source, TColor transparent) {
    const QImage::Format format = target.format();
    const bool toRgb = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                       format == QImage::Format_ARGB32_Premultiplied;
    const bool indexed = source.format() == QImage::Format_Indexed8;
    if (!toRgb || (!indexed && source.format() != QImage::Format_RGB32))
        return false;
    const bool keyed = transparent != clNone;
    const QRgb key = keyed ? ToQRgb(transparent) & RGB_MASK : 0;
    // 0 leaves the pixel as it is; every colour shown is opaque.
    const auto shown = [&](QRgb rgb) -> QRgb {
        return keyed && (rgb & RGB_MASK) == key ? 0 : rgb | 0xFF000000;
    };
    std::array<QRgb, 256> lookup{};
    const QList<QRgb> table = source.colorTable();
    for (int i = 0; i < table.size() && i < 256; ++i) {
        if (qAlpha(table[i]) != 255)
            return false;
        lookup[i] = shown(table[i]);
    }
    const QRect area = QRect(at, source.size()).intersected(target.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        const uchar* in = source.constScanLine(y - at.y());
        for (int x = area.left(); x <= area.right(); ++x) {
            const int from = x - at.x();
            const QRgb rgb =
                indexed ? lookup[in[from]] : shown(reinterpret_cast<const QRgb*>(in)[from]);
            if (rgb)
                out[x] = rgb;
        }
    }
    return true;
}

} // namespace

TColor TCanvas::Pixel(int x, int y) const {
    if (!Inside(x, y))
        return clInvalid;
    return FromQRgb(Stored(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    PutPixel(x, y, color);
    Changed();
}

void TCanvas::PutPixel(int x, int y, TColor color) {
    if (Scale() == 1)
        PutDevicePixel(x, y, color);
    else if (Inside(x, y))
        FillDevice(DeviceRect(QRect(x, y, 1, 1)), color);
}

void TCanvas::PutDevicePixel(int x, int y, TColor color) {
    if (!image_->valid(x, y))
        return;
    const QRgb rgb = ToQRgb(color);
    if (image_->format() == QImage::Format_Mono || image_->format() == QImage::Format_MonoLSB ||
        image_->format() == QImage::Format_Indexed8)
        image_->setPixel(x, y, static_cast<uint>(NearestIndex(image_->colorTable(), rgb)));
    else
        image_->setPixel(x, y, rgb);
}

namespace {

bool IsIndexed(const QImage& image) {
    return image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB ||
           image.format() == QImage::Format_Indexed8;
}

// The stored value of each colour met so far: pictures set few distinct colours, so the search
// for the nearest palette entry runs once for each.
class TStoredValues {
public:
    explicit TStoredValues(const QImage& image)
        : indexed_(IsIndexed(image)), palette_(image.colorTable()) {}

    uint Of(TColor color) {
        for (const auto& [known, value] : known_)
            if (known == color)
                return value;
        const QRgb rgb = ToQRgb(color);
        const uint value = indexed_ ? static_cast<uint>(TCanvas::NearestIndex(palette_, rgb)) : rgb;
        known_.emplace_back(color, value);
        return value;
    }

private:
    const bool indexed_;
    const QList<QRgb> palette_;
    std::vector<std::pair<TColor, uint>> known_;
};

} // namespace

void TCanvas::SetPixels(std::span<const TPixelAt> pixels) {
    if (Scale() != 1) {
        for (const TPixelAt& pixel : pixels)
            PutPixel(pixel.X, pixel.Y, pixel.Color);
        Changed();
        return;
    }
    TStoredValues values(*image_);
    const bool bytes = image_->format() == QImage::Format_Indexed8;
    uchar* const bits = bytes ? image_->bits() : nullptr;
    const qsizetype stride = image_->bytesPerLine();
    const uint width = image_->width();
    const uint height = image_->height();
    for (const TPixelAt& pixel : pixels) {
        // Negative positions wrap to large unsigned ones and fall outside too.
        if (uint(pixel.X) >= width || uint(pixel.Y) >= height)
            continue;
        const uint value = values.Of(pixel.Color);
        if (bytes)
            bits[pixel.Y * stride + pixel.X] = static_cast<uchar>(value);
        else
            image_->setPixel(pixel.X, pixel.Y, value);
    }
    Changed();
}

void TCanvas::ReadRow(int y, std::span<TColor> colors) const {
    if (Scale() != 1) {
        for (int x = 0; x < int(colors.size()); ++x)
            colors[x] = Pixel(x, y);
        return;
    }
    const bool inside = y >= 0 && y < image_->height();
    const int count = inside ? std::min<int>(image_->width(), colors.size()) : 0;
    std::fill(colors.begin() + count, colors.end(), clInvalid);
    if (!IsIndexed(*image_)) {
        for (int x = 0; x < count; ++x)
            colors[x] = FromQRgb(image_->pixel(x, y));
        return;
    }
    // An index past the colour table reads as 0, as QImage::pixel gives it.
    std::array<TColor, 256> byIndex;
    byIndex.fill(FromQRgb(0));
    const QList<QRgb> palette = image_->colorTable();
    for (int i = 0; i < std::min<int>(palette.size(), byIndex.size()); ++i)
        byIndex[i] = FromQRgb(palette[i]);
    const uchar* line = image_->constScanLine(inside ? y : 0);
    switch (image_->format()) {
    case QImage::Format_Mono:
        for (int x = 0; x < count; ++x)
            colors[x] = byIndex[(line[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case QImage::Format_MonoLSB:
        for (int x = 0; x < count; ++x)
            colors[x] = byIndex[(line[x >> 3] >> (x & 7)) & 1];
        break;
    default:
        for (int x = 0; x < count; ++x)
            colors[x] = byIndex[line[x]];
    }
}

void TCanvas::Rectangle(const QRect& rect) {
    if (rect.isEmpty())
        return;
    if (penMode_ == TPenMode::pmNot) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (Inside(x, y))
                    PutPixel(x, y, Pixel(x, y) ^ 0xFFFFFF);
        Changed();
        return;
    }
    FillRect(rect, penColor_);
    FillRect(rect.adjusted(1, 1, -1, -1), brushColor_);
}

namespace {

// Fills `area` with the value its top-left pixel holds.
template <typename Stored> void RepeatFirstPixel(QImage& image, const QRect& area) {
    const Stored value =
        reinterpret_cast<const Stored*>(image.constScanLine(area.top()))[area.left()];
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<Stored*>(image.scanLine(y));
        std::fill(line + area.left(), line + area.right() + 1, value);
    }
}

} // namespace

// The first pixel is written as any single pixel is; in 8-bit and 32-bit images the rest repeat
// what it stored, which saves a colour lookup per pixel.
void TCanvas::FillRect(const QRect& rect, TColor color) {
    FillDevice(DeviceRect(rect), color);
    Changed();
}

void TCanvas::FillDevice(const QRect& rect, TColor color) {
    const QRect area = rect.intersected(image_->rect());
    if (!area.isEmpty()) {
        PutDevicePixel(area.left(), area.top(), color);
        if (image_->depth() == 32) {
            RepeatFirstPixel<quint32>(*image_, area);
        } else if (image_->depth() == 8) {
            RepeatFirstPixel<uchar>(*image_, area);
        } else {
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    PutDevicePixel(x, y, color);
        }
    }
}

QRect TCanvas::DrawBevelRings(QRect rect, int rings, TColor first, TColor second, Qt::Edges sides) {
    // `rect` is inclusive here (QRect's right() is the last column), which is the classic
    // exclusive right edge minus one.
    for (int ring = 0; ring < rings; ++ring) {
        if (sides & Qt::LeftEdge)
            FillRect(QRect(QPoint(rect.left(), rect.top()), QPoint(rect.left(), rect.bottom())),
                     first);
        if (sides & Qt::TopEdge)
            FillRect(QRect(QPoint(rect.left(), rect.top()), QPoint(rect.right() - 1, rect.top())),
                     first);
        if (sides & Qt::RightEdge)
            FillRect(QRect(QPoint(rect.right(), rect.top()), QPoint(rect.right(), rect.bottom())),
                     second);
        if (sides & Qt::BottomEdge)
            FillRect(QRect(QPoint(rect.left(), rect.bottom()), QPoint(rect.right(), rect.bottom())),
                     second);
        rect.adjust(sides & Qt::LeftEdge ? 1 : 0, sides & Qt::TopEdge ? 1 : 0,
                    sides & Qt::RightEdge ? -1 : 0, sides & Qt::BottomEdge ? -1 : 0);
    }
    return rect;
}

void TCanvas::DrawFocusRect(const QRect& rect) {
    if (rect.isEmpty())
        return;
    const auto invert = [this](int x, int y) {
        if (!Inside(x, y) || (x + y) % 2 != 0)
            return;
        const TColor under = qAlpha(Stored(x, y)) == 0 ? ColorToRGB(brushColor_) : Pixel(x, y);
        PutPixel(x, y, under ^ 0xFFFFFF);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        invert(x, rect.top());
        if (rect.bottom() != rect.top())
            invert(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        invert(rect.left(), y);
        if (rect.right() != rect.left())
            invert(rect.right(), y);
    }
    Changed();
}

QRect TCanvas::DrawText(const QRect& rect, int flags, const QString& text) {
    QRect used;
    Paint([&](QPainter& painter) {
        PrepareText(painter);
        const TSpacedText spaced(font_, rect, flags, text);
        spaced.Draw(painter);
        used = spaced.Bounds();
    });
    return used;
}

QRect TCanvas::TextRect(const QRect& rect, int flags, const QString& text) const {
    return TSpacedText(font_, rect, flags, text).Bounds();
}

void TCanvas::RotatedTextOut(const QPoint& origin, int angle, const QString& text) {
    Paint([&](QPainter& painter) {
        PrepareText(painter);
        painter.translate(origin);
        // Qt turns clockwise on a screen whose y grows downwards.
        painter.rotate(-angle);
        painter.drawText(QPoint(0, painter.fontMetrics().ascent()), text);
    });
}

void TCanvas::PrepareText(QPainter& painter) const {
    QFont font = font_;
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(ToQColor(fontColor_));
}

void TCanvas::LineTo(int x, int y) {
    // Bresenham from the pen position, stopping one step short of (x, y).
    int cx = penPos_.x();
    int cy = penPos_.y();
    const int dx = std::abs(x - cx);
    const int dy = -std::abs(y - cy);
    const int sx = cx < x ? 1 : -1;
    const int sy = cy < y ? 1 : -1;
    int error = dx + dy;
    while (cx != x || cy != y) {
        PutPixel(cx, cy, penMode_ == TPenMode::pmNot ? Pixel(cx, cy) ^ 0xFFFFFF : penColor_);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            cx += sx;
        }
        if (twice <= dx) {
            error += dx;
            cy += sy;
        }
    }
    penPos_ = QPoint(x, y);
    Changed();
}

void TCanvas::DrawMasked(int x, int y, const QImage& image, const QImage& mask) {
    const QRect area = QRect(QPoint(x, y), image.size().boundedTo(mask.size()))
                           .intersected(QRect(0, 0, Width(), Height()));
    for (int py = area.top(); py <= area.bottom(); ++py)
        for (int px = area.left(); px <= area.right(); ++px) {
            const QRgb under = Stored(px, py);
            const QRgb keep = mask.pixel(px - x, py - y) & RGB_MASK;
            const QRgb add = image.pixel(px - x, py - y) & RGB_MASK;
            if (qAlpha(under) == 0 && keep == RGB_MASK && add == 0)
                continue;
            const QRgb surface = qAlpha(under) == 0 ? 0 : under & RGB_MASK;
            PutPixel(px, py, FromQRgb((surface & keep) | add));
        }
    Changed();
}

void TCanvas::DrawImage(const QRect& dest, const QImage& source, TColor transparent) {
    if (Scale() != 1) {
        const QRect place = DeviceRect(dest);
        OnDevicePixels([&](TCanvas& device) { device.DrawImage(place, source, transparent); });
        return;
    }
    // Only the pixels that land on the image are fetched, so a picture far larger than the
    // canvas costs no more memory than the canvas.
    const QRect visible = dest.intersected(image_->rect());
    if (visible.isEmpty() || source.isNull())
        return;
    if (dest.size() == source.size() &&
        CopyUnscaled(*image_, dest.topLeft(), source, transparent)) {
        Changed();
        return;
    }
    const bool keyed = transparent != clNone;
    const QRgb key = keyed ? ToQRgb(transparent) & RGB_MASK : 0;
    QImage part = Allocated(QImage(visible.size(), QImage::Format_ARGB32));
    std::vector<int> columns(visible.width());
    for (int x = 0; x < visible.width(); ++x)
        columns[x] = Nearest(visible.left() - dest.left() + x, source.width(), dest.width());
    for (int y = 0; y < visible.height(); ++y) {
        const int row = Nearest(visible.top() - dest.top() + y, source.height(), dest.height());
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < visible.width(); ++x) {
            const QRgb rgb = source.pixel(columns[x], row);
            line[x] = keyed && (rgb & RGB_MASK) == key ? 0 : rgb;
        }
    }
    Paint([&](QPainter& painter) { painter.drawImage(visible.topLeft(), part); });
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
    graphic.Draw(*this, QRect(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const QRect& dest, TGraphic& graphic) {
    graphic.Draw(*this, dest);
}

void TCanvas::Paint(const std::function<void(QPainter&)>& work) {
    const bool indexed = image_->format() == QImage::Format_Mono ||
                         image_->format() == QImage::Format_MonoLSB ||
                         image_->format() == QImage::Format_Indexed8;
    if (!indexed) {
        {
            QPainter painter(image_);
            work(painter);
        }
        Changed();
        return;
    }
    QImage rgb = Allocated(image_->convertToFormat(QImage::Format_RGB32));
    {
        QPainter painter(&rgb);
        work(painter);
    }
    const QList<QRgb> palette = image_->colorTable();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (line[x] != image_->pixel(x, y))
                image_->setPixel(x, y, static_cast<uint>(NearestIndex(palette, line[x])));
    }
    Changed();
}

QRect TCanvas::DeviceRect(const QRect& rect) const {
    if (Scale() == 1 || rect.isEmpty())
        return rect;
    return QRect(QPoint(ToDevice(rect.left()), ToDevice(rect.top())),
                 QPoint(ToDevice(rect.right() + 1) - 1, ToDevice(rect.bottom() + 1) - 1));
}

// The estimate is off by one at most where rounding meets a boundary.
int TCanvas::FromDevice(int device) const {
    int canvas = static_cast<int>(std::floor((device + 0.5) / Scale()));
    while (canvas > 0 && ToDevice(canvas) > device)
        --canvas;
    while (ToDevice(canvas + 1) <= device)
        ++canvas;
    return canvas;
}

// A buffer made for a size at a ratio has the size's pixels rounded up to whole device pixels.
int TCanvas::Logical(int device) const {
    return Scale() == 1 ? device : static_cast<int>(std::floor(device / Scale() + 1e-9));
}

void TCanvas::OnDevicePixels(const std::function<void(TCanvas&)>& work) {
    const qreal scale = Scale();
    image_->setDevicePixelRatio(1);
    const auto restore = qScopeGuard([&] { image_->setDevicePixelRatio(scale); });
    TCanvas device(*image_);
    work(device);
    Changed();
}

int TCanvas::NearestIndex(const QList<QRgb>& palette, QRgb color) {
    // Most writes use a palette colour exactly; that costs one scan, not a distance search.
    if (const qsizetype exact = palette.indexOf(color); exact >= 0)
        return int(exact);
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < palette.size(); ++i) {
        const long dr = qRed(palette[i]) - qRed(color);
        const long dg = qGreen(palette[i]) - qGreen(color);
        const long db = qBlue(palette[i]) - qBlue(color);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
            if (distance == 0)
                break;
        }
    }
    return best;
}

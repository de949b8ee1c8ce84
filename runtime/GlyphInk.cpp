#include "runtime/GlyphInk.h"

#include <QGlyphRun>
#include <QPainter>
#include <map>
#include <mutex>
#include <tuple>

namespace {

// A glyph's raw font holds no identity of its own: these name the face, size and rendering.
QString FontKey(const QRawFont& font) {
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(font.familyName(), font.styleName())
        .arg(font.pixelSize())
        .arg(font.weight())
        .arg(int(font.style()));
}

} // namespace

const TGlyphInk& TGlyphInk::Of(const QRawFont& font, quint32 glyph) {
    static std::mutex guard;
    static std::map<std::pair<QString, quint32>, TGlyphInk> drawn;
    const std::lock_guard lock(guard);
    const auto key = std::make_pair(FontKey(font), glyph);
    auto found = drawn.find(key);
    if (found == drawn.end())
        found = drawn.emplace(key, TGlyphInk(font, glyph)).first;
    return found->second;
}

TGlyphInk::TGlyphInk(const QRawFont& font, quint32 glyph) {
    // A margin round the outline the font gives, since hinting may move a stem by a pixel.
    const QRect box = font.boundingRect(glyph).toAlignedRect().adjusted(-2, -2, 2, 2);
    if (box.isEmpty())
        return;
    QImage canvas(box.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes({glyph});
    run.setPositions({QPointF(0, 0)});
    {
        QPainter painter(&canvas);
        painter.setPen(Qt::black);
        painter.drawGlyphRun(-box.topLeft(), run);
    }
    bool inked = false;
    for (int y = 0; y < canvas.height() && !inked; ++y)
        for (int x = 0; x < canvas.width() && !inked; ++x)
            inked = qAlpha(canvas.pixel(x, y)) != 0;
    if (!inked)
        return;
    ink_ = canvas;
    origin_ = -box.topLeft();
}

bool TGlyphInk::InkAt(int x, int y) const {
    return ink_.valid(x, y) && qAlpha(ink_.pixel(x, y)) != 0;
}

bool TGlyphInk::NearInk(int x, int y) const {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (InkAt(x + dx, y + dy))
                return true;
    return false;
}

// Asked of the same two glyphs whenever a new line holds them side by side: each answer is kept.
bool TGlyphInk::Touches(const TGlyphInk& right, QPoint offset) const {
    if (Empty() || right.Empty())
        return false;
    static std::mutex guard;
    static std::map<std::tuple<const TGlyphInk*, const TGlyphInk*, int, int>, bool> known;
    const std::lock_guard lock(guard);
    const auto key = std::make_tuple(this, &right, offset.x(), offset.y());
    auto found = known.find(key);
    if (found == known.end())
        found = known.emplace(key, Meets(right, offset)).first;
    return found->second;
}

bool TGlyphInk::Meets(const TGlyphInk& right, QPoint offset) const {
    // Where the right glyph's image starts in this one's.
    const QPoint shift = origin_ + offset - right.origin_;
    for (int y = 0; y < right.ink_.height(); ++y)
        for (int x = 0; x < right.ink_.width(); ++x)
            if (right.InkAt(x, y) && NearInk(x + shift.x(), y + shift.y()))
                return true;
    return false;
}

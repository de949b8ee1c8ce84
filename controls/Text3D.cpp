#include "controls/Text3D.h"

#include "runtime/Canvas.h"

namespace {

// Where the lit copy lies, one step of depth towards the light, by TLightPos; the shaded copy
// lies opposite.
constexpr QPoint kTowardsLight[] = {{-1, 0},  {1, 0},  {0, -1}, {0, 1},
                                    {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};

} // namespace

TLightPos OppositeLight(TLightPos light) {
    static constexpr TLightPos opposite[] = {lpRight,       lpLeft,     lpBottom,     lpTop,
                                             lpRightBottom, lpRightTop, lpLeftBottom, lpLeftTop};
    return opposite[light];
}

QRect DrawText3D(TCanvas& canvas, const QString& text, const QRect& rect, int flags,
                 const TText3DLook& look, bool measureOnly) {
    const int h = look.depth;
    const QRect inner = rect.adjusted(h, h, -h, -h);
    const QRect used = canvas.TextRect(inner, flags, text).adjusted(-h, -h, h, h);
    if (measureOnly)
        return used;
    const QPoint lit = kTowardsLight[look.light] * h;
    // Qt clips text drawn into a rectangle to that rectangle.
    flags &= ~Qt::TextDontClip;
    canvas.SetFontColor(look.lightColor);
    canvas.DrawText(inner.translated(lit), flags, text);
    canvas.SetFontColor(look.shadowColor);
    canvas.DrawText(inner.translated(-lit), flags, text);
    canvas.SetFontColor(look.textColor);
    canvas.DrawText(inner, flags, text);
    return used;
}

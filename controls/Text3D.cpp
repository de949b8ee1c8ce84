#include "controls/Text3D.h"

#include "runtime/Canvas.h"

namespace {

// Where the lit copy lies, one step of depth towards the light; the shaded copy lies opposite.
QPoint TowardsLight(TLightPos light) {
    switch (light) {
    case lpLeft:
        return {-1, 0};
    case lpRight:
        return {1, 0};
    case lpTop:
        return {0, -1};
    case lpBottom:
        return {0, 1};
    case lpLeftTop:
        return {-1, -1};
    case lpLeftBottom:
        return {-1, 1};
    case lpRightTop:
        return {1, -1};
    case lpRightBottom:
        break;
    }
    return {1, 1};
}

} // namespace

TLightPos OppositeLight(TLightPos light) {
    switch (light) {
    case lpLeft:
        return lpRight;
    case lpRight:
        return lpLeft;
    case lpTop:
        return lpBottom;
    case lpBottom:
        return lpTop;
    case lpLeftTop:
        return lpRightBottom;
    case lpLeftBottom:
        return lpRightTop;
    case lpRightTop:
        return lpLeftBottom;
    case lpRightBottom:
        break;
    }
    return lpLeftTop;
}

QRect DrawText3D(TCanvas& canvas, const QString& text, const QRect& rect, int flags,
                 const TText3DLook& look, bool measureOnly) {
    const int h = look.depth;
    const QRect inner = rect.adjusted(h, h, -h, -h);
    const QRect used = canvas.TextRect(inner, flags, text).adjusted(-h, -h, h, h);
    if (measureOnly)
        return used;
    const QPoint lit = TowardsLight(look.light) * h;
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

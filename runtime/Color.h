#ifndef VARNEL_RUNTIME_COLOR_H
#define VARNEL_RUNTIME_COLOR_H

#include <QColor>
#include <QList>
#include <QRgb>
#include <cstdint>

// 0x00BBGGRR: red in the low byte. 0x80000000 + n names system colour n, resolved only when
// drawing, so a change of the desktop's scheme shows at the next paint.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor clNone = 0x1FFFFFFF;
// What a pixel read outside a bitmap gives: not a colour, and in particular not black.
inline constexpr TColor clInvalid = 0xFFFFFFFF;

inline constexpr TColor clSystemColor = 0x80000000;
inline constexpr TColor clWindow = clSystemColor + 5;
inline constexpr TColor clWindowText = clSystemColor + 8;
inline constexpr TColor clBtnFace = clSystemColor + 15;
inline constexpr TColor clBtnShadow = clSystemColor + 16;
inline constexpr TColor clGrayText = clSystemColor + 17;
inline constexpr TColor clBtnText = clSystemColor + 18;
inline constexpr TColor clBtnHighlight = clSystemColor + 20;
inline constexpr TColor cl3DDkShadow = clSystemColor + 21;
inline constexpr TColor cl3DLight = clSystemColor + 22;

inline constexpr bool IsSystemColor(TColor c) {
    return (c & 0xFF000000) == clSystemColor;
}

// Resolves a system colour against the application's current palette; other values pass.
TColor ColorToRGB(TColor color);

QColor ToQColor(TColor color);
TColor FromQRgb(QRgb rgb);
inline QRgb ToQRgb(TColor color) {
    return ToQColor(color).rgb();
}

// Black, maroon, green, olive, navy, purple, teal, silver, grey, red, lime, yellow, blue,
// fuchsia, aqua, white: the 16 colours in the platform's palette order.
const QList<QRgb>& StandardPalette16();

// The 16 colours of VGA text mode in attribute order (blue is 1, red is 4).
const QList<QRgb>& VgaTextPalette();

#endif

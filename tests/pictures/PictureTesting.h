#ifndef VARNEL_TESTS_FORMATS_PICTURETESTING_H
#define VARNEL_TESTS_FORMATS_PICTURETESTING_H

#include "runtime/Bitmap.h"
#include "runtime/InvalidGraphic.h"

#include <gtest/gtest.h>

// What the picture tests share: colours as a true-colour bitmap reads them, a picture drawn over
// a filled bitmap, and the check that a file is refused whole.

inline constexpr QRgb kBlack = 0xFF000000;
inline constexpr QRgb kWhite = 0xFFFFFFFF;
inline constexpr QRgb kRed = 0xFFFF0000;
inline constexpr QRgb kLime = 0xFF00FF00;
inline constexpr QRgb kBlue = 0xFF0000FF;
inline constexpr QRgb kYellow = 0xFFFFFF00;

// `picture` drawn stretched over a bitmap of `size` (by default the picture's own) filled with
// `background`, which shows wherever the picture draws nothing.
inline QImage Render(TGraphic& picture, QSize size = QSize(), TColor background = clWhite) {
    if (!size.isValid())
        size = QSize(picture.Width(), picture.Height());
    TBitmap bitmap(size.width(), size.height(), TPixelFormat::pf24bit);
    bitmap.Canvas().FillRect(QRect(QPoint(0, 0), size), background);
    bitmap.Canvas().StretchDraw(QRect(QPoint(0, 0), size), picture);
    return bitmap.Image();
}

// Loading `bytes` as a picture of kind T raises `message` and leaves the picture empty.
template <typename T>
void ExpectRefused(const QByteArray& bytes, const QString& message, const char* what) {
    T picture;
    try {
        picture.LoadFromBytes(bytes);
        ADD_FAILURE() << what << ": loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), message) << what;
    }
    EXPECT_TRUE(picture.Empty()) << what;
}

#endif

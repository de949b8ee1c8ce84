#include "controls/sohoPanel.h"

#include <QList>
#include <algorithm>
#include <cstring>

namespace {

// Lays `tile` over `face` of a 32-bit paint buffer, row by row: a picture with a colour table is
// looked up as it is laid, so the panel keeps no 32-bit copy of it, which for the window's
// backdrop would be as large as the window.
void LayTiles(QImage& target, const QRect& face, const QImage& tile) {
    const QRect area = face.intersected(target.rect());
    QList<QRgb> table = tile.colorTable();
    table.resize(256, qRgb(0, 0, 0)); // a damaged index shows black rather than reading past
    const bool indexed = tile.format() == QImage::Format_Indexed8;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* source = tile.constScanLine((y - face.top()) % tile.height());
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = area.left(); x <= area.right();) {
            const int column = (x - face.left()) % tile.width();
            const int run = std::min(tile.width() - column, area.right() + 1 - x);
            if (indexed) {
                for (int i = 0; i < run; ++i)
                    line[x + i] = table[source[column + i]] | 0xFF000000;
            } else {
                std::memcpy(line + x, reinterpret_cast<const QRgb*>(source) + column,
                            sizeof(QRgb) * run);
            }
            x += run;
        }
    }
}

} // namespace

TsohoPanel::TsohoPanel(QWidget* parent, const TBitmap* picture) : TPanel(parent) {
    SetBackImage(picture);
}

void TsohoPanel::SetBackImage(const TBitmap* picture) {
    if (picture) {
        backImage_ = *picture;
    } else {
        backImage_.LoadFromFile(QStringLiteral(":/DEFAULTPANEL.bmp"));
    }
    const QImage& image = backImage_.Image();
    if (image.colorCount() > 0)
        tile_ = image.convertToFormat(QImage::Format_Indexed8);
    else
        tile_ = image.convertToFormat(QImage::Format_RGB32);
    update();
}

// The control's paint buffer is 32-bit, opaque or premultiplied: opaque tiles suit both.
void TsohoPanel::Paint(TCanvas& canvas) {
    const QRect face = DrawFrame(canvas);
    // An empty picture has no tiles to lay.
    if (!tile_.isNull())
        LayTiles(canvas.Image(), face, tile_);
    DrawCaption(canvas, face);
}

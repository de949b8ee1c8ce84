#include "controls/sohoPanel.h"

#include "runtime/Canvas.h"

#include <QList>
#include <vector>

namespace {

// Lays `tile` over `face` of a 32-bit paint buffer, row by row: a picture with a colour table is
// looked up as it is laid, so the panel keeps no 32-bit copy of it, which for the window's
// backdrop would be as large as the window. On a high-density buffer each tile pixel covers the
// device pixels of its canvas pixel.
void LayTiles(TCanvas& canvas, const QRect& face, const QImage& tile) {
    QImage& target = canvas.Image();
    const QRect area = canvas.DeviceRect(face).intersected(target.rect());
    QList<QRgb> table = tile.colorTable();
    table.resize(256, qRgb(0, 0, 0)); // a damaged index shows black rather than reading past
    const bool indexed = tile.format() == QImage::Format_Indexed8;
    std::vector<int> columns(area.width());
    for (int x = 0; x < area.width(); ++x)
        columns[x] = (canvas.FromDevice(area.left() + x) - face.left()) % tile.width();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* source =
            tile.constScanLine((canvas.FromDevice(y) - face.top()) % tile.height());
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(y)) + area.left();
        if (indexed) {
            for (int x = 0; x < area.width(); ++x)
                line[x] = table[source[columns[x]]] | 0xFF000000;
        } else {
            const auto* colors = reinterpret_cast<const QRgb*>(source);
            for (int x = 0; x < area.width(); ++x)
                line[x] = colors[columns[x]];
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
        LayTiles(canvas, face, tile_);
    DrawCaption(canvas, face);
}

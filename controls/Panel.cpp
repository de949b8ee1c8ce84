#include "controls/Panel.h"

#include <QPainter>

TsohoPanel::TsohoPanel(QWidget* parent, const TBitmap* picture) : TPanel(parent) {
    SetBackImage(picture);
}

void TsohoPanel::SetBackImage(const TBitmap* picture) {
    if (picture) {
        backImage_ = *picture;
    } else {
        backImage_.LoadFromFile(QStringLiteral(":/DEFAULTPANEL.bmp"));
    }
    tile_ = backImage_.Image().convertToFormat(QImage::Format_RGB32);
    update();
}

void TsohoPanel::Paint(TCanvas& canvas) {
    const QRect face = DrawFrame(canvas);
    // An empty picture has no tiles to lay, and would never reach the far edge.
    if (!tile_.isNull())
        canvas.Paint([&](QPainter& painter) {
            painter.setClipRect(face);
            for (int y = face.top(); y <= face.bottom(); y += tile_.height())
                for (int x = face.left(); x <= face.right(); x += tile_.width())
                    painter.drawImage(x, y, tile_);
        });
    DrawCaption(canvas, face);
}

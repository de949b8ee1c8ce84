#include "controls/Panel.h"

#include <QFontMetrics>
#include <QPainter>

TsohoPanel::TsohoPanel(QWidget* parent) : TControl(parent, Kind::Windowed) {
    resize(185, 41);
    SetBackImage(nullptr);
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

void TsohoPanel::SetBevelOuter(TPanelBevel bevel) {
    if (bevelOuter_ == bevel)
        return;
    bevelOuter_ = bevel;
    update();
}

void TsohoPanel::SetBevelWidth(int width) {
    if (bevelWidth_ == width)
        return;
    bevelWidth_ = width;
    update();
}

void TsohoPanel::SetBorderStyle(TBorderStyle style) {
    if (borderStyle_ == style)
        return;
    borderStyle_ = style;
    const int edge = style == bsSingle ? 2 : 0;
    setContentsMargins(edge, edge, edge, edge);
    update();
}

void TsohoPanel::Paint(TCanvas& canvas) {
    if (borderStyle_ == bsSingle) {
        const QRect inner = canvas.DrawBevelRings(rect(), 1, clBtnShadow, clBtnHighlight);
        canvas.DrawBevelRings(inner, 1, cl3DDkShadow, cl3DLight);
    }
    QRect face = contentsRect();
    if (bevelOuter_ != bvNone) {
        const bool raised = bevelOuter_ == bvRaised;
        face = canvas.DrawBevelRings(face, bevelWidth_, raised ? clBtnHighlight : clBtnShadow,
                                     raised ? clBtnShadow : clBtnHighlight);
    }
    // An empty picture has no tiles to lay, and would never reach the far edge.
    if (!tile_.isNull())
        canvas.Paint([&](QPainter& painter) {
            painter.setClipRect(face);
            for (int y = face.top(); y <= face.bottom(); y += tile_.height())
                for (int x = face.left(); x <= face.right(); x += tile_.width())
                    painter.drawImage(x, y, tile_);
        });
    if (Caption().isEmpty())
        return;
    // One line, centred both ways.
    const int textHeight = QFontMetrics(Font()).height();
    face.setTop((face.top() + face.bottom() + 1 - textHeight) / 2);
    face.setHeight(textHeight);
    canvas.SetFont(Font());
    canvas.SetFontColor(FontColor());
    canvas.DrawText(face,
                    Qt::AlignHCenter | Qt::AlignTop | Qt::TextExpandTabs | Qt::TextShowMnemonic,
                    Caption());
}

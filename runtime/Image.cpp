#include "runtime/Image.h"

#include "runtime/Bitmap.h"
#include "runtime/Canvas.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

TImage::TImage(QWidget* parent) : TControl(parent) {
    resize(105, 105);
    ownPicture_.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() {
    if (picture_ != &ownPicture_)
        picture_->OnChange = nullptr;
}

void TImage::ShowPicture(TPicture& picture) {
    if (&picture == picture_)
        return;
    picture_->OnChange = nullptr;
    picture_ = &picture;
    picture_->OnChange = [this] { PictureChanged(); };
    PictureChanged();
}

TCanvas& TImage::Canvas() {
    if (!picture_->Graphic())
        picture_->SetGraphic(std::make_unique<TBitmap>(width(), height(), TPixelFormat::pf24bit));
    return picture_->Bitmap().Canvas();
}

void TImage::SetAutoSize(bool autoSize) {
    if (Store(autoSize_, autoSize))
        PictureChanged();
}

namespace {

// The largest whole enlargement within `ratio`, never less than none.
int WholeFactor(qreal ratio) {
    return std::max(1, static_cast<int>(std::floor(ratio + 1e-9)));
}

int FloorDivision(int value, int divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

} // namespace

QRect TImage::DevicePlace(qreal ratio, int factor) const {
    const QSize size(picture_->Width(), picture_->Height());
    const QSize scaled = size * factor;
    const QSize room(qRound(size.width() * ratio), qRound(size.height() * ratio));
    return QRect(QPoint((room.width() - scaled.width()) / 2, (room.height() - scaled.height()) / 2),
                 scaled);
}

void TImage::Paint(TCanvas& canvas) {
    TGraphic* graphic = picture_->Graphic();
    if (!graphic || graphic->Empty())
        return;
    const int factor = WholeFactor(canvas.Scale());
    if (factor == canvas.Scale()) {
        canvas.Draw(0, 0, *graphic);
        return;
    }
    const QRect place = DevicePlace(canvas.Scale(), factor);
    canvas.OnDevicePixels([&](TCanvas& device) { device.StretchDraw(place, *graphic); });
}

QPoint TImage::PicturePoint(QPoint point, qreal ratio) const {
    const int factor = WholeFactor(ratio);
    if (factor == ratio)
        return point;
    const QPoint origin = DevicePlace(ratio, factor).topLeft();
    return QPoint(FloorDivision(qFloor(point.x() * ratio) - origin.x(), factor),
                  FloorDivision(qFloor(point.y() * ratio) - origin.y(), factor));
}

void TImage::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    const QPoint at = PicturePoint({x, y}, devicePixelRatioF());
    TControl::MouseDown(button, shift, at.x(), at.y());
}

void TImage::MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
    const QPoint at = PicturePoint({x, y}, devicePixelRatioF());
    TControl::MouseMove(shift, at.x(), at.y());
}

void TImage::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    const QPoint at = PicturePoint({x, y}, devicePixelRatioF());
    TControl::MouseUp(button, shift, at.x(), at.y());
}

void TImage::PictureChanged() {
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
        resize(picture_->Width(), picture_->Height());
    update();
}

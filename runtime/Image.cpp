#include "runtime/Image.h"

#include "runtime/Bitmap.h"

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
    if (autoSize_ == autoSize)
        return;
    autoSize_ = autoSize;
    PictureChanged();
}

void TImage::Paint(TCanvas& canvas) {
    if (TGraphic* graphic = picture_->Graphic(); graphic && !graphic->Empty())
        canvas.Draw(0, 0, *graphic);
}

void TImage::PictureChanged() {
    if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0)
        resize(picture_->Width(), picture_->Height());
    update();
}

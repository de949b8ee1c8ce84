#include "gif/PictureControl.h"

namespace {

TColor ParentColor(const QWidget* parent) {
    if (const auto* control = qobject_cast<const TControl*>(parent))
        return control->Color();
    return parent ? FromQRgb(parent->palette().color(parent->backgroundRole()).rgb()) : clBtnFace;
}

} // namespace

TPictureControl::TPictureControl(QWidget* parent) : TControl(parent) {
    SetColor(ParentColor(parent));
    resize(105, 105);
}

void TPictureControl::RefreshPicture() {
    if (destroying_)
        return;
    AdjustSize();
    update();
}

void TPictureControl::Paint(TCanvas& canvas) {
    std::lock_guard lock(lock_);
    PaintPicture(canvas);
}

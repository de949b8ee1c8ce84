#include "runtime/Picture.h"

#include "runtime/Bitmap.h"
#include "runtime/InvalidGraphic.h"
#include "runtime/PictureFormats.h"

#include <QFileInfo>

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetGraphic(const TGraphic* graphic) {
    SetGraphic(graphic ? graphic->Clone() : nullptr);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_)
        graphic_->OnChange = [this](TGraphic&) { Changed(); };
    Changed();
}

TBitmap& TPicture::Bitmap() const {
    auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get());
    if (!bitmap)
        throw EInvalidGraphic(QStringLiteral("Can only modify an image if it contains a bitmap"));
    return *bitmap;
}

bool TPicture::HoldsBitmap() const {
    return dynamic_cast<TBitmap*>(graphic_.get()) != nullptr;
}

void TPicture::LoadFromFile(const QString& fileName) {
    const QString extension = QFileInfo(fileName).suffix();
    const TPictureFormats::Entry* entry = TPictureFormats::Find(extension);
    if (!entry)
        throw EInvalidGraphic(
            QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    std::unique_ptr<TGraphic> loaded = entry->make();
    loaded->LoadFromFile(fileName);
    SetGraphic(std::move(loaded));
}

int TPicture::Width() const {
    return graphic_ ? graphic_->Width() : 0;
}
int TPicture::Height() const {
    return graphic_ ? graphic_->Height() : 0;
}

void TPicture::Changed() {
    if (OnChange)
        OnChange();
}

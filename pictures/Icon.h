#ifndef VARNEL_PICTURES_ICON_H
#define VARNEL_PICTURES_ICON_H

#include "runtime/Graphic.h"

#include <QByteArray>
#include <QImage>
#include <QList>

// An icon file (".ico") as a picture: of the images the file holds (1, 4, 8, 24 or 32 bits with
// their masks, or PNG), the largest is shown, the deepest of those if several share its size.
// Masked pixels are see-through. It is not a bitmap: nothing can be drawn on it.
class TIcon : public TGraphic {
public:
    TIcon();

    std::unique_ptr<TGraphic> Clone() const override;
    bool Empty() const override { return image_.isNull(); }
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    // Both raise "Cannot change the size of an icon".
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void Draw(TCanvas& canvas, const QRect& rect) override;
    // A file that is not an icon, or whose shown image cannot be read, raises
    // "Icon image is not valid" and leaves the picture as it was.
    void LoadFromStream(QIODevice& stream) override;
    // Writes the file as it was read, every image in it.
    void SaveToStream(QIODevice& stream) const override;

private:
    QByteArray data_;
    QImage image_;
};

// Every image of an icon file, read the way TIcon reads its largest: what a window's icon is
// made of. Nothing when the file is not an icon or any of its images cannot be read.
QList<QImage> IconImages(const QByteArray& file);

// Makes ".ico" files load as TIcon; the programs call this at start-up.
void RegisterIcon();

#endif

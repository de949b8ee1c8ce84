#ifndef VARNEL_RUNTIME_PICTURE_H
#define VARNEL_RUNTIME_PICTURE_H

#include <QString>
#include <functional>
#include <memory>

class TBitmap;
class TGraphic;

// Holds one picture of any kind. Assigning copies the picture; loading a file picks the kind by
// the file's extension and replaces the held picture only when the whole file was read.
class TPicture {
public:
    TPicture();
    ~TPicture();

    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(const TGraphic* graphic);
    void SetGraphic(std::unique_ptr<TGraphic> graphic);

    // The held bitmap, for pixel work; any other kind raises
    // "Can only modify an image if it contains a bitmap".
    TBitmap& Bitmap() const;
    bool HoldsBitmap() const;

    // "Unknown picture file extension (.xyz)" for a kind nobody registered; the loader's own
    // message for a damaged file. The held picture stays as it was on any failure.
    void LoadFromFile(const QString& fileName);

    int Width() const;
    int Height() const;

    // Called after the held picture was replaced or changed its content.
    std::function<void()> OnChange;

private:
    void Changed();

    std::unique_ptr<TGraphic> graphic_;
};

#endif

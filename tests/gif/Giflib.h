#ifndef VARNEL_TESTS_GIF_GIFLIB_H
#define VARNEL_TESTS_GIF_GIFLIB_H

#include <QByteArray>
#include <gif_lib.h>

// The reference decoder: giflib's DGifSlurp over bytes in memory, for comparing with ours.
class TGiflibFile {
public:
    explicit TGiflibFile(const QByteArray& gif);
    ~TGiflibFile();
    TGiflibFile(const TGiflibFile&) = delete;
    TGiflibFile& operator=(const TGiflibFile&) = delete;

    // The whole file was read.
    bool Ok() const { return ok_; }
    // The frames giflib got, the last possibly incomplete when the file is damaged.
    int Count() const { return file_ ? file_->ImageCount : 0; }
    const SavedImage& Frame(int index) const { return file_->SavedImages[index]; }
    // A frame's colour indices, rows top to bottom, one byte a pixel.
    QByteArray Indices(int index) const;

private:
    GifFileType* file_ = nullptr;
    QByteArray data_;
    qsizetype read_ = 0;
    bool ok_ = false;
};

#endif

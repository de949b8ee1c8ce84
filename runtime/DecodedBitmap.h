#ifndef VARNEL_RUNTIME_DECODEDBITMAP_H
#define VARNEL_RUNTIME_DECODEDBITMAP_H

#include "runtime/Bitmap.h"

#include <QByteArray>

// A bitmap read from a compressed picture file (JPEG, PNG) through Qt's image readers. Once
// read it is an ordinary bitmap: it can be drawn on and converted, and a copy is a plain bitmap.
class TDecodedBitmap : public TBitmap {
public:
    // `format` is the reader's name ("jpeg", "png"); `kind` names the kind in the message a
    // damaged file raises ("JPEG image is not valid").
    TDecodedBitmap(QByteArray format, QString kind);

    // Palettes are kept. See-through pixels show the black behind them, so they are not lit. A
    // file cut before its end marker, or a picture larger than its file may cost
    // (PictureMemory), raises "<kind> image is not valid" before anything is decoded.
    void LoadFromStream(QIODevice& stream) override;

private:
    QByteArray format_;
    QString kind_;
};

#endif

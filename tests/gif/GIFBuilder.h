#ifndef VARNEL_TESTS_GIF_GIFBUILDER_H
#define VARNEL_TESTS_GIF_GIFBUILDER_H

#include <QByteArray>
#include <QImage>

// A GIF file put together block by block, for the cases no tool writes. Colour tables hold
// entry i = (i, 255 - i, 7i mod 256).
class TGIFBuilder {
public:
    explicit TGIFBuilder(const QByteArray& signature = "GIF89a") : bytes_(signature) {}

    TGIFBuilder& Screen(int width, int height, int globalBits, int background = 0);
    TGIFBuilder& GraphicControl(int delay, int transparentIndex = -1, int disposal = 0);
    TGIFBuilder& PlainText();
    TGIFBuilder& Application(const QByteArray& identifier, const QByteArray& subBlock);
    // `data` is the minimum code size byte and the sub-blocks; localBits 0: no local table.
    TGIFBuilder& Image(int width, int height, const QByteArray& data, int localBits = 0,
                       bool interlaced = false);
    TGIFBuilder& Raw(const QByteArray& bytes);
    QByteArray Bytes() const { return bytes_; }

    static QRgb Entry(int index);

private:
    void Word(int value);
    static QByteArray Table(int bits);

    QByteArray bytes_;
};

// Our encoder's data for an indexed image whose pixels are `width` × `height` bytes.
QByteArray Compressed(const QByteArray& pixels, int width, int bits);
// A bitmap's colour indices, rows top to bottom, one byte a pixel.
QByteArray Indices(const QImage& image);

#endif

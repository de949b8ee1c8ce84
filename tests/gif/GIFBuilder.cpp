#include "tests/gif/GIFBuilder.h"

#include "gif/GIFEncoder.h"

void TGIFBuilder::Word(int value) {
    bytes_.append(static_cast<char>(value & 0xFF));
    bytes_.append(static_cast<char>(value >> 8 & 0xFF));
}

QRgb TGIFBuilder::Entry(int index) {
    return qRgb(index, 255 - index, index * 7 % 256);
}

QByteArray TGIFBuilder::Table(int bits) {
    QByteArray table;
    for (int i = 0; i < 1 << bits; ++i)
        for (const int value : {qRed(Entry(i)), qGreen(Entry(i)), qBlue(Entry(i))})
            table.append(static_cast<char>(value));
    return table;
}

TGIFBuilder& TGIFBuilder::Screen(int width, int height, int globalBits, int background) {
    Word(width);
    Word(height);
    bytes_.append(
        static_cast<char>(globalBits ? 0x80 | (globalBits - 1) << 4 | (globalBits - 1) : 0));
    bytes_.append(static_cast<char>(background));
    bytes_.append('\0');
    if (globalBits)
        bytes_.append(Table(globalBits));
    return *this;
}

TGIFBuilder& TGIFBuilder::GraphicControl(int delay, int transparentIndex, int disposal) {
    bytes_.append("!\xF9\x04");
    bytes_.append(static_cast<char>(disposal << 2 | (transparentIndex >= 0 ? 1 : 0)));
    Word(delay);
    bytes_.append(static_cast<char>(transparentIndex >= 0 ? transparentIndex : 0));
    bytes_.append('\0');
    return *this;
}

TGIFBuilder& TGIFBuilder::PlainText() {
    bytes_.append("!\x01\x0C");
    bytes_.append(QByteArray(12, '\1'));
    bytes_.append("\x05hello");
    bytes_.append('\0');
    return *this;
}

TGIFBuilder& TGIFBuilder::Application(const QByteArray& identifier, const QByteArray& subBlock) {
    bytes_.append("!\xFF");
    bytes_.append(static_cast<char>(identifier.size()));
    bytes_.append(identifier);
    bytes_.append(static_cast<char>(subBlock.size()));
    bytes_.append(subBlock);
    bytes_.append('\0');
    return *this;
}

TGIFBuilder& TGIFBuilder::Image(int width, int height, const QByteArray& data, int localBits,
                                bool interlaced) {
    bytes_.append(',');
    Word(0);
    Word(0);
    Word(width);
    Word(height);
    bytes_.append(
        static_cast<char>((localBits ? 0x80 | (localBits - 1) : 0) | (interlaced ? 0x40 : 0)));
    if (localBits)
        bytes_.append(Table(localBits));
    bytes_.append(data);
    return *this;
}

TGIFBuilder& TGIFBuilder::Raw(const QByteArray& bytes) {
    bytes_.append(bytes);
    return *this;
}

QByteArray Compressed(const QByteArray& pixels, int width, int bits) {
    const int height = static_cast<int>(pixels.size() / width);
    QImage image(width, height, QImage::Format_Indexed8);
    for (int y = 0; y < height; ++y)
        std::copy_n(pixels.constData() + qsizetype(y) * width, width, image.scanLine(y));
    return EncodeGIFImage(image, bits, false);
}

QByteArray Indices(const QImage& image) {
    QByteArray indices;
    indices.reserve(qsizetype(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            indices.append(static_cast<char>(image.pixelIndex(x, y)));
    return indices;
}

#include "tests/pictures/MetafileBuilder.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

namespace {

void Append16(QByteArray& bytes, int value) {
    bytes.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
}

void Append32(QByteArray& bytes, qint64 value) {
    Append16(bytes, int(value & 0xFFFF));
    Append16(bytes, int((value >> 16) & 0xFFFF));
}

int Low(quint32 value) {
    return int(value & 0xFFFF);
}

int High(quint32 value) {
    return int(value >> 16);
}

} // namespace

TWmfBuilder::TWmfBuilder(QRect bounds, int unitsPerInch, int objects)
    : bounds_(bounds), unitsPerInch_(unitsPerInch), objects_(objects) {}

TWmfBuilder& TWmfBuilder::Record(quint16 function, const QList<int>& words,
                                 const QByteArray& tail) {
    QByteArray params;
    for (int word : words)
        Append16(params, word);
    params.append(tail);
    if (params.size() % 2)
        params.append('\0');
    Append32(records_, 3 + params.size() / 2);
    Append16(records_, function);
    records_.append(params);
    return *this;
}

TWmfBuilder& TWmfBuilder::Pen(int style, int width, quint32 color) {
    return Record(0x02FA, {style, width, 0, Low(color), High(color)});
}

TWmfBuilder& TWmfBuilder::Brush(int style, quint32 color, int hatch) {
    return Record(0x02FC, {style, Low(color), High(color), hatch});
}

TWmfBuilder& TWmfBuilder::Select(int index) {
    return Record(0x012D, {index});
}

TWmfBuilder& TWmfBuilder::Delete(int index) {
    return Record(0x01F0, {index});
}

TWmfBuilder& TWmfBuilder::WindowOrg(int x, int y) {
    return Record(0x020B, {y, x});
}

TWmfBuilder& TWmfBuilder::WindowExt(int x, int y) {
    return Record(0x020C, {y, x});
}

TWmfBuilder& TWmfBuilder::Rectangle(int left, int top, int right, int bottom) {
    return Record(0x041B, {bottom, right, top, left});
}

TWmfBuilder& TWmfBuilder::StretchDib(QRect dest, QRect source, const QByteArray& dib) {
    const quint32 sourceCopy = 0x00CC0020;
    return Record(0x0F43,
                  {Low(sourceCopy), High(sourceCopy), 0, source.height(), source.width(),
                   source.y(), source.x(), dest.height(), dest.width(), dest.y(), dest.x()},
                  dib);
}

QByteArray TWmfBuilder::Bytes() const {
    QByteArray file;
    if (unitsPerInch_ > 0) {
        Append32(file, 0x9AC6CDD7);
        Append16(file, 0);
        for (int value : {bounds_.left(), bounds_.top(), bounds_.right() + 1, bounds_.bottom() + 1})
            Append16(file, value);
        Append16(file, unitsPerInch_);
        Append32(file, 0);
        quint16 checksum = 0;
        for (int i = 0; i < 10; ++i)
            checksum ^= qFromLittleEndian<quint16>(file.constData() + 2 * i);
        Append16(file, checksum);
    }
    const QByteArray end = QByteArray::fromHex("030000000000");
    const qint64 words = (18 + records_.size() + end.size()) / 2;
    Append16(file, 1);
    Append16(file, 9);
    Append16(file, 0x0300);
    Append32(file, words);
    Append16(file, objects_);
    Append32(file, 0);
    Append16(file, 0);
    return file + records_ + end;
}

TEmfBuilder::TEmfBuilder(QSize frame, int handles) : frame_(frame), handles_(handles) {}

TEmfBuilder& TEmfBuilder::Record(quint32 type, const QList<qint64>& values,
                                 const QByteArray& tail) {
    QByteArray padded = tail;
    while (padded.size() % 4)
        padded.append('\0');
    Append32(records_, type);
    Append32(records_, 8 + 4 * values.size() + padded.size());
    for (qint64 value : values)
        Append32(records_, value);
    records_.append(padded);
    return *this;
}

TEmfBuilder& TEmfBuilder::Brush(int index, int style, quint32 color, int hatch) {
    return Record(39, {index, style, color, hatch});
}

TEmfBuilder& TEmfBuilder::Pen(int index, int style, int width, quint32 color) {
    return Record(38, {index, style, width, 0, color});
}

TEmfBuilder& TEmfBuilder::Select(quint32 index) {
    return Record(37, {index});
}

TEmfBuilder& TEmfBuilder::MapMode(int mode) {
    return Record(17, {mode});
}

TEmfBuilder& TEmfBuilder::Rectangle(int left, int top, int right, int bottom) {
    return Record(43, {left, top, right, bottom});
}

QByteArray TEmfBuilder::Bytes() const {
    // 96 pixels per inch: 1000 pixels are 264583 micrometres.
    const int micrometres = 264583;
    const auto hundredths = [](int pixels) { return qRound(pixels * 2540.0 / 96); };
    QByteArray header;
    const QByteArray end =
        QByteArray::fromHex("0e000000140000000000000000000000") + QByteArray::fromHex("14000000");
    const qint64 headerSize = 108;
    const qint64 total = headerSize + records_.size() + end.size();
    for (qint64 value : {qint64(1), headerSize, qint64(0), qint64(0), qint64(frame_.width() - 1),
                         qint64(frame_.height() - 1), qint64(0), qint64(0),
                         qint64(hundredths(frame_.width())), qint64(hundredths(frame_.height())),
                         qint64(0x464D4520), qint64(0x10000), total, qint64(0)})
        Append32(header, value);
    Append16(header, handles_);
    Append16(header, 0);
    for (qint64 value : {0, 0, 0, 1000, 1000, 265, 265, 0, 0, 0})
        Append32(header, value);
    Append32(header, micrometres);
    Append32(header, micrometres);
    return header + records_ + end;
}

QByteArray PackedDib(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(image);
    return buffer.data().mid(14);
}

QList<qint64> DibFields(const QByteArray& dib, qint64 fixedSize) {
    const qint64 headerSize = qFromLittleEndian<quint32>(dib.constData());
    const qint64 colors = qFromLittleEndian<quint32>(dib.constData() + 32);
    const int bits = qFromLittleEndian<quint16>(dib.constData() + 14);
    const qint64 infoSize = headerSize + 4 * (colors ? colors : bits <= 8 ? 1 << bits : 0);
    return {fixedSize, infoSize, fixedSize + infoSize, dib.size() - infoSize};
}

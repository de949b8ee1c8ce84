#ifndef VARNEL_TESTS_FORMATS_METAFILEBUILDER_H
#define VARNEL_TESTS_FORMATS_METAFILEBUILDER_H

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>

// Metafiles put together record by record, for the records and cases no tool we have writes.
// Colours are 0x00BBGGRR.

// A Windows metafile. Record fields are 16-bit words in file order (most records list their
// coordinates last to first); 32-bit fields go in as two words, low word first.
class TWmfBuilder {
public:
    // Placeable with `bounds` at `unitsPerInch`; without the placeable header when that is 0.
    explicit TWmfBuilder(QRect bounds = QRect(0, 0, 100, 100), int unitsPerInch = 96,
                         int objects = 16);

    TWmfBuilder& Record(quint16 function, const QList<int>& words, const QByteArray& tail = {});
    TWmfBuilder& Pen(int style, int width, quint32 color);
    TWmfBuilder& Brush(int style, quint32 color, int hatch = 0);
    TWmfBuilder& Select(int index);
    TWmfBuilder& Delete(int index);
    TWmfBuilder& WindowOrg(int x, int y);
    TWmfBuilder& WindowExt(int x, int y);
    TWmfBuilder& Rectangle(int left, int top, int right, int bottom);
    // The packed bitmap stretched onto the destination with the source-copy operation.
    TWmfBuilder& StretchDib(QRect dest, QRect source, const QByteArray& dib);
    QByteArray Bytes() const;

private:
    QRect bounds_;
    int unitsPerInch_;
    int objects_;
    QByteArray records_;
};

// An enhanced metafile made for a device of 96 pixels per inch. Record fields are 32-bit values
// in file order, after the type and size.
class TEmfBuilder {
public:
    // The frame in pixels of that device.
    explicit TEmfBuilder(QSize frame = QSize(100, 100), int handles = 16);

    TEmfBuilder& Record(quint32 type, const QList<qint64>& values, const QByteArray& tail = {});
    TEmfBuilder& Brush(int index, int style, quint32 color, int hatch = 0);
    TEmfBuilder& Pen(int index, int style, int width, quint32 color);
    TEmfBuilder& Select(quint32 index);
    TEmfBuilder& MapMode(int mode);
    TEmfBuilder& Rectangle(int left, int top, int right, int bottom);
    QByteArray Bytes() const;

private:
    QSize frame_;
    int handles_;
    QByteArray records_;
};

// A packed bitmap (header, colours, rows) as Qt's BMP writer writes `image`: 1 or 8 bits for
// indexed images, 24 bits for others.
QByteArray PackedDib(const QImage& image);
// The three bitmap fields of an enhanced metafile record (header offset and size, rows offset
// and size) for `dib` placed right after the record's `fixedSize` bytes of fixed fields.
QList<qint64> DibFields(const QByteArray& dib, qint64 fixedSize);

#endif

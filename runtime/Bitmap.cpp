#include "runtime/Bitmap.h"

#include "runtime/BmpFile.h"
#include "runtime/BmpLayout.h"
#include "runtime/InOutError.h"
#include "runtime/InvalidGraphic.h"
#include "runtime/OutOfMemory.h"
#include "runtime/PictureMemory.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>

namespace {

TPixelFormat FormatForDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return TPixelFormat::pf1bit;
    case 4:
        return TPixelFormat::pf4bit;
    case 8:
        return TPixelFormat::pf8bit;
    case 32:
        return TPixelFormat::pf32bit;
    default:
        return TPixelFormat::pf24bit;
    }
}

// An uncompressed BMP with a Windows header cut to its top `rows` rows: the headers and palette
// with the height changed, then those rows from wherever the file keeps them (last, in the usual
// bottom-up file). Empty when the file is anything else, or has no more rows than that.
QByteArray TopRows(const QByteArray& file, int rows) {
    constexpr qint64 kFileHeader = BmpFile::FileHeaderSize;
    constexpr qint64 kInfoHeader = BmpFile::InfoHeaderSize;
    if (file.size() < kFileHeader + kInfoHeader || !file.startsWith("BM") || rows < 1)
        return {};
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    const qint64 start = qFromLittleEndian<quint32>(bytes + 10);
    const qint64 width = qFromLittleEndian<qint32>(bytes + 18);
    const qint64 height = qFromLittleEndian<qint32>(bytes + 22);
    const int bitCount = qFromLittleEndian<quint16>(bytes + 28);
    if (qFromLittleEndian<quint32>(bytes + 14) < kInfoHeader ||
        qFromLittleEndian<quint32>(bytes + 30) != 0 || width < 1 || width > 65535 ||
        start < kFileHeader + kInfoHeader || start > file.size())
        return {};
    const qint64 stride = (width * bitCount + 31) / 32 * 4;
    const qint64 total = std::abs(height);
    if (rows >= total || stride < 1 || stride * total > file.size() - start)
        return {};
    const qint64 first = height > 0 ? total - rows : 0;
    QByteArray cut;
    cut.reserve(start + stride * rows);
    cut.append(file.constData(), start);
    cut.append(file.constData() + start + stride * first, stride * rows);
    qToLittleEndian<quint32>(quint32(cut.size()), cut.data() + 2);
    qToLittleEndian<qint32>(height > 0 ? rows : -rows, cut.data() + 22);
    qToLittleEndian<quint32>(quint32(stride * rows), cut.data() + 34);
    return cut;
}

// What the file says of the picture: its own depth (an indexed picture of at most 16 colours at
// 4 bits, a 4-bit bitmap's palette cut to 16), its palette and its resolution.
BmpFile::TLayout BmpLayoutOf(const QImage& image, TPixelFormat format) {
    BmpFile::TLayout layout;
    layout.width = image.width();
    layout.height = image.height();
    layout.dotsPerMeterX = image.dotsPerMeterX();
    layout.dotsPerMeterY = image.dotsPerMeterY();
    if (image.format() != QImage::Format_Mono && image.format() != QImage::Format_Indexed8)
        return layout;
    QList<QRgb> colors = image.colorTable();
    if (format == TPixelFormat::pf4bit && colors.size() > 16)
        colors.resize(16);
    layout.palette.assign(colors.begin(), colors.end());
    layout.bitsPerPixel = image.format() == QImage::Format_Mono ? 1 : colors.size() <= 16 ? 4 : 8;
    return layout;
}

BmpFile::TRowFill RowFill(const QImage& image, int bitsPerPixel) {
    if (image.format() == QImage::Format_Mono)
        return [&image](int y, std::uint8_t* row) {
            std::copy_n(image.constScanLine(y), (image.width() + 7) / 8, row);
        };
    if (image.format() == QImage::Format_Indexed8)
        return [&image, bitsPerPixel](int y, std::uint8_t* row) {
            PackIndices(image.constScanLine(y), image.width(), bitsPerPixel, row);
        };
    return [&image](int y, std::uint8_t* row) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, row += 3) {
            row[0] = std::uint8_t(qBlue(pixels[x]));
            row[1] = std::uint8_t(qGreen(pixels[x]));
            row[2] = std::uint8_t(qRed(pixels[x]));
        }
    };
}

} // namespace

TBitmap::TBitmap() {
    ReportCanvasChanges();
}

TBitmap::TBitmap(int width, int height, TPixelFormat format, const QList<QRgb>& palette)
    : image_(MakeImage(width, height, format, palette)), format_(format) {
    ReportCanvasChanges();
}

TBitmap::TBitmap(const TBitmap& other)
    : TGraphic(other), image_(other.image_), format_(other.format_),
      transparentColor_(other.transparentColor_) {
    ReportCanvasChanges();
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (this != &other) {
        TGraphic::operator=(other);
        image_ = other.image_;
        format_ = other.format_;
        transparentColor_ = other.transparentColor_;
    }
    return *this;
}

TBitmap TBitmap::OfIndexed(const TIndexedPicture& picture) {
    QImage image = Allocated(QImage(picture.width, picture.height, QImage::Format_Indexed8));
    image.setColorTable(QList<QRgb>(picture.palette.begin(), picture.palette.end()));
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(&picture.indices[std::size_t(y) * std::size_t(picture.width)], picture.width,
                    image.scanLine(y));
    TBitmap bitmap;
    bitmap.SetImage(std::move(image));
    return bitmap;
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    return std::make_unique<TBitmap>(*this);
}

QImage TBitmap::MakeImage(int width, int height, TPixelFormat format, QList<QRgb> palette) {
    if (width <= 0 || height <= 0)
        return {};
    QImage image;
    switch (format) {
    case TPixelFormat::pf1bit:
        image = Allocated(QImage(width, height, QImage::Format_Mono));
        if (palette.isEmpty())
            palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
        break;
    case TPixelFormat::pf4bit:
    case TPixelFormat::pf8bit:
        image = Allocated(QImage(width, height, QImage::Format_Indexed8));
        if (palette.isEmpty())
            palette = StandardPalette16();
        break;
    default:
        image = Allocated(QImage(width, height, QImage::Format_RGB32));
        image.fill(Qt::black);
        return image;
    }
    image.setColorTable(palette);
    image.fill(0);
    return image;
}

void TBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height())
        return;
    QImage resized = MakeImage(width, height, format_, image_.colorTable());
    for (int y = 0; y < std::min(height, Height()); ++y)
        for (int x = 0; x < std::min(width, Width()); ++x)
            resized.setPixel(
                x, y, resized.depth() > 8 ? image_.pixel(x, y) : uint(image_.pixelIndex(x, y)));
    image_ = resized;
    Changed();
}

void TBitmap::SetImage(QImage image) {
    const bool alpha = image.hasAlphaChannel();
    // In place where Qt can: an image handed over whole is not copied to change its format.
    const auto converted = [&](QImage::Format format) {
        if (!image.isNull()) {
            image.convertTo(format);
            Allocated(image);
        }
        return std::move(image);
    };
    switch (image.format()) {
    case QImage::Format_Mono:
        image_ = std::move(image);
        format_ = TPixelFormat::pf1bit;
        break;
    case QImage::Format_MonoLSB:
        image_ = converted(QImage::Format_Mono);
        format_ = TPixelFormat::pf1bit;
        break;
    case QImage::Format_Indexed8:
        format_ = image.colorCount() <= 16 ? TPixelFormat::pf4bit : TPixelFormat::pf8bit;
        image_ = std::move(image);
        break;
    default:
        image_ = converted(QImage::Format_RGB32);
        format_ = alpha ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
        break;
    }
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const QRect& rect) {
    canvas.DrawImage(rect, image_, Transparent() ? TransparentColor() : clNone);
}

TColor TBitmap::TransparentColor() const {
    if (transparentColor_ != clNone || image_.isNull())
        return transparentColor_;
    return FromQRgb(image_.pixel(0, image_.height() - 1));
}

void TBitmap::LoadFromStream(QIODevice& stream) {
    const QByteArray data = ReadToEnd(stream);
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    // Qt's own BMP reader, without first loading every image plugin to ask whether one of them
    // knows these bytes better.
    reader.setAutoDetectImageFormat(false);
    const int bitCount = BmpLayout::DeclaredBitCount(data);
    QImage image;
    const EInvalidGraphic invalid(QStringLiteral("Bitmap image is not valid"));
    if (bitCount == 0 || !BmpLayout::HoldsItsPixels(data))
        throw invalid;
    PictureMemory::RequireFits(reader, data.size(), QStringLiteral("Bitmap"));
    if (!reader.read(&image) || image.isNull())
        throw invalid;
    SetImage(std::move(image));
    format_ = FormatForDepth(bitCount);
    Changed();
}

void TBitmap::LoadTopLeft(const QByteArray& file, QSize size) {
    const QByteArray cut = TopRows(file, size.height());
    LoadFromBytes(cut.isEmpty() ? file : cut);
    const TPixelFormat format = format_; // the file's depth, which a cut palette may not show
    SetImage(image_.copy(QRect(QPoint(0, 0), size).intersected(image_.rect())));
    format_ = format;
}

void TBitmap::SaveToStream(QIODevice& stream) const {
    if (image_.isNull())
        throw EInOutError(101);
    const BmpFile::TLayout layout = BmpLayoutOf(image_, format_);
    const QByteArray bytes = BmpFile::Write(layout, RowFill(image_, layout.bitsPerPixel));
    if (stream.write(bytes) != bytes.size())
        throw EInOutError(101);
}

#include "logo/AwbmLogo.h"

#include "runtime/ByteView.h"
#include "runtime/Exception.h"
#include "runtime/LocalFiles.h"
#include "runtime/StreamBytes.h"

#include <QtEndian>
#include <algorithm>
#include <array>

namespace {

constexpr int HeaderSize = 8;
constexpr QByteArrayView PaletteMark("RGB ");
constexpr int Planes = 4;
constexpr int MaxChannel = 63;

int PlaneBytes(int width) {
    return (width + 7) / 8;
}

// Where the palette mark stands, which tells the two depths apart.
qsizetype PixelBytes(int width, int height, int colors) {
    return colors == 16 ? qsizetype(Planes) * PlaneBytes(width) * height
                        : qsizetype(width) * height;
}

qsizetype FileSize(int width, int height, int colors) {
    return HeaderSize + PixelBytes(width, height, colors) + PaletteMark.size() + 3 * colors;
}

Exception NotALogo(const QString& name, const QString& reason) {
    return Exception(QStringLiteral("\"%1\" is not an AWBM logo file: %2.").arg(name, reason));
}

// The depth whose palette mark stands where its pixels end and whose length the file has. Both
// lengths can agree (1 × 240 pixels), but the mark cannot stand in the other depth's place then:
// a 256-colour palette holds no byte over 63, and a one-pixel-wide plane only bit 7.
int DepthOf(const QByteArray& bytes, int width, int height, const QString& name) {
    bool lengthFits = false;
    for (const int colors : {16, 256}) {
        if (bytes.size() != FileSize(width, height, colors))
            continue;
        lengthFits = true;
        const qsizetype mark = HeaderSize + PixelBytes(width, height, colors);
        if (QByteArrayView(bytes).sliced(mark, PaletteMark.size()) == PaletteMark)
            return colors;
    }
    if (lengthFits)
        throw NotALogo(name, QStringLiteral("there is no \"RGB \" mark after its pixels"));
    throw NotALogo(name, QStringLiteral("a logo of %1 × %2 pixels takes %3 bytes with 16 colours "
                                        "or %4 with 256, but the file has %5")
                             .arg(width)
                             .arg(height)
                             .arg(FileSize(width, height, 16))
                             .arg(FileSize(width, height, 256))
                             .arg(bytes.size()));
}

// 16-colour palettes are kept blue first, 256-colour ones red first.
std::vector<TAwbmColor> ReadPalette(TByteView view, int colors) {
    std::vector<TAwbmColor> palette(static_cast<std::size_t>(colors));
    for (int i = 0; i < colors; ++i) {
        const quint8 first = view.U8(3 * i);
        const quint8 third = view.U8(3 * i + 2);
        palette[std::size_t(i)] = colors == 16 ? TAwbmColor{third, view.U8(3 * i + 1), first}
                                               : TAwbmColor{first, view.U8(3 * i + 1), third};
    }
    return palette;
}

std::vector<std::uint8_t> ReadPlanes(TByteView view, int width, int height) {
    std::vector<std::uint8_t> indices(std::size_t(width) * height);
    const int stride = PlaneBytes(width);
    for (int y = 0; y < height; ++y)
        for (int plane = 0; plane < Planes; ++plane) {
            const qint64 row = (qint64(y) * Planes + plane) * stride;
            for (int x = 0; x < width; ++x) {
                const int bit = (view.U8(row + x / 8) >> (7 - x % 8)) & 1;
                indices[std::size_t(y) * width + x] |= std::uint8_t(bit << plane);
            }
        }
    return indices;
}

// The first entry with a channel the DAC cannot take, or -1.
int OutOfRange(const std::vector<TAwbmColor>& palette) {
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const TAwbmColor c = palette[i];
        if (c.red > MaxChannel || c.green > MaxChannel || c.blue > MaxChannel)
            return int(i);
    }
    return -1;
}

} // namespace

TAwbmLogo::TAwbmLogo(int width, int height, int colors, std::vector<TAwbmColor> palette,
                     std::vector<std::uint8_t> indices)
    : width_(width), height_(height), colors_(colors), palette_(std::move(palette)),
      indices_(std::move(indices)) {
    Check();
}

void TAwbmLogo::CheckSize(int width, int height) {
    if (width < 1 || width > MaxWidth || height < 1 || height > MaxHeight)
        throw Exception(QStringLiteral("An AWBM logo is 1 × 1 to %1 × %2 pixels, not %3 × %4.")
                            .arg(MaxWidth)
                            .arg(MaxHeight)
                            .arg(width)
                            .arg(height));
}

void TAwbmLogo::Check() const {
    CheckSize(width_, height_);
    if (colors_ != 16 && colors_ != 256)
        throw Exception(QStringLiteral("An AWBM logo has 16 or 256 colours, not %1.").arg(colors_));
    if (palette_.size() != std::size_t(colors_))
        throw Exception(QStringLiteral("An AWBM logo of %1 colours needs as many palette entries, "
                                       "not %2.")
                            .arg(colors_)
                            .arg(palette_.size()));
    if (indices_.size() != std::size_t(width_) * height_)
        throw Exception(QStringLiteral("An AWBM logo of %1 × %2 pixels needs %3 pixels, not %4.")
                            .arg(width_)
                            .arg(height_)
                            .arg(std::size_t(width_) * height_)
                            .arg(indices_.size()));
    if (const int entry = OutOfRange(palette_); entry >= 0)
        throw Exception(
            QStringLiteral("Palette entry %1 of the AWBM logo has a value over 63.").arg(entry));
    for (const std::uint8_t index : indices_)
        if (index >= colors_)
            throw Exception(QStringLiteral("An AWBM logo of %1 colours has a pixel of colour %2.")
                                .arg(colors_)
                                .arg(index));
}

TAwbmLogo TAwbmLogo::Read(const QString& fileName) {
    const std::optional<QByteArray> bytes = ReadFileAtMost(fileName, LargestFile);
    if (!bytes)
        throw NotALogo(fileName, QStringLiteral("it is too long"));
    return Parse(*bytes, fileName);
}

TAwbmLogo TAwbmLogo::Parse(const QByteArray& bytes, const QString& name) {
    if (!HasSignature(bytes))
        throw NotALogo(name, QStringLiteral("it does not begin with \"AWBM\""));
    if (bytes.size() < HeaderSize)
        throw NotALogo(name, QStringLiteral("it is only %1 bytes long").arg(bytes.size()));
    const TByteView view(bytes);
    TAwbmLogo logo;
    logo.width_ = view.U16(4);
    logo.height_ = view.U16(6);
    if (logo.width_ < 1 || logo.width_ > MaxWidth || logo.height_ < 1 || logo.height_ > MaxHeight)
        throw NotALogo(name, QStringLiteral("it declares %1 × %2 pixels, and a logo is 1 × 1 to "
                                            "%3 × %4")
                                 .arg(logo.width_)
                                 .arg(logo.height_)
                                 .arg(MaxWidth)
                                 .arg(MaxHeight));
    logo.colors_ = DepthOf(bytes, logo.width_, logo.height_, name);
    const qsizetype pixels = PixelBytes(logo.width_, logo.height_, logo.colors_);
    const TByteView pixelView = view.Sub(HeaderSize, pixels);
    logo.palette_ = ReadPalette(view.Sub(HeaderSize + pixels + PaletteMark.size()), logo.colors_);
    if (logo.colors_ == 16) {
        logo.indices_ = ReadPlanes(pixelView, logo.width_, logo.height_);
    } else {
        const auto* data = reinterpret_cast<const std::uint8_t*>(pixelView.Bytes().data());
        logo.indices_.assign(data, data + pixels);
    }
    if (const int entry = OutOfRange(logo.palette_); entry >= 0)
        throw NotALogo(name, QStringLiteral("palette entry %1 has a value over 63").arg(entry));
    return logo;
}

QByteArray TAwbmLogo::Bytes() const {
    QByteArray bytes(FileSize(width_, height_, colors_), '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(bytes.data());
    std::copy_n("AWBM", 4, bytes.data());
    qToLittleEndian<quint16>(quint16(width_), out + 4);
    qToLittleEndian<quint16>(quint16(height_), out + 6);
    std::uint8_t* pixels = out + HeaderSize;
    if (colors_ == 16) {
        // Eight pixels at a time make a byte of each plane, the leftmost pixel in its top bit.
        const int stride = PlaneBytes(width_);
        for (int y = 0; y < height_; ++y) {
            const std::uint8_t* row = indices_.data() + std::size_t(y) * std::size_t(width_);
            for (int x = 0; x < width_; x += 8) {
                std::array<unsigned, Planes> bytes{};
                for (int k = 0; k < std::min(8, width_ - x); ++k)
                    for (int plane = 0; plane < Planes; ++plane)
                        bytes[std::size_t(plane)] |= ((row[x + k] >> plane) & 1u) << (7 - k);
                for (int plane = 0; plane < Planes; ++plane)
                    pixels[(y * Planes + plane) * stride + x / 8] =
                        std::uint8_t(bytes[std::size_t(plane)]);
            }
        }
    } else {
        std::copy(indices_.begin(), indices_.end(), pixels);
    }
    std::uint8_t* mark = pixels + PixelBytes(width_, height_, colors_);
    std::copy(PaletteMark.begin(), PaletteMark.end(), mark);
    std::uint8_t* entry = mark + PaletteMark.size();
    for (const TAwbmColor c : palette_) {
        const bool blueFirst = colors_ == 16;
        *entry++ = blueFirst ? c.blue : c.red;
        *entry++ = c.green;
        *entry++ = blueFirst ? c.red : c.blue;
    }
    return bytes;
}

void TAwbmLogo::Write(const QString& fileName) const {
    LocalFiles::WriteNewFile(fileName, Bytes());
}

std::uint32_t TAwbmLogo::ToRgb(TAwbmColor color) {
    // The nearest of the 256 levels, as the DAC's output stands between black and full.
    const auto widen = [](std::uint8_t value) { return std::uint32_t(value * 255 + 31) / 63; };
    return 0xFF000000 | widen(color.red) << 16 | widen(color.green) << 8 | widen(color.blue);
}

TIndexedPicture TAwbmLogo::Shown() const {
    TIndexedPicture picture{width_, height_, {}, indices_};
    for (const TAwbmColor c : palette_)
        picture.palette.push_back(ToRgb(c));
    return picture;
}

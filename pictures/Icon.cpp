#include "pictures/Icon.h"

#include "pictures/Dib.h"
#include "runtime/ByteView.h"
#include "runtime/Canvas.h"
#include "runtime/InvalidGraphic.h"
#include "runtime/PictureFormats.h"
#include "runtime/PngFile.h"
#include "runtime/StreamBytes.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Icons of every size and depth together stay far below this.
constexpr qint64 kMaxFileBytes = qint64(16) << 20;
constexpr qint64 kDirectoryBytes = 6;
constexpr qint64 kEntryBytes = 16;

[[noreturn]] void ThrowInvalidIcon() {
    throw EInvalidGraphic(QStringLiteral("Icon image is not valid"));
}

// One image of the file, with the size and depth its own header gives.
struct TEntry {
    TByteView data;
    bool png = false;
    quint64 pixels = 0; // as claimed: two 32-bit sizes, multiplied without overflow
    int depth = 0;

    bool operator<(const TEntry& other) const {
        return pixels != other.pixels ? pixels < other.pixels : depth < other.depth;
    }
};

TEntry ReadEntry(TByteView data) {
    TEntry entry{data};
    entry.png = data.Has(0, 8) && data.Bytes().startsWith(PngFile::Signature);
    if (entry.png) {
        entry.pixels = quint64(qFromBigEndian<quint32>(data.Sub(16, 4).Bytes().data())) *
                       qFromBigEndian<quint32>(data.Sub(20, 4).Bytes().data());
        entry.depth = 32;
    } else if (data.U32(0) == 12) {
        entry.pixels = quint64(data.U16(4)) * (data.U16(6) / 2);
        entry.depth = data.U16(10);
    } else {
        entry.pixels = quint64(std::abs(qint64(data.I32(4)))) * quint64(std::abs(data.I32(8) / 2));
        entry.depth = data.U16(14);
    }
    return entry;
}

// The images the file holds, as their headers claim them; none when the file is not an icon.
std::vector<TEntry> Entries(TByteView file) {
    if (file.U16(0) != 0 || file.U16(2) != 1)
        return {};
    std::vector<TEntry> entries;
    for (qint64 i = 0; i < file.U16(4); ++i) {
        const qint64 at = kDirectoryBytes + kEntryBytes * i;
        entries.push_back(ReadEntry(file.Sub(file.U32(at + 12), file.U32(at + 8))));
    }
    return entries;
}

QImage Decode(const TEntry& entry) {
    return entry.png ? Dib::DecodeImageFile(entry.data.Bytes()) : Dib::DecodeIcon(entry.data);
}

// The largest image of the file, read; a null image when the file is not an icon.
QImage LargestImage(TByteView file) {
    const std::vector<TEntry> entries = Entries(file);
    if (entries.empty())
        return {};
    return Decode(*std::max_element(entries.begin(), entries.end()));
}

} // namespace

TIcon::TIcon() {
    SetTransparent(true);
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
    return std::make_unique<TIcon>(*this);
}

void TIcon::SetWidth(int) {
    throw EInvalidGraphic(QStringLiteral("Cannot change the size of an icon"));
}

void TIcon::SetHeight(int) {
    throw EInvalidGraphic(QStringLiteral("Cannot change the size of an icon"));
}

void TIcon::Draw(TCanvas& canvas, const QRect& rect) {
    canvas.DrawImage(rect, image_);
}

void TIcon::LoadFromStream(QIODevice& stream) {
    const std::optional<QByteArray> data = ReadAtMost(stream, kMaxFileBytes);
    if (!data)
        ThrowInvalidIcon();
    QImage image;
    try {
        image = LargestImage(TByteView(*data));
    } catch (const EOutsideBytes&) {
        ThrowInvalidIcon();
    }
    if (image.isNull())
        ThrowInvalidIcon();
    data_ = *data;
    image_ = image;
    Changed();
}

void TIcon::SaveToStream(QIODevice& stream) const {
    WriteAll(stream, data_);
}

void RegisterIcon() {
    TPictureFormats::Register(QStringLiteral("ico"), QStringLiteral("Icons"),
                              [] { return std::make_unique<TIcon>(); });
}

QList<QImage> IconImages(const QByteArray& file) {
    QList<QImage> images;
    try {
        for (const TEntry& entry : Entries(TByteView(file)))
            images.append(Decode(entry));
    } catch (const EOutsideBytes&) {
        return {};
    }
    if (std::any_of(images.begin(), images.end(),
                    [](const QImage& image) { return image.isNull(); }))
        return {};
    return images;
}

#include "gif/GIFWriter.h"

#include "gif/GIFEncoder.h"
#include "gif/GIFImage.h"
#include "runtime/Bitmap.h"
#include "runtime/InvalidGraphic.h"

#include <algorithm>
#include <vector>

namespace {

// One frame as it goes out: its image and whether it carries its own table.
struct TOutFrame {
    TGIFItem item;
    bool localTable = false;
};

[[noreturn]] void NothingToWrite() {
    throw EInvalidGraphic(QStringLiteral("No GIF Data to write"));
}

void PutByte(QByteArray& out, int value) {
    out.append(static_cast<char>(value));
}

void PutWord(QByteArray& out, int value) {
    value = std::clamp(value, 0, 0xFFFF);
    PutByte(out, value & 0xFF);
    PutByte(out, value >> 8);
}

bool HasText(const QByteArrayList& text) {
    return std::any_of(text.begin(), text.end(), [](const auto& line) { return !line.isEmpty(); });
}

bool NeedsGraphicControl(const TGIFFrame& frame) {
    return frame.Delay() != 0 || frame.TransparentColor() != clNone || frame.Disposal() != 0;
}

bool HasExtensions(const TGIFFrame& frame) {
    return NeedsGraphicControl(frame) ||
           std::any_of(frame.Extensions().begin(), frame.Extensions().end(), [](const auto& e) {
               return e.Kind() == TExtensionKind::ekComment && HasText(e.Text());
           });
}

QImage Reduced(const QImage& image, bool grayscale) {
    if (!grayscale)
        return image.convertToFormat(QImage::Format_Indexed8);
    QList<QRgb> greys(256);
    for (int level = 0; level < 256; ++level)
        greys[level] = qRgb(level, level, level);
    return image.convertToFormat(QImage::Format_Indexed8, greys);
}

TGIFItem Encoded(const TGIFFrame& frame) {
    if (!frame.HasBitmap() || frame.Bitmap().Empty())
        NothingToWrite();
    const TBitmap& bitmap = frame.Bitmap();
    int bits = 8;
    QImage pixels;
    switch (bitmap.PixelFormat()) {
    case TPixelFormat::pf1bit:
        bits = 1;
        pixels = bitmap.Image().convertToFormat(QImage::Format_Indexed8);
        break;
    case TPixelFormat::pf4bit:
        bits = 4;
        pixels = bitmap.Image();
        break;
    case TPixelFormat::pf8bit:
        pixels = bitmap.Image();
        break;
    default:
        pixels = Reduced(bitmap.Image(), frame.Grayscale());
        break;
    }
    if (pixels.format() != QImage::Format_Indexed8)
        throw EInvalidGraphic(QStringLiteral("GIF image encoding error"));
    TGIFItem item;
    item.Width = pixels.width();
    item.Height = pixels.height();
    item.Bits = bits;
    item.Colors = TGIFColorTable::FromPalette(pixels.colorTable(), 1 << bits);
    item.Store = EncodeGIFImage(pixels, bits, frame.Interlaced());
    item.Size = item.Store.size();
    return item;
}

// The frames as they go out. A frame encoded here gives the picture its global table when it has
// none yet, and keeps its own otherwise.
std::vector<TOutFrame> OutFrames(const TGIFImage& image, TGIFColorTable& global) {
    std::vector<TOutFrame> frames;
    for (int i = 0; i < image.Count(); ++i) {
        const TGIFFrame& frame = image.Frames(i);
        if (frame.HasData()) {
            frames.push_back({frame.Item(), frame.LocalColors() && frame.Item().Bits > 0});
            continue;
        }
        TOutFrame out{Encoded(frame), !global.Empty()};
        if (!out.localTable)
            global = out.item.Colors;
        frames.push_back(std::move(out));
    }
    return frames;
}

QByteArray TableBytes(TGIFColorTable table, int bits) {
    table.Count = 1 << bits;
    return table.ToBytes();
}

// Data from a file that ended inside the image lacks the closing block, without which the next
// block would be taken for image data.
bool Closed(QByteArrayView data) {
    qsizetype at = 1;
    while (at < data.size() && data[at] != 0)
        at += 1 + quint8(data[at]);
    return at < data.size();
}

void PutScreen(QByteArray& out, const TGIFImage& image, const TGIFColorTable& global) {
    const QSize screen =
        image.FramesExtent().expandedTo(QSize(image.ScreenWidth(), image.ScreenHeight()));
    PutWord(out, screen.width());
    PutWord(out, screen.height());
    if (global.Empty()) {
        PutByte(out, 0);
        PutByte(out, 0);
    } else {
        const int bits = TGIFColorTable::BitsForCount(global.Count) - 1;
        PutByte(out, 0x80 | bits << 4 | bits);
        PutByte(out, std::max(global.IndexOf(image.BackgroundColor()), 0));
    }
    PutByte(out, image.Header().AspectRatio);
    out.append(global.ToBytes());
}

void PutLooping(QByteArray& out, quint16 repeatCount) {
    out.append("!\xFF\x0BNETSCAPE2.0\x03\x01");
    PutWord(out, repeatCount);
    PutByte(out, 0);
}

void PutFrame(QByteArray& out, const TGIFFrame& frame, const TOutFrame& image) {
    for (const TExtension& extension : frame.Extensions())
        if (extension.Kind() == TExtensionKind::ekComment && HasText(extension.Text()))
            extension.WriteTo(out);
    if (NeedsGraphicControl(frame))
        TExtension::GraphicControl(frame.Disposal(), frame.Delay() / 10,
                                   image.item.Colors.IndexOf(frame.TransparentColor()))
            .WriteTo(out);
    const TGIFItem& item = image.item;
    PutByte(out, ',');
    PutWord(out, frame.Origin().x());
    PutWord(out, frame.Origin().y());
    PutWord(out, item.Width);
    PutWord(out, item.Height);
    PutByte(out, (image.localTable ? 0x80 | (item.Bits - 1) : 0) | (frame.Interlaced() ? 0x40 : 0));
    if (image.localTable)
        out.append(TableBytes(item.Colors, item.Bits));
    out.append(item.Data());
    if (!Closed(item.Data()))
        PutByte(out, 0);
}

QByteArray Write(const TGIFImage& image) {
    TGIFColorTable global = image.Header().GlobalColors;
    const std::vector<TOutFrame> frames = OutFrames(image, global);
    bool extended = HasText(image.Comment());
    for (int i = 0; i < image.Count(); ++i)
        extended = extended || HasExtensions(image.Frames(i));

    QByteArray out("GIF");
    out.append(extended || image.Version() == TGIFVersion::gv89a ? "89a" : "87a");
    PutScreen(out, image, global);
    if (image.Looping() && image.Count() >= 2)
        PutLooping(out, image.RepeatCount());
    for (int i = 0; i < image.Count(); ++i) {
        PutFrame(out, image.Frames(i), frames[i]);
        image.Progress(TProgressStage::psRunning, (i + 1) * 100 / image.Count());
    }
    if (HasText(image.Comment())) {
        out.append("!\xFE");
        TExtension::WriteSubBlocks(out, image.Comment());
    }
    PutByte(out, ';');
    return out;
}

} // namespace

QByteArray WriteGIFFile(const TGIFImage& image) {
    if (image.Count() == 0)
        NothingToWrite();
    image.Progress(TProgressStage::psStarting, 0);
    QByteArray out;
    try {
        out = Write(image);
    } catch (const std::exception& failure) {
        image.Progress(TProgressStage::psEnding, 0, QString::fromUtf8(failure.what()));
        throw;
    }
    image.Progress(TProgressStage::psEnding, 100);
    return out;
}

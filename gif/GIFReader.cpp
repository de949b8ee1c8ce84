#include "gif/GIFReader.h"

#include "gif/GIFImage.h"
#include "runtime/InvalidGraphic.h"
#include "runtime/ReadError.h"

#include <algorithm>

namespace {

constexpr int kTrailer = ';';
constexpr int kExtension = '!';
constexpr int kImage = ',';
constexpr int kLargestRepeatCount = 30000;
// A delay is kept in milliseconds in 16 bits; a longer one stays as long as that allows.
constexpr int kLongestDelay = 65535;
// An image takes a dozen bytes of a file and a few hundred of memory: without a limit a file
// of empty images would cost twenty times its size. No real animation comes near this many.
constexpr std::size_t kMostFrames = 65536;

[[noreturn]] void UnknownVersion() {
    throw EInvalidGraphic(QStringLiteral("Unknown GIF version"));
}

} // namespace

quint8 TGIFReader::Byte() {
    if (AtEnd())
        throw EReadError();
    return static_cast<quint8>(data_[pos_++]);
}

quint16 TGIFReader::Word() {
    const quint8 low = Byte();
    return static_cast<quint16>(low | Byte() << 8);
}

QByteArray TGIFReader::Bytes(qsizetype count) {
    if (data_.size() - pos_ < count)
        throw EReadError();
    const QByteArray bytes = data_.mid(pos_, count);
    pos_ += count;
    return bytes;
}

QByteArrayList TGIFReader::SubBlocks() {
    QByteArrayList text;
    while (!AtEnd()) {
        const quint8 size = Byte();
        if (size == 0)
            break;
        text.append(data_.mid(pos_, size));
        pos_ = std::min(pos_ + size, data_.size());
    }
    return text;
}

void TGIFReader::Read() {
    ReadHeader();
    ReadScreen();
    int introducer = AtEnd() ? kTrailer : Byte();
    while (introducer != 0 && introducer != kTrailer && !AtEnd()) {
        std::vector<TExtension> extensions = ReadExtensionRun(introducer);
        if (introducer == kImage) {
            ReadFrame(std::move(extensions));
            introducer = IntroducerAfterImage();
        } else if (image_.header_->Comment.isEmpty() && !extensions.empty()) {
            AppendComments(extensions);
        } else if (introducer != 0 && introducer != kTrailer) {
            throw EReadError();
        }
    }
}

void TGIFReader::ReadHeader() {
    if (Bytes(3).toLower() != "gif")
        UnknownVersion();
    const QByteArray version = Bytes(3).toLower();
    if (version == "87a")
        image_.version_ = TGIFVersion::gv87a;
    else if (version == "89a")
        image_.version_ = TGIFVersion::gv89a;
    else
        UnknownVersion();
}

void TGIFReader::ReadScreen() {
    image_.screenWidth_ = Word();
    image_.screenHeight_ = Word();
    const quint8 packed = Byte();
    const quint8 background = Byte();
    TGIFData& header = *image_.header_;
    header.AspectRatio = Byte();
    header.GlobalBits = (packed & 7) + 1;
    header.ColorResolution = ((packed >> 4) & 7) + 1;
    if (packed & 0x80) {
        header.GlobalColors = TGIFColorTable::FromBytes(Bytes(3 << header.GlobalBits));
        if (background < header.GlobalColors.Count)
            image_.backgroundColor_ = header.GlobalColors.Colors[background];
    }
}

std::vector<TExtension> TGIFReader::ReadExtensionRun(int& introducer) {
    std::vector<TExtension> kept;
    while (introducer == kExtension) {
        const quint8 label = Byte();
        switch (label) {
        case 0xF9:
            kept.emplace_back(TExtensionKind::ekGraphicControl,
                              Bytes(TExtension::HeaderSize(TExtensionKind::ekGraphicControl)));
            break;
        case 0xFE:
            kept.emplace_back(TExtensionKind::ekComment, QByteArray(), SubBlocks());
            break;
        case 0x01:
            // Text drawn by the file itself takes the graphic controls before it with it.
            Bytes(TExtension::HeaderSize(TExtensionKind::ekPlainText));
            SubBlocks();
            kept.clear();
            break;
        case 0xFF: {
            const QByteArray header = Bytes(TExtension::HeaderSize(TExtensionKind::ekApplication));
            ReadLooping(header, SubBlocks());
            break;
        }
        default:
            throw EInvalidGraphic(
                QStringLiteral("Unrecognized extension block: %1")
                    .arg(QString::number(label, 16).toUpper().rightJustified(2, u'0')));
        }
        introducer = AtEnd() ? kTrailer : Byte();
    }
    return kept;
}

void TGIFReader::ReadLooping(const QByteArray& header, const QByteArrayList& text) {
    const int compared = std::min<int>(quint8(header[0]), 11);
    const QByteArray identifier = header.mid(1, compared);
    const bool looping = identifier == QByteArray("NETSCAPE2.0").left(compared) ||
                         identifier == QByteArray("ANIMEXTS1.0").left(compared);
    if (!looping || text.isEmpty() || text[0].size() < 3 || text[0][0] != 1)
        return;
    image_.looping_ = true;
    const int count = quint8(text[0][1]) | quint8(text[0][2]) << 8;
    image_.repeatCount_ = static_cast<quint16>(std::min(count, kLargestRepeatCount));
}

void TGIFReader::ReadFrame(std::vector<TExtension> extensions) {
    if (image_.frames_.size() == kMostFrames)
        throw EInvalidGraphic(
            QStringLiteral("GIF image has too many frames (more than %1)").arg(kMostFrames));
    auto frame = std::make_unique<TGIFFrame>(image_);
    const TGIFColorTable& global = image_.header_->GlobalColors;
    TGIFItem item;
    if (!global.Empty())
        item.Bits = TGIFColorTable::BitsForCount(global.Count);
    frame->extensions_ = std::move(extensions);

    const int left = Word();
    const int top = Word();
    const int width = Word();
    const int height = Word();
    item.Packed = Byte();
    frame->interlaced_ = item.Packed & 0x40;
    frame->localColors_ = item.Packed & 0x80;
    if (frame->localColors_) {
        item.Bits = (item.Packed & 7) + 1;
        item.Colors = TGIFColorTable::FromBytes(Bytes(3 << item.Bits));
    }
    bool cutShort = false;
    item.Store = data_;
    ReadImageData(item, cutShort);
    if (cutShort && !image_.Settings().TolerateCorruptData)
        throw EReadError();
    frame->corrupted_ = cutShort;
    item.Width = width != 0 ? width : image_.screenWidth_;
    item.Height = height != 0 ? height : image_.screenHeight_;
    frame->origin_ = QPoint(left, top);
    if (!frame->localColors_)
        item.Colors = global;

    ApplyGraphicControls(*frame, item.Colors);
    frame->item_ = std::make_shared<TGIFItem>(std::move(item));
    image_.frames_.push_back(std::move(frame));
}

// With several graphic controls before one image the longest delay and the last disposal and
// transparency win.
void TGIFReader::ApplyGraphicControls(TGIFFrame& frame, const TGIFColorTable& colors) {
    for (const TExtension& control : frame.extensions_) {
        if (control.Kind() != TExtensionKind::ekGraphicControl)
            continue;
        if (!control.HasTransparency())
            frame.transparentColor_ = clNone;
        else if (control.TransparentIndex() < colors.Count)
            frame.transparentColor_ = colors.Colors[control.TransparentIndex()];
        const int delay = std::min(control.DelayHundredths() * 10, kLongestDelay);
        frame.delay_ = static_cast<quint16>(std::max<int>(frame.delay_, delay));
        frame.disposal_ = control.Disposal();
    }
}

void TGIFReader::ReadImageData(TGIFItem& item, bool& cutShort) {
    item.Offset = pos_;
    Byte();
    qsizetype end = pos_;
    while (!AtEnd()) {
        const quint8 size = Byte();
        if (data_.size() - pos_ < size) {
            // The rest belongs to the cut block: nothing after it could be read as a block.
            cutShort = true;
            pos_ = data_.size();
            break;
        }
        end = pos_ += size;
        if (size == 0)
            break;
    }
    item.Size = end - item.Offset;
}

int TGIFReader::IntroducerAfterImage() {
    while (!AtEnd() && data_[pos_] == 0)
        ++pos_;
    if (AtEnd())
        return kTrailer;
    const int introducer = Byte();
    return introducer == kExtension || introducer == kImage || introducer == kTrailer ? introducer
                                                                                      : 0;
}

void TGIFReader::AppendComments(const std::vector<TExtension>& extensions) {
    QByteArrayList& comment = image_.header_->Comment;
    for (const TExtension& extension : extensions) {
        if (extension.Kind() != TExtensionKind::ekComment)
            continue;
        if (!comment.isEmpty())
            comment.append("\r\n\r\n");
        comment.append(extension.Text());
    }
}

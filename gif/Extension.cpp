#include "gif/Extension.h"

#include <array>

TExtension::TExtension(TExtensionKind kind, QByteArray header, QByteArrayList text)
    : kind_(kind), header_(std::move(header)), text_(std::move(text)) {}

TExtension TExtension::GraphicControl(int disposal, int delayHundredths, int transparentIndex) {
    const bool transparent = transparentIndex >= 0;
    const std::array<char, 6> bytes = {
        4,
        static_cast<char>((disposal & 7) << 2 | (transparent ? 1 : 0)),
        static_cast<char>(delayHundredths & 0xFF),
        static_cast<char>(delayHundredths >> 8 & 0xFF),
        static_cast<char>(transparent ? transparentIndex : 0),
        0};
    return TExtension(TExtensionKind::ekGraphicControl, QByteArray(bytes.data(), bytes.size()));
}

quint8 TExtension::Label(TExtensionKind kind) {
    switch (kind) {
    case TExtensionKind::ekGraphicControl:
        return 0xF9;
    case TExtensionKind::ekPlainText:
        return 0x01;
    case TExtensionKind::ekApplication:
        return 0xFF;
    case TExtensionKind::ekComment:
        break;
    }
    return 0xFE;
}

int TExtension::HeaderSize(TExtensionKind kind) {
    switch (kind) {
    case TExtensionKind::ekGraphicControl:
        return 6;
    case TExtensionKind::ekPlainText:
        return 13;
    case TExtensionKind::ekApplication:
        return 12;
    case TExtensionKind::ekComment:
        break;
    }
    return 0;
}

void TExtension::WriteTo(QByteArray& out) const {
    out.append('!');
    out.append(static_cast<char>(Label(kind_)));
    out.append(header_);
    if (kind_ != TExtensionKind::ekGraphicControl)
        WriteSubBlocks(out, text_);
}

void TExtension::WriteSubBlocks(QByteArray& out, const QByteArrayList& text) {
    // An empty entry would read as the closing block, so it is left out; a long one is spread
    // over several sub-blocks rather than cut, so that no text is lost.
    for (const QByteArray& entry : text)
        for (qsizetype at = 0; at < entry.size(); at += 255) {
            const QByteArray piece = entry.mid(at, 255);
            out.append(static_cast<char>(piece.size()));
            out.append(piece);
        }
    out.append('\0');
}

#ifndef VARNEL_GIF_EXTENSION_H
#define VARNEL_GIF_EXTENSION_H

#include <QByteArray>
#include <QByteArrayList>

enum class TExtensionKind { ekGraphicControl, ekPlainText, ekApplication, ekComment };

// One extension block of a GIF file: the header bytes that follow its label, as read, and one
// text entry per data sub-block.
class TExtension {
public:
    TExtension(TExtensionKind kind, QByteArray header, QByteArrayList text = {});
    // A graphic-control extension; `transparentIndex` -1 leaves the transparency flag clear.
    static TExtension GraphicControl(int disposal, int delayHundredths, int transparentIndex);

    TExtensionKind Kind() const { return kind_; }
    const QByteArray& Header() const { return header_; }
    const QByteArrayList& Text() const { return text_; }
    QByteArrayList& Text() { return text_; }

    // The label byte after "!" that stands for each kind.
    static quint8 Label(TExtensionKind kind);
    // How many header bytes follow the label (the graphic control's six include its
    // terminator; the others' data sub-blocks follow).
    static int HeaderSize(TExtensionKind kind);

    // Graphic-control fields.
    bool HasTransparency() const { return Byte(1) & 1; }
    int Disposal() const { return (Byte(1) >> 2) & 7; }
    int DelayHundredths() const { return Byte(2) | Byte(3) << 8; }
    int TransparentIndex() const { return Byte(4); }

    // "!", the label, the header and, but for a graphic control, the non-empty text entries
    // as sub-blocks (a longer entry spread over as many as it needs) and the closing block.
    void WriteTo(QByteArray& out) const;
    // The text entries as data sub-blocks, closed by the empty block.
    static void WriteSubBlocks(QByteArray& out, const QByteArrayList& text);

private:
    int Byte(int index) const { return index < header_.size() ? quint8(header_[index]) : 0; }

    TExtensionKind kind_;
    QByteArray header_;
    QByteArrayList text_;
};

#endif

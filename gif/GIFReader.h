#ifndef VARNEL_GIF_GIFREADER_H
#define VARNEL_GIF_GIFREADER_H

#include "gif/Extension.h"

#include <QByteArray>
#include <vector>

class TGIFFrame;
class TGIFImage;
struct TGIFColorTable;
struct TGIFItem;

// Reads the blocks of a GIF file into an empty picture: header, logical screen, extensions
// and frames, keeping each frame's data compressed. A missing trailer, zero bytes between
// blocks and a last image cut short are tolerated; a fixed-size part cut short raises
// "Stream read error". Frames read before a failure stay in the picture.
class TGIFReader {
public:
    TGIFReader(TGIFImage& image, const QByteArray& data) : image_(image), data_(data) {}
    void Read();

private:
    bool AtEnd() const { return pos_ >= data_.size(); }
    quint8 Byte();
    quint16 Word();
    QByteArray Bytes(qsizetype count);
    // Data sub-blocks up to the empty one or the end of the data, one text entry each.
    QByteArrayList SubBlocks();

    void ReadHeader();
    void ReadScreen();
    // Reads every extension while the introducer is "!"; gives the graphic-control and comment
    // extensions kept for the image that follows, and leaves the next introducer.
    std::vector<TExtension> ReadExtensionRun(int& introducer);
    void ReadLooping(const QByteArray& header, const QByteArrayList& text);
    void ReadFrame(std::vector<TExtension> extensions);
    void ApplyGraphicControls(TGIFFrame& frame, const TGIFColorTable& colors);
    // The minimum code size byte and the sub-blocks up to the closing one; a sub-block the end
    // of the data cuts short is left out.
    void ReadImageData(TGIFItem& item, bool& cutShort);
    // The introducer after an image: zero bytes skipped, ";" at the end, 0 for anything that
    // cannot start a block.
    int IntroducerAfterImage();
    void AppendComments(const std::vector<TExtension>& extensions);

    TGIFImage& image_;
    const QByteArray& data_;
    qsizetype pos_ = 0;
};

#endif

#ifndef VARNEL_GIF_GIFIMAGE_H
#define VARNEL_GIF_GIFIMAGE_H

#include "gif/GIFData.h"
#include "gif/GIFFrame.h"
#include "gif/GIFSettings.h"
#include "runtime/Graphic.h"

#include <QList>
#include <QRgb>
#include <QSize>
#include <functional>
#include <memory>
#include <vector>

class TBitmap;
class TPicture;

enum class TGIFVersion { gvNone, gv87a, gv89a };
enum class TProgressStage { psStarting, psRunning, psEnding };

// A GIF file (87a or 89a) as a picture: a list of frames, each decoded to a bitmap only when it
// is first needed. It does not animate; the animator composes and plays the frames.
class TGIFImage : public TGraphic {
public:
    TGIFImage();
    ~TGIFImage() override;
    TGIFImage(const TGIFImage&) = delete;
    TGIFImage& operator=(const TGIFImage&) = delete;

    // Shares this picture's header and frames' compressed data.
    std::unique_ptr<TGraphic> Clone() const override;
    bool Empty() const override;
    // The current frame's size (not the logical screen's); 0 when there is none.
    int Width() const override;
    int Height() const override;
    // Both raise "Cannot change the Size of a GIF image".
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void Draw(TCanvas& canvas, const QRect& rect) override;
    // Reads from the stream's position to its end and decodes frame 0 at once.
    void LoadFromStream(QIODevice& stream) override;
    void SaveToStream(QIODevice& stream) const override;
    // The transparent flag, and a frame with a transparent colour.
    bool Transparent() const override;

    // Another GIF picture sharing this one's header.
    bool Equals(const TGraphic& other) const;
    // The shown frame's palette; empty without frames.
    QList<QRgb> Palette() const;
    bool PaletteModified() const { return paletteModified_; }
    void SetPaletteModified(bool value) { paletteModified_ = value; }

    // The form the window description stores: a 4-byte little-endian length, then the GIF.
    void ReadData(QIODevice& stream);
    void WriteData(QIODevice& stream) const;

    // The clipboard holds frame 0's bitmap and, when every frame has compressed data, the GIF
    // under the format "GIF Image".
    void LoadFromClipboard();
    void SaveToClipboard() const;

    // nullptr empties the picture; a GIF picture is shared; a bitmap becomes the only frame.
    // Other kinds raise EConvertError.
    void Assign(const TGraphic* source);
    // The frame alone, with its picture's global table.
    void Assign(const TGIFFrame& source);
    // The shown frame's bitmap, and its transparent colour when it has one.
    void AssignTo(TBitmap& target) const;
    // Emptied when this picture is empty, else the shown frame's bitmap.
    void AssignTo(TPicture& target) const;

    // Appends a frame made from any picture and makes it current; returns its index.
    virtual int AddFrame(const TGraphic& graphic);

    int Count() const { return static_cast<int>(frames_.size()); }
    const TGIFFrame& Frames(int index) const { return *frames_.at(index); }
    TGIFFrame& Frames(int index) { return *frames_.at(index); }
    // -1 without frames, 0 after loading; not checked against Count.
    int CurrentIndex() const { return currentIndex_; }
    void SetCurrentIndex(int index);
    // CurrentIndex when it names a frame, else 0.
    int ShownIndex() const;

    // The logical screen; 0 while the picture is empty.
    int ScreenWidth() const;
    int ScreenHeight() const;
    // Makes the logical screen the frames' extent: the largest left + width and top + height.
    void RecomputeScreen();
    QSize FramesExtent() const;

    TColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(TColor color) { backgroundColor_ = color; }
    bool Looping() const { return looping_; }
    void SetLooping(bool value) { looping_ = value; }
    quint16 RepeatCount() const { return repeatCount_; }
    void SetRepeatCount(quint16 count) { repeatCount_ = count; }
    TGIFVersion Version() const { return version_; }
    // How damaged and oversized data is read, now and when frames are decoded later; copies of
    // the picture take it along.
    const TGIFSettings& Settings() const { return settings_; }
    void SetSettings(const TGIFSettings& settings) { settings_ = settings; }
    const TGIFData& Header() const { return *header_; }
    const QByteArrayList& Comment() const { return header_->Comment; }
    // The comment for changing; a header shared with other pictures is copied first, so that
    // they keep theirs.
    QByteArrayList& EditComment();

    // Hears decoding and writing: the stage, the share done, and the failure's message when
    // one ends the stage.
    std::function<void(const TGIFImage&, TProgressStage, int percent, const QString& message)>
        OnProgress;
    void Progress(TProgressStage stage, int percent, const QString& message = {}) const;

private:
    friend class TGIFReader;

    void Reset();
    void Load(const QByteArray& data, bool decodeFirst);
    void ReadStored(QIODevice& stream, bool decodeFirst);
    void CopyFrom(const TGIFImage& source);
    int AppendFrame(const TGraphic& graphic);

    std::shared_ptr<TGIFData> header_;
    TGIFVersion version_ = TGIFVersion::gvNone;
    std::vector<std::unique_ptr<TGIFFrame>> frames_;
    int currentIndex_ = -1;
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    TColor backgroundColor_ = clNone;
    bool looping_ = false;
    quint16 repeatCount_ = 1;
    bool paletteModified_ = false;
    TGIFSettings settings_;
};

// Makes ".gif" files load as TGIFImage ("CompuServe GIF Image"); the programs call this at
// start-up.
void RegisterGIFImage();
void UnregisterGIFImage();
// The clipboard format "GIF Image": on Windows the registered format of that name.
QString GIFClipboardFormat();

#endif
